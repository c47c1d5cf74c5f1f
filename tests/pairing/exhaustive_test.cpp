#include "pairing/exhaustive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "pairing/brute_force_pairing.h"
#include "pairing/compat.h"
#include "pairing/min_cost_matching.h"
#include "pairing/professional.h"
#include "pairing/random_tournament.h"
#include "support/builders.h"

namespace toq::pairing {
namespace {

using testing::Tournament;

/// What a search returned and the table and generator it left.
struct Outcome {
  int result = 0;
  std::unique_ptr<Tournament> after;
};

/// The rows of the round as the enumeration starts them: the opponent entries, -1 for open rows.
std::vector<int> startOf(const data::Table& table, int round) {
  std::vector<int> start;
  for (int row = 0; row < table.participantCount; ++row)
    start.push_back(table.opponent[row][round]);
  return start;
}

/// Writes the kept assignment to the round and reports 0, or reports -1 when nothing was kept.
int writeKept(data::Table& table, int round, const testing::BruteForceResult& kept) {
  if (kept.count == 0) return -1;
  for (int row = 0; row < table.participantCount; ++row)
    table.opponent[row][round] = static_cast<std::int16_t>(kept.assignment[row]);
  return 0;
}

/// What the enumeration asks of the rows, asked once beforehand: the table does not change
/// while it runs, so the answers are the same. Flat arrays keep unoptimised test builds quick.
struct RowFacts {
  int n = 0;
  std::vector<int> key;       ///< score key per row
  std::vector<char> amateur;  ///< the row's player is not a professional
  std::vector<char> allowed;  ///< [a * n + b]: the pairing test
  std::vector<char> met;      ///< [a * n + b]: haveMet

  template <class Test>
  RowFacts(const Tournament& t, int round, Test test)
      : n(t.table.participantCount), key(n), amateur(n), allowed(n * n), met(n * n) {
    for (int a = 0; a < n; ++a) {
      key[a] = scoreKey(t.table, round, a);
      amateur[a] = !isProfessional(t.table, t.players, a);
      for (int b = 0; b < n; ++b) {
        allowed[a * n + b] = a != b && test(a, b);
        met[a * n + b] = a != b && haveMet(t.table, round, a, b);
      }
    }
  }

  bool allows(int d, int i) const { return allowed[d * n + i] != 0; }

