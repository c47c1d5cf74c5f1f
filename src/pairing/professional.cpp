// Who may take a professional's board, and which amateur gets it: the one who has played
// professionals least so far (random among equals).
#include "pairing/professional.h"

#include "pairing/compat.h"
#include "pairing/professional_rows.h"

namespace toq::pairing {
namespace {

/// Costs of rows that cannot take the professional at all.
constexpr int kCostTaken = 2000;   ///< a professional, or already paired in the round
constexpr int kCostBarred = 1000;  ///< may not meet this professional

bool roundInPlanes(int round) {
  return round >= 0 && round < data::kMaxRounds;
}

bool usedRow(const data::Table& t, int row) {
  return row >= 0 && row < rowsInUse(t);
}

bool unpaired(const data::Table& t, int row, int round) {
  return t.opponent[row][round] == data::kUnpaired;
}

int countGames(const data::Table& table, const data::Register& players, int round, int row,
               bool (*counts)(const data::Table&, const data::Register&, int)) {
  if (!usedRow(table, row)) return 0;
  int games = 0;
  for (int k = 0; k < std::min(round, data::kMaxRounds); ++k) {
    const int o = opponentInUse(table, row, k);
    if (o >= 0 && counts(table, players, o)) ++games;
  }
  return games;
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
  return countGames(table, players, round, row, isProfessional);
}

int gamesAgainstWomen(const data::Table& table, const data::Register& players, int round, int row) {
  return countGames(table, players, round, row, isWomanProfessional);
}

std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed) {
  if (!roundInPlanes(round) || !usedRow(ctx.table, p)) return std::nullopt;
  return chooseAmateurFor(ctx, ProfessionalRows(ctx.table, ctx.players, round), p, relaxed);
}

std::optional<int> chooseAmateurFor(PairingContext& ctx, const ProfessionalRows& rows, int p,
                                    bool relaxed) {
  const data::Table& t = ctx.table;
  const int round = rows.round;
  const int n = rows.count;
  if (p < 0 || p >= n) return std::nullopt;
  const bool womanP = rows.woman[p];
  const MeetingsWith met = meetingsWith(t, rows, p);
  // The tests of canPair (i, p) and canPairAgain (i, p) that do not depend on meetings.
  auto mayMeet = [&](int i) {
    return i != p && rows.player[i] != rows.player[p] && unpaired(t, p, round) &&
           !(rows.entries[i] >= 2 && rows.entries[p] >= 2) &&
           !(rows.professional[i] && rows.professional[p]);
  };
  std::array<int, data::kMaxRows> cost{};

  for (int i = 0; i < n; ++i) {
    if (rows.professional[i] || !unpaired(t, i, round)) {
      cost[i] = kCostTaken;
      continue;
    }
    if (!mayMeet(i) || met.before[i] > 0) {
      cost[i] = kCostBarred;
      continue;
    }
    const int games = rows.gamesAgainstProfessionals[i];
    const int women = rows.gamesAgainstWomen[i];
    if (!womanP) {
      cost[i] = 10 * games;
    } else if (women > 0) {
      cost[i] = 10 * games + women;
    } else {
      // Someone who has met only men professionals suits a woman professional best.
      cost[i] = games > 0 ? 10 * games - 1 : 0;
    }
    // Avoid two games in a row against professionals of the same kind.
    const int previous = rows.previousOpponent[i];
    if (previous >= 0 && rows.professional[previous] && rows.woman[previous] == womanP) ++cost[i];
  }
  if (auto row = pickCheapest(ctx.random, cost, n)) return row;
  if (!relaxed) return std::nullopt;
  if (womanP && !ctx.options.womanProfessionalTwice) return std::nullopt;

  // Second meetings, as far as the options allow; a third one never.
  for (int i = 0; i < n; ++i) {
    const int times = met.before[i];
    const bool again =
        mayMeet(i) && !met.inRound[i] && times <= 1 &&
        (times == 0 ||
         (ctx.options.play2 && (ctx.options.womanProfessionalTwice || !(rows.woman[i] || womanP))));
    if (rows.professional[i] || !unpaired(t, i, round) || !again) {
      cost[i] = kCostBarred;
      continue;
    }
    cost[i] = 10 * rows.gamesAgainstProfessionals[i] + (womanP ? rows.gamesAgainstWomen[i] : 0);
  }
  return pickCheapest(ctx.random, cost, n);
}

}  // namespace toq::pairing
