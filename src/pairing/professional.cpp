// The professional step: before the score groups are formed, every professional row that is
// still unpaired gets the amateur who has played professionals least (random among equals).
#include "pairing/professional.h"

#include <algorithm>
#include <array>

#include "pairing/compat.h"

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

/// Costs of rows that cannot take the professional at all.
constexpr int kCostTaken = 2000;   ///< a professional, or already paired in the round
constexpr int kCostBarred = 1000;  ///< may not meet this professional

bool roundInPlanes(int round) {
  return round >= 0 && round < data::kMaxRounds;
}

int rowsInUse(const data::Table& t) {
  return std::clamp(t.participantCount, 0, data::kMaxParticipants);
}

bool usedRow(const data::Table& t, int row) {
  return row >= 0 && row < rowsInUse(t);
}

/// The opponent row of (row, round) when it is a used row, else -1.
int opponentOf(const data::Table& t, int row, int round) {
  const int o = t.opponentRow(row, round);
  return usedRow(t, o) ? o : -1;
}

bool unpaired(const data::Table& t, int row, int round) {
  return t.opponent[row][round] == data::kUnpaired;
}

/// True when some row of a's player already plays b or a row of b's player in the round.
bool meetInRound(const data::Table& t, int round, int a, int b) {
  const int na = t.participants[a];
  const int nb = t.participants[b];
  for (int row = 0; row < rowsInUse(t); ++row) {
    if (t.participants[row] != na) continue;
    const int o = opponentOf(t, row, round);
    if (o >= 0 && (o == b || t.participants[o] == nb)) return true;
  }
  return false;
}

/// Picks one of the rows of least cost below kCostBarred, in table order, with one draw.
std::optional<int> pickCheapest(Random& random, const std::array<int, data::kMaxRows>& cost,
                                int n) {
  int best = kCostBarred;
  for (int i = 0; i < n; ++i) best = std::min(best, cost[i]);
  if (best >= kCostBarred) return std::nullopt;
  std::array<int, data::kMaxRows> rows{};
  int count = 0;
  for (int i = 0; i < n; ++i)
    if (cost[i] == best) rows[count++] = i;
  return rows[random.choose(count)];
}

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
  for (int row = 0; row < rowsInUse(table); ++row)
    if (unpaired(table, row, round) && isProfessional(table, players, row)) return false;
  return true;
}

int gamesAgainstProfessionals(const data::Table& table, const data::Register& players, int round,
                              int row) {
  if (!usedRow(table, row)) return 0;
  int games = 0;
  for (int k = 0; k < std::min(round, data::kMaxRounds); ++k) {
    const int o = opponentOf(table, row, k);
    if (o >= 0 && isProfessional(table, players, o)) ++games;
  }
  return games;
}

int gamesAgainstWomen(const data::Table& table, const data::Register& players, int round, int row) {
  if (!usedRow(table, row)) return 0;
  int games = 0;
  for (int k = 0; k < std::min(round, data::kMaxRounds); ++k) {
    const int o = opponentOf(table, row, k);
    if (o >= 0 && isWomanProfessional(table, players, o)) ++games;
  }
  return games;
}

std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed) {
  const data::Table& t = ctx.table;
  if (!roundInPlanes(round) || !usedRow(t, p)) return std::nullopt;
  const int n = rowsInUse(t);
  const bool womanP = isWomanProfessional(t, ctx.players, p);
  std::array<int, data::kMaxRows> cost{};

  for (int i = 0; i < n; ++i) {
    if (isProfessional(t, ctx.players, i) || !unpaired(t, i, round)) {
      cost[i] = kCostTaken;
      continue;
    }
    if (!canPair(t, ctx.players, round, i, p)) {
      cost[i] = kCostBarred;
      continue;
    }
    const int games = gamesAgainstProfessionals(t, ctx.players, round, i);
    const int women = gamesAgainstWomen(t, ctx.players, round, i);
    if (!womanP) {
      cost[i] = 10 * games;
    } else if (women > 0) {
      cost[i] = 10 * games + women;
    } else {
      // Someone who has met only men professionals suits a woman professional best.
      cost[i] = games > 0 ? 10 * games - 1 : 0;
    }
    // Avoid two games in a row against professionals of the same kind.
    const int previous = round > 0 ? opponentOf(t, i, round - 1) : -1;
    if (previous >= 0 && isProfessional(t, ctx.players, previous) &&
        isWomanProfessional(t, ctx.players, previous) == womanP)
      ++cost[i];
  }
  if (auto row = pickCheapest(ctx.random, cost, n)) return row;
  if (!relaxed) return std::nullopt;
  if (womanP && !ctx.options.womanProfessionalTwice) return std::nullopt;

  for (int i = 0; i < n; ++i) {
    if (isProfessional(t, ctx.players, i) || !unpaired(t, i, round) ||
        !canPairAgain(t, ctx.players, ctx.options, round, i, p)) {
      cost[i] = kCostBarred;
      continue;
    }
    cost[i] = 10 * gamesAgainstProfessionals(t, ctx.players, round, i) +
              (womanP ? gamesAgainstWomen(t, ctx.players, round, i) : 0);
  }
  return pickCheapest(ctx.random, cost, n);
}