  /// Sum over the pairs (each once, byes excluded) of the score key difference; with
  /// `secondMeetings`, 20 more for every amateur row that has met its opponent's player.
  std::int64_t cost(const std::vector<int>& assignment, bool secondMeetings) const {
    const int* work = assignment.data();
    std::int64_t sum = 0;
    for (int a = 0; a < n; ++a) {
      const int b = work[a];
      if (b < 0 || b >= n) continue;
      if (b > a) sum += std::abs(key[a] - key[b]);
      if (secondMeetings && amateur[a] && met[a * n + b]) sum += 20;
    }
    return sum;
  }
};

/// The exhaustive search of a round as described, literally, on a copy of the tournament.
Outcome literalPairRound(const Tournament& original, int round) {
  Outcome o{0, std::make_unique<Tournament>(original)};
  Tournament& t = *o.after;
  PairingContext ctx = t.context();
  if (professionalStep(ctx, round) != 0) {
    o.result = -3;
    return o;
  }
  for (int row = 0; row < t.table.participantCount; ++row) {
    if (t.table.opponent[row][round] == data::kUnpaired &&
        isProfessional(t.table, t.players, row)) {
      o.result = -1;
      return o;
    }
  }
  const RowFacts facts(t, round,
                       [&](int a, int b) { return canPair(t.table, t.players, round, a, b); });
  const auto kept = testing::bruteForcePairing(
      startOf(t.table, round), [&](int d, int i) { return facts.allows(d, i); },
      [&](const std::vector<int>& work) { return facts.cost(work, false); });
  o.result = writeKept(t.table, round, kept);
  return o;
}

/// The professional exhaustive search as described, literally, on a copy of the tournament.
Outcome literalPairWithProfessionals(const Tournament& original, int round) {
  Outcome o{0, std::make_unique<Tournament>(original)};
  Tournament& t = *o.after;
  t.ui.statusMessage("棋士と全組み合わせ中...");
  const RowFacts facts(t, round, [&](int a, int b) {
    return canPairAgain(t.table, t.players, t.options, round, a, b);
  });
  const auto kept = testing::bruteForcePairing(
      startOf(t.table, round), [&](int d, int i) { return facts.allows(d, i); },
      [&](const std::vector<int>& work) { return facts.cost(work, t.options.play2); });
  o.result = writeKept(t.table, round, kept);
  return o;
}

void expectSameOutcome(const Outcome& expected, int result, const Tournament& actual, int round) {
  ASSERT_EQ(result, expected.result);
  for (int row = 0; row < data::kMaxRows; ++row)
    ASSERT_EQ(actual.table.opponent[row][round], expected.after->table.opponent[row][round])
        << "row " << row;
  EXPECT_EQ(actual.random.state(), expected.after->random.state());
  EXPECT_EQ(actual.ui.statuses(), expected.after->ui.statuses());
}

/// A random tournament about to pair a round with at most 16 open rows; some rows of the round
/// already hold a bye or a game (professionals among them, as their own step would leave them).
std::unique_ptr<Tournament> randomCase(std::mt19937& rng, int& round) {
  testing::TournamentRecipe recipe;
  recipe.round = static_cast<int>(rng() % 5);
  const int professionals = static_cast<int>(rng() % 3);
  for (int i = 0; i < professionals; ++i) {
    recipe.professionalBoards.push_back(1 + static_cast<int>(rng() % 3));
    recipe.womanProfessional.push_back(rng() % 2 == 0);
  }
  recipe.multiBoardAmateurs = rng() % 3 == 0 ? 1 : 0;
  recipe.amateurs = 3 + static_cast<int>(rng() % 14);
  recipe.byePercent = static_cast<int>(rng() % 15);
  auto t = testing::randomTournament(rng, recipe);
  round = recipe.round;
  t->options.play2 = rng() % 2 == 0;
  t->options.womanProfessionalTwice = rng() % 2 == 0;
  t->random.seed(static_cast<std::uint32_t>(rng()));

  data::Table& table = t->table;
  const int n = table.participantCount;
  const bool placeProfessionals = rng() % 2 == 0;
  std::vector<int> open;
  for (int row = 0; row < n; ++row) open.push_back(row);
  std::shuffle(open.begin(), open.end(), rng);
  for (int row = 0; row < n && placeProfessionals; ++row) {
    if (!isProfessional(table, t->players, row) || table.opponent[row][round] != data::kUnpaired)
      continue;
    for (int other : open) {
      if (table.opponent[other][round] == data::kUnpaired &&
          !isProfessional(table, t->players, other)) {
        table.setPair(round, row, other);
        break;
      }
    }
  }
  // Up to 12 open rows, now and then up to 14 or 16.
  const int limit = rng() % 200 == 0 ? 16 : rng() % 25 == 0 ? 14 : 12;
  int unpaired = 0;
  for (int row : open) {
    if (table.opponent[row][round] != data::kUnpaired) continue;
    if (unpaired >= limit || rng() % 12 == 0)
      table.opponent[row][round] = rng() % 2 == 0 ? data::kBye : data::kAbsent;
    else
      ++unpaired;
  }
  // Mostly an even number of open rows, as the pairing command requires.
  if (unpaired % 2 != 0 && rng() % 5 != 0) {
    for (int row : open) {
      if (table.opponent[row][round] == data::kUnpaired) {
        table.opponent[row][round] = data::kBye;
        break;
      }
    }
  }
  return t;
}

// The main property: on generated tables the exact searches leave exactly what the literal
// enumeration leaves: the same pairing, the same failure, the same generator state.
TEST(ExhaustiveSearch, PairRoundMatchesTheEnumeration) {
  std::mt19937 rng(5150);
  int paired = 0;
  for (int iteration = 0; iteration < 1500; ++iteration) {
    int round = 0;
    auto t = randomCase(rng, round);
    SCOPED_TRACE(::testing::Message() << "iteration " << iteration << " round " << round);
    const Outcome expected = literalPairRound(*t, round);
    PairingContext ctx = t->context();
    const int result = pairRoundExhaustively(ctx, round);
    expectSameOutcome(expected, result, *t, round);
    if (result == 0) ++paired;
  }
  EXPECT_GT(paired, 300);
}

TEST(ExhaustiveSearch, PairWithProfessionalsMatchesTheEnumeration) {
  std::mt19937 rng(8086);
  int paired = 0;
  int again = 0;
  for (int iteration = 0; iteration < 1500; ++iteration) {
    int round = 0;
    auto t = randomCase(rng, round);
    SCOPED_TRACE(::testing::Message() << "iteration " << iteration << " round " << round);
    const Outcome expected = literalPairWithProfessionals(*t, round);
    const data::Plane before = t->table.opponent;
    PairingContext ctx = t->context();
    const int result = pairWithProfessionalsExhaustively(ctx, round);
    expectSameOutcome(expected, result, *t, round);
    if (result != 0) continue;
    ++paired;
    for (int row = 0; row < t->table.participantCount; ++row) {
      const int o = t->table.opponent[row][round];
      if (before[row][round] == data::kUnpaired && haveMet(t->table, round, row, o)) {
        ++again;
        break;
      }
    }
  }
  // Enough of both: pairings found, and pairings that needed a second meeting.
  EXPECT_GT(paired, 400);
  EXPECT_GT(again, 20);
}

// Round 1 of six: rows 0, 1, 2 won round 0 against 3, 4, 5. One winner must meet a loser; the
// first least-cost pairing keeps 0-1 together and sends 2 down to the first loser it has not met.
TEST(ExhaustiveSearch, KeepsTheFirstLeastCostPairing) {
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 6; ++i) t->addParticipant("P" + std::to_string(i));
  for (int i = 0; i < 3; ++i) t->play(0, i, i + 3, data::kWin);
  for (int row = 0; row < 6; ++row) t->table.standings[row][0].score = row < 3 ? 2 : 0;
  PairingContext ctx = t->context();
  ASSERT_EQ(pairRoundExhaustively(ctx, 1), 0);
  const std::vector<int> expected = {1, 0, 3, 2, 5, 4};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(t->table.opponent[row][1], expected[row]);
}

// Scores far outside anything a real event reaches (a damaged standings block): every
// pairing costs more than 10000, and the least-cost one is still found and written.
TEST(ExhaustiveSearch, PairsWhateverTheScoresHold) {
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->play(0, 0, 1, data::kWin);
  t->play(0, 2, 3, data::kWin);
  const int keys[] = {std::numeric_limits<std::int32_t>::max(),
                      std::numeric_limits<std::int32_t>::min(), -30000, 20000};
  for (int row = 0; row < 4; ++row) t->table.standings[row][0].score = keys[row];
  PairingContext ctx = t->context();
  ASSERT_EQ(pairRoundExhaustively(ctx, 1), 0);
  // 0-2 1-3 costs 2^32 + 49999, 0-3 1-2 costs 2^32 - 50001.
  const std::vector<int> expected = {3, 2, 1, 0};
  for (int row = 0; row < 4; ++row) EXPECT_EQ(t->table.opponent[row][1], expected[row]);
}

TEST(ExhaustiveSearch, NoPairingLeavesTheTableAlone) {
  // Row 0 has met everybody else: nothing can be done, and nothing is written.
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->play(0, 0, 1, data::kWin);
  t->play(0, 2, 3, data::kWin);
  t->play(1, 0, 2, data::kWin);
  t->play(1, 1, 3, data::kWin);
  t->play(2, 0, 3, data::kWin);
  t->play(2, 1, 2, data::kWin);
  const data::Plane before = t->table.opponent;
  PairingContext ctx = t->context();
  EXPECT_EQ(pairRoundExhaustively(ctx, 3), -1);
  EXPECT_EQ(t->table.opponent, before);
  EXPECT_EQ(pairWithProfessionalsExhaustively(ctx, 3), -1);
  EXPECT_EQ(t->table.opponent, before);
}

TEST(ExhaustiveSearch, ProfessionalSearchAnnouncesItselfFirst) {
  auto t = testing::makeTournament(4);
  PairingContext ctx = t->context();
  EXPECT_EQ(pairWithProfessionalsExhaustively(ctx, 0), 0);  // nothing to pair
  EXPECT_EQ(pairWithProfessionalsExhaustively(ctx, 40), -1);
  const std::vector<std::string> expected(2, "棋士と全組み合わせ中...");
  EXPECT_EQ(t->ui.statuses(), expected);
}

TEST(ExhaustiveSearch, RefusesRoundsAndRowCountsOutOfRange) {
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  const data::Plane before = t->table.opponent;
  PairingContext ctx = t->context();
  for (int round : {-1, 4, data::kMaxRounds, 1000}) {
    EXPECT_EQ(pairRoundExhaustively(ctx, round), -1);
    EXPECT_EQ(pairWithProfessionalsExhaustively(ctx, round), -1);
  }
  t->table.participantCount = 150;
  EXPECT_EQ(pairRoundExhaustively(ctx, 0), -1);
  EXPECT_EQ(pairWithProfessionalsExhaustively(ctx, 0), -1);
  EXPECT_EQ(t->table.opponent, before);
}

// A full table late in a large event: 99 rows, 98 to pair after seven rounds. The literal
// enumeration would run for hours; the exact search must be done at once and pair every
// open row with an allowed partner at the least total cost.
TEST(ExhaustiveSearch, FullTableLateInTheEventIsQuick) {
  std::mt19937 rng(31337);
  testing::TournamentRecipe recipe;
  recipe.amateurs = 99;
  recipe.round = 7;
  recipe.byePercent = 2;
  auto t = testing::randomTournament(rng, recipe);
  t->table.opponent[98][7] = data::kBye;
  std::vector<MatchingEdge> edges;
  std::vector<std::vector<bool>> allowed(98, std::vector<bool>(98, false));
  for (int a = 0; a < 98; ++a) {
    for (int b = a + 1; b < 98; ++b) {
      if (!canPair(t->table, t->players, 7, a, b)) continue;
      allowed[a][b] = allowed[b][a] = true;
      edges.push_back({a, b, std::abs(scoreKey(t->table, 7, a) - scoreKey(t->table, 7, b))});
    }
  }
  const auto least = minCostPerfectMatching(98, edges);
  ASSERT_TRUE(least);

  PairingContext ctx = t->context();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(pairRoundExhaustively(ctx, 7), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  std::int64_t cost = 0;
  for (int a = 0; a < 98; ++a) {
    const int b = t->table.opponent[a][7];
    ASSERT_TRUE(b >= 0 && b < 98 && t->table.opponent[b][7] == a && allowed[a][b]) << "row " << a;
    if (a < b) cost += std::abs(scoreKey(t->table, 7, a) - scoreKey(t->table, 7, b));
  }
  EXPECT_EQ(cost, least->cost);
}

}  // namespace
}  // namespace toq::pairing
