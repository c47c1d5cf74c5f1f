// TEST ORACLE: the professional step before it took the run's prepared meeting answers,
// copied unchanged apart from its namespace and without the parts the step does not use.
#include "professional_step_oracle.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "pairing/compat.h"

namespace toq::pairing::oracle {
namespace {

/// Rows in use, bounded by the table's capacity whatever its count claims.
inline int rowsInUse(const data::Table& t) {
  return std::clamp(t.participantCount, 0, data::kMaxParticipants);
}

/// The opponent row of (row, round) when it is a used row, else -1.
inline int opponentInUse(const data::Table& t, int row, int round) {
  const int o = t.opponentRow(row, round);
  return o < rowsInUse(t) ? o : -1;
}

/// True when some row of a's player already plays b or a row of b's player in the round
/// (a and b used rows).
bool meetInRound(const data::Table& t, int round, int a, int b);

/// Player facts and the history before one round, per used row.
struct ProfessionalRows {
  int round = 0;  ///< the round being paired, 0..kMaxRounds-1
  int count = 0;  ///< rows in use
  /// First row holding the same player number: rows of one player share it.
  std::array<int, data::kMaxRows> player{};
  std::array<int, data::kMaxRows> entries{};        ///< boards of the player (1 when unknown)
  std::array<bool, data::kMaxRows> professional{};  ///< the player is a professional
  std::array<bool, data::kMaxRows> woman{};         ///< the player is a woman professional
  std::array<int, data::kMaxRows> gamesAgainstProfessionals{};  ///< before the round
  std::array<int, data::kMaxRows> gamesAgainstWomen{};          ///< before the round
  std::array<int, data::kMaxRows> previousOpponent{};           ///< row met in round-1, or -1
  /// Games before the round between the players of two rows, indexed by `player`: every row
  /// of the first player against the second player (as `meetings`).
  std::array<std::array<std::int16_t, data::kMaxRows>, data::kMaxRows> met{};

  ProfessionalRows(const data::Table& table, const data::Register& players, int round);
};

/// How the player of every row has met the player of one row p.
struct MeetingsWith {
  /// Games before the round, counted over every row of both players (as `meetings`).
  std::array<int, data::kMaxRows> before{};
  /// Some row of the player already faces p or a row of p's player in the round.
  std::array<bool, data::kMaxRows> inRound{};
};
MeetingsWith meetingsWith(const data::Table& table, const ProfessionalRows& rows, int p);

/// `chooseAmateur` on prepared rows (the round is rows.round).
std::optional<int> chooseAmateurFor(PairingContext& ctx, const ProfessionalRows& rows, int p,
                                    bool relaxed);

ProfessionalRows::ProfessionalRows(const data::Table& table, const data::Register& players,
                                   int round_)
    : round(std::clamp(round_, 0, data::kMaxRounds - 1)), count(rowsInUse(table)) {
  for (int row = 0; row < count; ++row) {
    int first = 0;
    while (table.participants[first] != table.participants[row]) ++first;
    player[row] = first;
    if (first == row) {
      const data::Player* p = playerOf(table, players, row);
      entries[row] = p ? p->entries : 1;
      professional[row] = p && p->professional != 0;
      woman[row] = p && p->womanProfessional != 0;
    } else {
      entries[row] = entries[first];
      professional[row] = professional[first];
      woman[row] = woman[first];
    }
  }
  for (int row = 0; row < count; ++row) {
    for (int k = 0; k < round; ++k) {
      const int o = opponentInUse(table, row, k);
      if (o < 0) continue;
      ++met[player[row]][player[o]];
      if (professional[o]) ++gamesAgainstProfessionals[row];
      if (woman[o]) ++gamesAgainstWomen[row];
    }
    previousOpponent[row] = round > 0 ? opponentInUse(table, row, round - 1) : -1;
  }
}

bool meetInRound(const data::Table& t, int round, int a, int b) {
  const int na = t.participants[a];
  const int nb = t.participants[b];
  for (int row = 0; row < rowsInUse(t); ++row) {
    if (t.participants[row] != na) continue;
    const int o = opponentInUse(t, row, round);
    if (o >= 0 && (o == b || t.participants[o] == nb)) return true;
  }
  return false;
}

MeetingsWith meetingsWith(const data::Table& table, const ProfessionalRows& rows, int p) {
  std::array<bool, data::kMaxRows> inRound{};  // by player
  for (int row = 0; row < rows.count; ++row) {
    const int o = opponentInUse(table, row, rows.round);
    if (o >= 0 && rows.player[o] == rows.player[p]) inRound[rows.player[row]] = true;
  }
  MeetingsWith m;
  for (int row = 0; row < rows.count; ++row) {
    m.before[row] = rows.met[rows.player[row]][rows.player[p]];
    m.inRound[row] = inRound[rows.player[row]];
  }
  return m;
}

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

std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed) {
  if (!roundInPlanes(round) || !usedRow(ctx.table, p)) return std::nullopt;
  return chooseAmateurFor(ctx, ProfessionalRows(ctx.table, ctx.players, round), p, relaxed);
}

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

}  // namespace toq::pairing::oracle