namespace {

/// How one pass ended.
enum class PassEnd {
  Placed,  ///< a game was placed by the fallback paths; start again from pass 0
  Failed,  ///< a professional found no amateur; count the pass
  Through  ///< every visited row was handled
};

/// Another unpaired professional row that may take amateur c, scanning from the last row.
int otherProfessionalRowFor(const PairingContext& ctx, int round, int c) {
  const data::Table& t = ctx.table;
  for (int q = rowsInUse(t) - 1; q >= 0; --q) {
    if (!isProfessional(t, ctx.players, q) || !unpaired(t, q, round)) continue;
    if (haveMet(t, round, q, c)) continue;
    // Never the same amateur twice for one professional in a round, never two multi-board
    // players against each other.
    if (!canPair(t, ctx.players, round, c, q) || meetInRound(t, round, q, c)) continue;
    return q;
  }
  return -1;
}

bool someProfessionalHasNotMet(const PairingContext& ctx, int round, int c) {
  const data::Table& t = ctx.table;
  for (int q = 0; q < rowsInUse(t); ++q)
    if (isProfessional(t, ctx.players, q) && !haveMet(t, round, q, c)) return true;
  return false;
}

/// True when c repeats a game of the previous round on this professional's boards near row p,
/// or when p's player already plays c's player in this round.
bool repeats(const PairingContext& ctx, int round, int p, int c, int tries) {
  const data::Table& t = ctx.table;
  if (meetInRound(t, round, p, c)) return true;
  if (round == 0) return false;
  const int previous = round - 1;
  const int number = t.participants[p];
  auto boardHad = [&](int row) {
    return usedRow(t, row) && t.participants[row] == number && opponentOf(t, row, previous) == c;
  };
  if (opponentOf(t, p, previous) == c || boardHad(p - 1) || boardHad(p + 1)) return true;
  if (tries < kTriesNearBoards && (boardHad(p + 2) || (p > 1 && boardHad(p - 2)))) return true;
  return false;
}

/// Visits every row once; unpaired professional rows get an amateur.
PassEnd runPass(PairingContext& ctx, int round, int pass) {
  data::Table& t = ctx.table;
  const int n = rowsInUse(t);
  const bool relaxed = pass >= kRelaxedPass;
  // The options and the parity of the pass each turn the direction round.
  const bool backwards =
      (!ctx.options.play2 || ctx.options.womanProfessionalTwice) != (pass % 2 == 1);

  for (int k = 0; k < n; ++k) {
    const int p = backwards ? (n - 1 - k + pass) % n : (k + pass) % n;
    if (!unpaired(t, p, round) || !isProfessional(t, ctx.players, p)) continue;

    for (int tries = 0;;) {
      const std::optional<int> chosen = chooseAmateur(ctx, round, p, relaxed);
      if (!chosen) return PassEnd::Failed;
      const int c = *chosen;
      if (canPairAgain(t, ctx.players, ctx.options, round, p, c)) {
        t.setPair(round, p, c);
        return PassEnd::Placed;
      }
      if (const int q = otherProfessionalRowFor(ctx, round, c); q >= 0) {
        t.setPair(round, q, c);
        return PassEnd::Placed;
      }
      if (tries >= kTriesBeforeFailing || !someProfessionalHasNotMet(ctx, round, c))
        return PassEnd::Failed;
      if (canPair(t, ctx.players, round, c, p) && !repeats(ctx, round, p, c, tries)) {
        t.setPair(round, p, c);
        break;  // on with the next visited row of this pass
      }
      if (++tries > kTriesMax) return PassEnd::Failed;
    }
  }
  return PassEnd::Through;
}

}  // namespace

int professionalStep(PairingContext& ctx, int round) {
  if (!roundInPlanes(round)) return -1;
  int pass = 0;
  for (;;) {
    if (allProfessionalsPlaced(ctx.table, ctx.players, round)) return 0;
    if (pass >= kPasses) return -1;
    // A pass that runs through has placed every row it visited; counting it anyway keeps the
    // loop finite whatever the table holds.
    pass = runPass(ctx, round, pass) == PassEnd::Placed ? 0 : pass + 1;
  }
}

}  // namespace toq::pairing
