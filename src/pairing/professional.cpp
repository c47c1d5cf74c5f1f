// Who may take a professional's board, and which amateur gets it: the one who has played
// professionals least so far (random among equals).
#include "pairing/professional.h"

#include <algorithm>

#include "pairing/compat.h"

namespace toq::pairing {
namespace {

/// Rows that may not meet the professional cost this much or more; none of them is chosen.
constexpr int kCostBarred = 1000;

bool roundInPlanes(int round) {
  return round >= 0 && round < data::kMaxRounds;
}

bool usedRow(const data::Table& t, int row) {
  return row >= 0 && row < t.rows();
}

bool unpaired(const data::Table& t, int row, int round) {
  return t.opponent[row][round] == data::kUnpaired;
}

/// True when some row of a's player already plays b or a row of b's player in the round.
bool meetInRound(const data::Table& t, int round, int a, int b) {
  const int na = t.participants[a];
  const int nb = t.participants[b];
  for (int row = 0; row < t.rows(); ++row) {
    if (t.participants[row] != na) continue;
    const int o = t.opponentRow(row, round);
    if (o >= 0 && (o == b || t.participants[o] == nb)) return true;
  }
  return false;
}

int countGames(const data::Table& table, const data::Register& players, int round, int row,
               bool (*counts)(const data::Table&, const data::Register&, int)) {
  if (!usedRow(table, row)) return 0;
  int games = 0;
  for (int k = 0; k < std::min(round, data::kMaxRounds); ++k) {
    const int o = table.opponentRow(row, k);
    if (o >= 0 && counts(table, players, o)) ++games;
  }
  return games;
}

/// The rows of least cost below kCostBarred, in table order.
class Cheapest {
 public:
  void offer(int row, int cost) {
    if (cost > best_ || cost >= kCostBarred) return;
    if (cost < best_) {
      best_ = cost;
      rows_.count = 0;
    }
    rows_.push(row);
  }
  const RowList& rows() const { return rows_; }

 private:
  int best_ = kCostBarred;
  RowList rows_;
};

}  // namespace

bool canPairAgain(const data::Table& table, const data::Register& players,
                  const PairingOptions& options, int round, int a, int b) {
  if (!roundInPlanes(round) || !usedRow(table, a) || !usedRow(table, b)) return false;
  if (a == b || table.participants[a] == table.participants[b]) return false;
  if (!unpaired(table, b, round)) return false;
  if (entriesOf(table, players, a) > 1 && entriesOf(table, players, b) > 1) return false;
  if (isProfessional(table, players, a) && isProfessional(table, players, b)) return false;
  const int met = meetings(table, round, a, b);
  if (!options.play2 && met > 0) return false;
  const bool woman =
      isWomanProfessional(table, players, a) || isWomanProfessional(table, players, b);
  if (!options.womanProfessionalTwice && woman && met > 0) return false;
  if (meetInRound(table, round, a, b)) return false;
  return met <= 1;
}

bool allProfessionalsPlaced(const data::Table& table, const data::Register& players, int round) {
  if (!roundInPlanes(round)) return true;
  for (int row = 0; row < table.rows(); ++row)
    if (unpaired(table, row, round) && isProfessional(table, players, row)) return false;
  return true;
}

int gamesAgainstProfessionals(const data::Table& table, const data::Register& players, int round,
                              int row) {
  return countGames(table, players, round, row, isProfessional);
}

int gamesAgainstWomen(const data::Table& table, const data::Register& players, int round, int row) {
  return countGames(table, players, round, row, isWomanProfessional);
}

RowList cheapestAmateurs(const ProfessionalRound& r, const PairingOptions& options, int p,
                         bool relaxed) {
  const MeetingCache& f = r.facts();
  const int n = r.rows();
  if (p < 0 || p >= n) return {};
  const bool womanP = f.woman(p);
  // The tests of canPair (i, p) and canPairAgain (i, p) that do not depend on meetings.
  auto mayMeet = [&](int i) {
    return i != p && f.player(i) != f.player(p) && r.unpaired(p) &&
           !(f.entries(i) >= 2 && f.entries(p) >= 2) && !(f.professional(i) && f.professional(p)) &&
           !f.keptApart(i, p);
  };

  Cheapest strict;
  for (int i = 0; i < n; ++i) {
    // Professionals, rows already paired and rows that may not meet p are never chosen.
    if (f.professional(i) || !r.unpaired(i) || !mayMeet(i) || f.timesMet(i, p) > 0) continue;
    const int games = f.gamesAgainstProfessionals(i);
    const int women = f.gamesAgainstWomen(i);
    int cost = 0;
    if (!womanP) {
      cost = 10 * games;
    } else if (women > 0) {
      cost = 10 * games + women;
    } else {
      // Someone who has met only men professionals suits a woman professional best.
      cost = games > 0 ? 10 * games - 1 : 0;
    }
    // Avoid two games in a row against professionals of the same kind.
    const int previous = f.previousOpponent(i);
    if (previous >= 0 && f.professional(previous) && f.woman(previous) == womanP) ++cost;
    strict.offer(i, cost);
  }
  if (!strict.rows().empty() || !relaxed) return strict.rows();
  if (womanP && !options.womanProfessionalTwice) return {};

  // Second meetings, as far as the options allow; a third one never.
  Cheapest again;
  for (int i = 0; i < n; ++i) {
    if (f.professional(i) || !r.unpaired(i) || !mayMeet(i) || r.meetInRound(i, p)) continue;
    const int times = f.timesMet(i, p);
    const bool allowed =
        times == 0 || (times == 1 && options.play2 &&
                       (options.womanProfessionalTwice || !(f.woman(i) || womanP)));
    if (!allowed) continue;
    again.offer(i, 10 * f.gamesAgainstProfessionals(i) + (womanP ? f.gamesAgainstWomen(i) : 0));
  }
  return again.rows();
}

std::optional<int> chooseAmateur(PairingContext& ctx, const ProfessionalRound& round, int p,
                                 bool relaxed) {
  const RowList rows = cheapestAmateurs(round, ctx.options, p, relaxed);
  if (rows.empty()) return std::nullopt;
  return rows[ctx.random.choose(rows.count)];
}

std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed) {
  if (!roundInPlanes(round) || !usedRow(ctx.table, p)) return std::nullopt;
  MeetingCache facts;
  facts.build(ctx.table, ctx.players, round);
  const ProfessionalRound state(ctx.table, facts);
  return chooseAmateur(ctx, state, p, relaxed);
}

}  // namespace toq::pairing
