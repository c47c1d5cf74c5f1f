// The professional step: before the score groups are formed, every professional row that is
// still unpaired gets an amateur. Professionals are placed one at a time, and the passes start
// again from the first after each placement.
#include "pairing/compat.h"
#include "pairing/professional.h"
#include "pairing/professional_rows.h"

namespace toq::pairing {
namespace {

/// The step gives up after this many failing passes; from kRelaxedPass on it allows second
/// meetings as far as the options permit.
constexpr int kPasses = 50;
constexpr int kRelaxedPass = 25;
/// Rejected choices for one row before the pass fails, and the limits of the repetition check.
constexpr int kTriesBeforeFailing = 25;
constexpr int kTriesNearBoards = 15;
constexpr int kTriesMax = 50;

/// How one pass ended.
enum class PassEnd {
  Placed,  ///< a game was placed and the passes start again from the first
  Failed,  ///< a professional found no amateur; count the pass
  Through  ///< every visited row was handled
};

/// Everything one run of the step works on.
struct Step {
  PairingContext& ctx;
  const ProfessionalRows& rows;
  int round;

  data::Table& table() const { return ctx.table; }
  bool unpaired(int row) const { return ctx.table.opponent[row][round] == data::kUnpaired; }

  bool allPlaced() const {
    for (int row = 0; row < rows.count; ++row)
      if (rows.professional[row] && unpaired(row)) return false;
    return true;
  }

  /// Another unpaired professional row that may take amateur c, scanning from the last row.
  int otherProfessionalRowFor(int c) const {
    for (int q = rows.count - 1; q >= 0; --q) {
      if (!rows.professional[q] || !unpaired(q)) continue;
      if (haveMet(table(), round, q, c)) continue;
      // Never one amateur twice for a professional in a round, never two multi-board players.
      if (!canPair(table(), ctx.players, round, c, q) || meetInRound(table(), round, q, c))
        continue;
      return q;
    }
    return -1;
  }

  bool someProfessionalHasNotMet(int c) const {
    for (int q = 0; q < rows.count; ++q)
      if (rows.professional[q] && !haveMet(table(), round, q, c)) return true;
    return false;
  }

  /// True when c repeats a game of the previous round on this professional's boards near row
  /// p, or when p's player already plays c's player in this round.
  bool repeats(int p, int c, int tries) const {
    if (meetInRound(table(), round, p, c)) return true;
    if (round == 0) return false;
    auto boardHad = [&](int row) {
      return row >= 0 && row < rows.count && rows.player[row] == rows.player[p] &&
             rows.previousOpponent[row] == c;
    };
    if (boardHad(p) || boardHad(p - 1) || boardHad(p + 1)) return true;
    return tries < kTriesNearBoards && (boardHad(p + 2) || (p > 1 && boardHad(p - 2)));
  }

  /// Finds an amateur for unpaired professional row p.
  PassEnd place(int p, bool relaxed) {
    for (int tries = 0;;) {
      const std::optional<int> chosen = chooseAmateurFor(ctx, rows, p, relaxed);
      if (!chosen) return PassEnd::Failed;
      const int c = *chosen;
      if (canPairAgain(table(), ctx.players, ctx.options, round, p, c)) {
        table().setPair(round, p, c);
        return PassEnd::Placed;
      }
      if (const int q = otherProfessionalRowFor(c); q >= 0) {
        table().setPair(round, q, c);
        return PassEnd::Placed;
      }
      if (tries >= kTriesBeforeFailing || !someProfessionalHasNotMet(c)) return PassEnd::Failed;
      if (canPair(table(), ctx.players, round, c, p) && !repeats(p, c, tries)) {
        table().setPair(round, p, c);
        return PassEnd::Through;  // the pass goes on with its next row
      }
      if (++tries > kTriesMax) return PassEnd::Failed;
    }
  }

  /// Visits every row once; unpaired professional rows get an amateur.
  PassEnd runPass(int pass) {
    const int n = rows.count;
    const bool relaxed = pass >= kRelaxedPass;
    // The options and the parity of the pass each turn the direction round.
    const bool backwards =
        (!ctx.options.play2 || ctx.options.womanProfessionalTwice) != (pass % 2 == 1);
    for (int k = 0; k < n; ++k) {
      const int p = backwards ? (n - 1 - k + pass) % n : (k + pass) % n;
      if (!unpaired(p) || !rows.professional[p]) continue;
      if (const PassEnd end = place(p, relaxed); end != PassEnd::Through) return end;
    }
    return PassEnd::Through;
  }
};

}  // namespace

int professionalStep(PairingContext& ctx, int round) {
  if (round < 0 || round >= data::kMaxRounds) return -1;
  const ProfessionalRows rows(ctx.table, ctx.players, round);
  Step step{ctx, rows, round};
  int pass = 0;
  for (;;) {
    if (step.allPlaced()) return 0;
    if (pass >= kPasses) return -1;
    // A pass that runs through has placed every row it visited; counting it anyway keeps the
    // loop finite whatever the table holds.
    pass = step.runPass(pass) == PassEnd::Placed ? 0 : pass + 1;
  }
}

}  // namespace toq::pairing
