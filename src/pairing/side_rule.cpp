#include "pairing/side_rule.h"

#include <array>

#include "pairing/context.h"
#include "pairing/sides.h"
#include "services/quiet_services.h"

namespace toq::pairing {
namespace {

/// A candidate rule with the options it needs.
struct Candidate {
  SideRule rule;
  bool sixPiece;
};

/// The order of preference among rules that agree with as many boards: the program's default
/// (balanced sides) first, the plainer handicaps before the wider ones.
constexpr std::array<Candidate, 4> kCandidates = {{
    {SideRule::Balance, false},
    {SideRule::Handicaps, false},
    {SideRule::Handicaps, true},
    {SideRule::None, false},
}};

/// The stored round with its sides and handicaps decided anew by `candidate`, as the pairing
/// command decides them on a round fresh from the driver.
void decide(data::Table& t, const data::Register& players, int round, const Candidate& candidate) {
  for (int row = 0; row < t.rows(); ++row) {
    t.side[row][round] = data::kSideUndecided;
    t.handicap[row][round] = 0;
  }
  PairingOptions options;
  options.allowSixPieceHandicaps = candidate.sixPiece;
  Random random;
  services::QuietServices quiet;
  PairingContext ctx{t, players, options, random, quiet};
  if (candidate.rule == SideRule::Handicaps) assignHandicaps(ctx, round);
  if (candidate.rule == SideRule::Balance) assignSides(ctx, round);
}

/// Boards of the round whose sides and handicaps agree between the two tables.
int boardsAgreeing(const data::Table& stored, const data::Table& decided, int round) {
  int agree = 0;
  for (int row = 0; row < stored.rows(); ++row) {
    const int o = stored.opponentRow(row, round);
    if (o <= row || stored.opponentRow(o, round) != row) continue;
    if (sameSides(stored, decided, round, row, o) && sameHandicaps(stored, decided, round, row, o))
      ++agree;
  }
  return agree;
}

}  // namespace

bool sameSides(const data::Table& a, const data::Table& b, int round, int row, int other) {
  return a.side[row][round] == b.side[row][round] && a.side[other][round] == b.side[other][round];
}

bool sameHandicaps(const data::Table& a, const data::Table& b, int round, int row, int other) {
  return a.handicap[row][round] == b.handicap[row][round] &&
         a.handicap[other][round] == b.handicap[other][round];
}

SideDecision decideSideRule(const data::Table& stored, const data::Register& players, int round) {
  SideDecision best;
  if (round < 0 || round >= data::kMaxRounds) {
    best.decided = std::make_unique<data::Table>(stored);
    return best;
  }
  auto trial = std::make_unique<data::Table>(stored);
  int bestAgreeing = -1;
  for (const Candidate& candidate : kCandidates) {
    *trial = stored;
    decide(*trial, players, round, candidate);
    const int agreeing = boardsAgreeing(stored, *trial, round);
    if (agreeing <= bestAgreeing) continue;
    bestAgreeing = agreeing;
    best.rule = candidate.rule;
    best.sixPieceHandicaps = candidate.sixPiece;
    if (!best.decided) best.decided = std::make_unique<data::Table>();
    *best.decided = *trial;
  }
  return best;
}

}  // namespace toq::pairing
