// The driver's report of how it paired a round: asking for it changes no byte of the table, no
// draw of the generator and no message, and what it says agrees with the messages of the run.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing_fixture.h"
#include "support/simulate.h"

namespace toq {
namespace {

using pairing::PairingMethod;
using pairing::PairingWay;

/// How often each way was reported over a run, to see that the generator reaches them all.
struct Tally {
  int runs = 0;
  int failures = 0;
  int firstSeed = 0;
  int laterSeed = 0;
  int prePass = 0;
  int professionalGames = 0;
  int relaxed = 0;
  int professionalSearch = 0;
  int exhaustiveSearch = 0;
};

/// Every byte of what a pairing run may change: the planes and the standings block.
bool sameBytes(const data::Table& a, const data::Table& b) {
  return std::memcmp(&a.opponent, &b.opponent, sizeof a.opponent) == 0 &&
         std::memcmp(&a.side, &b.side, sizeof a.side) == 0 &&
         std::memcmp(&a.handicap, &b.handicap, sizeof a.handicap) == 0 &&
         std::memcmp(&a.result, &b.result, sizeof a.result) == 0 &&
         std::memcmp(&a.standings, &b.standings, sizeof a.standings) == 0 &&
         a.participantCount == b.participantCount && a.participants == b.participants;
}

/// A message without the milliseconds that the professional search's last message measures.
std::string withoutTiming(const std::string& message) {
  static const std::string kSearchDone = "棋士と組み合わせ終了";
  return message.rfind(kSearchDone, 0) == 0 ? kSearchDone : message;
}

int unpairedProfessionalRows(const testing::Tournament& t, int round) {
  int n = 0;
  for (int row = 0; row < t.table.participantCount; ++row)
    if (t.table.opponent[row][round] == data::kUnpaired &&
        pairing::isProfessional(t.table, t.players, row))
      ++n;
  return n;
}

/// A field of amateurs, multi-board amateurs and professionals (some women), small enough
/// that later rounds run out of fresh opponents and reach the searches.
std::unique_ptr<testing::Tournament> field(std::mt19937& rng) {
  auto t = testing::makeTournament(3 + static_cast<int>(rng() % 6));
  t->options.play2 = rng() % 2 == 0;
  t->options.womanProfessionalTwice = rng() % 3 == 0;
  const int amateurs = 3 + static_cast<int>(rng() % 12);
  const int professionals = static_cast<int>(rng() % 3);
  for (int i = 0; i < amateurs + professionals; ++i) {
    const bool pro = i >= amateurs;
    const int boards = pro ? 1 + static_cast<int>(rng() % 3) : (rng() % 8 == 0 ? 2 : 1);
    t->addParticipant("P" + std::to_string(i), 1600, boards, pro, pro && rng() % 3 == 0);
  }
  return t;
}

/// Byes where needed, sometimes an absence or a pair set by hand before the round.
void prepareRound(std::mt19937& rng, testing::Tournament& t, int round) {
  auto& tb = t.table;
  const int n = tb.participantCount;
  for (int row = 0; row < n; ++row)
    if (rng() % 25 == 0) tb.opponent[row][round] = data::kAbsent;
  if (rng() % 10 == 0) {
    const int a = static_cast<int>(rng() % n);
    const int b = static_cast<int>(rng() % n);
    if (tb.opponent[a][round] == data::kUnpaired && pairing::canPair(tb, t.players, round, a, b))
      tb.setPair(round, a, b);
  }
  if (tb.unpairedRows(round) % 2 != 0) testing::setByeIfOdd(t, round, rng());
}

/// Pairs one round twice from the same state, without and with the report, and checks that
/// both runs are the same to the byte and that the report agrees with the run's messages.
bool pairBothWays(testing::Tournament& t, int round, Tally& tally, const std::string& where) {
  const auto before = std::make_unique<data::Table>(t.table);
  const pairing::Random generator = t.random;
  const int professionalRows = unpairedProfessionalRows(t, round);

  t.ui.clear();
  auto plain = t.context();
  const int rc = pairing::runPairing(plain, round, {});
  const auto plainTable = std::make_unique<data::Table>(t.table);
  const auto plainMessages = t.ui.messages;
  const std::uint32_t plainState = t.random.state();

  t.table = *before;
  t.random = generator;
  t.ui.clear();
  auto reported = t.context();
  PairingWay way;
  way.seed = -7;  // whatever it held before is replaced
  EXPECT_EQ(pairing::runPairing(reported, round, {}, &way), rc) << where;
  EXPECT_TRUE(sameBytes(t.table, *plainTable)) << where;
  EXPECT_EQ(t.random.state(), plainState) << where;
  EXPECT_EQ(t.ui.messages.size(), plainMessages.size()) << where;
  if (t.ui.messages.size() != plainMessages.size()) return false;
  for (std::size_t i = 0; i < plainMessages.size(); ++i)
    EXPECT_EQ(withoutTiming(t.ui.messages[i].text), withoutTiming(plainMessages[i].text)) << where;

  ++tally.runs;
  const auto statuses = t.ui.statuses();
  if (rc != 0) {
    ++tally.failures;
    EXPECT_EQ(way, PairingWay{}) << where;
    return false;
  }
  switch (way.method) {
    case PairingMethod::SeededAttempt:
      // The last status names the attempt that stood.
      EXPECT_EQ(statuses.back(), "組み合わせ中です... " + std::to_string(way.seed)) << where;
      EXPECT_EQ(way.prePass, way.seed >= 100) << where;
      (way.seed == 1 ? tally.firstSeed : tally.laterSeed)++;
      if (way.prePass) ++tally.prePass;
      break;
    case PairingMethod::ProfessionalSearch:
      EXPECT_EQ(statuses.back().rfind("棋士と組み合わせ終了", 0), 0u) << where;
      EXPECT_EQ(way.professionals, pairing::ProfessionalStepReport{}) << where;
      ++tally.professionalSearch;
      break;
    case PairingMethod::ExhaustiveSearch:
      EXPECT_EQ(statuses.back(), "組み合わせ中です... *") << where;
      ++tally.exhaustiveSearch;
      break;
    case PairingMethod::None:
      ADD_FAILURE() << where << ": success reported without a way";
  }
  if (way.method != PairingMethod::ProfessionalSearch) {
    // Each game the step places takes one professional row that was waiting.
    EXPECT_EQ(way.professionals.games, professionalRows) << where;
    EXPECT_LE(way.professionals.relaxedGames, way.professionals.games) << where;
    EXPECT_EQ(way.professionals.relaxedGames > 0, way.professionals.lastPass >= 25) << where;
    EXPECT_EQ(way.professionals.games > 0, way.professionals.lastPass >= 0) << where;
    if (way.method == PairingMethod::SeededAttempt) {
      EXPECT_NE(way.seed, 0) << where;
    }
  }
  if (way.professionals.games > 0) ++tally.professionalGames;
  if (way.professionals.relaxedGames > 0) ++tally.relaxed;
  return true;
}

TEST(PairingWay, ReportingChangesNothingAndNamesTheWay) {
  Tally tally;
  std::mt19937 rng(2024);
  for (int i = 0; i < 600 && !::testing::Test::HasFailure(); ++i) {
    auto t = field(rng);
    for (int round = 0; round < t->table.numberOfGames; ++round) {
      prepareRound(rng, *t, round);
      const std::string where =
          "tournament " + std::to_string(i) + " round " + std::to_string(round);
      if (!pairBothWays(*t, round, tally, where)) break;
      testing::randomResults(*t, round, rng(), true);
    }
  }
  std::printf(
      "runs %d, failures %d, first seed %d, later seed %d, pre-pass %d, professional step %d, "
      "relaxed %d, professional search %d, exhaustive search %d\n",
      tally.runs, tally.failures, tally.firstSeed, tally.laterSeed, tally.prePass,
      tally.professionalGames, tally.relaxed, tally.professionalSearch, tally.exhaustiveSearch);
  // Every way is reached, so that the comparison covers them all.
  EXPECT_GT(tally.firstSeed, 0);
  EXPECT_GT(tally.laterSeed, 0);
  EXPECT_GT(tally.prePass, 0);
  EXPECT_GT(tally.professionalGames, 0);
  EXPECT_GT(tally.relaxed, 0);
  EXPECT_GT(tally.professionalSearch, 0);
  EXPECT_GT(tally.exhaustiveSearch, 0);
  EXPECT_GT(tally.failures, 0);
}

TEST(PairingWay, OneAttemptReportsItsProfessionalStep) {
  // Every seed of one attempt, with and without the report, on fields with professionals.
  std::mt19937 rng(77);
  int placed = 0;
  for (int i = 0; i < 40; ++i) {
    auto t = field(rng);
    testing::setByeIfOdd(*t, 0, rng());
    const int professionalRows = unpairedProfessionalRows(*t, 0);
    const auto before = std::make_unique<data::Table>(t->table);
    for (int seed : {1, 57, 120}) {
      t->table = *before;
      t->random.seed(static_cast<std::uint32_t>(seed));
      auto plain = t->context();
      const int rc = pairing::pairRound(plain, 0, seed);
      const auto plainTable = std::make_unique<data::Table>(t->table);
      const std::uint32_t state = t->random.state();

      t->table = *before;
      t->random.seed(static_cast<std::uint32_t>(seed));
      auto reported = t->context();
      pairing::ProfessionalStepReport report;
      report.games = 99;  // replaced
      EXPECT_EQ(pairing::pairRound(reported, 0, seed, &report), rc);
      EXPECT_TRUE(sameBytes(t->table, *plainTable)) << i << " seed " << seed;
      EXPECT_EQ(t->random.state(), state);
      if (rc != -3) {
        EXPECT_EQ(report.games, professionalRows) << i << " seed " << seed;
      }
      placed += report.games;
    }
  }
  EXPECT_GT(placed, 0);
}

TEST(PairingWay, TheProfessionalSearchIsReported) {
  // P1, visited first, takes A (B played a professional), and P2, who met B, is left with no
  // one in every attempt; the search over the whole round pairs it.
  auto t = testing::makeTournament(3);
  t->addParticipant("A");
  t->addParticipant("B");
  t->addParticipant("P2", 2000, 1, true);
  t->addParticipant("P1", 2000, 1, true);
  t->play(0, 2, 1, data::kWin);
  testing::byes(*t, 0, {0, 3});
  auto ctx = t->context();
  PairingWay way;
  ASSERT_EQ(pairing::runPairing(ctx, 1, {}, &way), 0);
  EXPECT_EQ(way.method, PairingMethod::ProfessionalSearch);
  EXPECT_EQ(way.seed, 0);
}

}  // namespace
}  // namespace toq
