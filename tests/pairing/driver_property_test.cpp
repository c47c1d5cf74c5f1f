#include <gtest/gtest.h>

#include <random>

#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing_fixture.h"

namespace toq {
namespace {

/// Counts over a whole property run, to see that the generator reaches the paths it should.
struct Tally {
  int runs = 0;
  int failures = 0;
  int laterSeeds = 0;  ///< successes after the first attempt
};

/// Random tournament entrants: mostly single rows, some multi-board players, professionals
/// when asked.
std::unique_ptr<testing::Tournament> entrants(std::mt19937& rng, bool professionals) {
  auto t = testing::makeTournament(2 + static_cast<int>(rng() % 7));
  const int players = 2 + static_cast<int>(rng() % 14);
  for (int i = 0; i < players; ++i) {
    const bool pro = professionals && rng() % 6 == 0;
    const int boards = rng() % 5 == 0 ? 2 + static_cast<int>(rng() % 2) : 1;
    t->addParticipant("P" + std::to_string(i), 1600, boards, pro, pro && rng() % 3 == 0);
  }
  return t;
}

/// Byes, absences and a pair made by hand before the round, leaving an even number of rows.
void prepareRound(std::mt19937& rng, testing::Tournament& t, int round) {
  auto& tb = t.table;
  const int n = tb.participantCount;
  for (int row = 0; row < n; ++row) {
    const unsigned roll = rng() % 20;
    if (roll == 0) tb.opponent[row][round] = data::kBye;
    if (roll == 1) tb.opponent[row][round] = data::kAbsent;
  }
  if (tb.unpairedRows(round) % 2 != 0) {
    for (int row = n - 1; row >= 0; --row)
      if (tb.opponent[row][round] == data::kUnpaired) {
        tb.opponent[row][round] = data::kBye;
        break;
      }
  }
  if (rng() % 8 == 0) {
    const int a = static_cast<int>(rng() % n);
    const int b = static_cast<int>(rng() % n);
    if (tb.opponent[a][round] == data::kUnpaired && pairing::canPair(tb, t.players, round, a, b))
      tb.setPair(round, a, b);
  }
}

/// Pairs one round and checks everything a pairing must hold; false when the driver failed.
bool pairAndCheck(testing::Tournament& t, int round, Tally& tally, const std::string& where) {
  auto& tb = t.table;
  const int n = tb.participantCount;
  const auto before = std::make_unique<data::Table>(tb);
  t.ui.clear();
  auto ctx = t.context();
  const int rc = pairing::runPairing(ctx, round, {});
  ++tally.runs;
  EXPECT_TRUE(rc == 0 || rc == -2) << where;
  bool complete = true;
  for (int row = 0; row < n; ++row) {
    const int was = before->opponent[row][round];
    const int now = tb.opponent[row][round];
    if (was != data::kUnpaired) {
      EXPECT_EQ(now, was) << where << " row " << row;  // byes, absences, hand pairs untouched
      continue;
    }
    if (now == data::kUnpaired) {
      complete = false;
      continue;
    }
    EXPECT_TRUE(now >= 0 && now < n && now != row) << where << " row " << row;
    if (now < 0 || now >= n) continue;
    EXPECT_EQ(tb.opponent[now][round], row) << where << " row " << row;
    EXPECT_NE(tb.participants[row], tb.participants[now]) << where;
    EXPECT_FALSE(pairing::haveMet(*before, round, row, now)) << where << " " << row << "-" << now;
    EXPECT_FALSE(pairing::isProfessional(tb, t.players, row) &&
                 pairing::isProfessional(tb, t.players, now))
        << where;
    if (round > 0) {
      EXPECT_FALSE(pairing::entriesOf(tb, t.players, row) >= 2 &&
                   pairing::entriesOf(tb, t.players, now) >= 2)
          << where;
    }
    if (rc != 0) {  // on failure only the professional step's games stay
      EXPECT_TRUE(pairing::isProfessional(tb, t.players, row) ||
                  pairing::isProfessional(tb, t.players, now))
          << where;
    }
  }
  EXPECT_EQ(rc == 0, complete) << where;
  if (rc != 0) ++tally.failures;
  if (rc == 0 && t.ui.statuses().size() > 1) ++tally.laterSeeds;

  // The same table gives the same pairing and the same messages.
  const auto after = std::make_unique<data::Table>(tb);
  const auto messages = t.ui.messages.size();
  tb = *before;
  t.ui.clear();
  auto again = t.context();
  EXPECT_EQ(pairing::runPairing(again, round, {}), rc) << where;
  EXPECT_EQ(tb.opponent, after->opponent) << where;
  EXPECT_EQ(t.ui.messages.size(), messages) << where;
  return rc == 0;
}

void playTournaments(unsigned seed, int count, bool professionals, Tally& tally) {
  std::mt19937 rng(seed);
  for (int i = 0; i < count; ++i) {
    auto t = entrants(rng, professionals);
    for (int round = 0; round < t->table.numberOfGames; ++round) {
      prepareRound(rng, *t, round);
      const std::string where =
          "tournament " + std::to_string(i) + " round " + std::to_string(round);
      if (!pairAndCheck(*t, round, tally, where)) break;
      if (::testing::Test::HasFailure()) return;
      for (int row = 0; row < t->table.participantCount; ++row)
        if (t->table.opponent[row][round] > row) {
          const unsigned roll = rng() % 7;
          t->setResult(round, row, roll == 0 ? data::kDraw : roll % 2 ? data::kWin : data::kLoss);
        }
    }
  }
}

TEST(DriverProperty, AmateurTournaments) {
  Tally tally;
  playTournaments(7, 1000, false, tally);
  EXPECT_GT(tally.failures, 0);
  EXPECT_GT(tally.laterSeeds, 0);
  std::printf("runs %d, failures %d, later seeds %d\n", tally.runs, tally.failures,
              tally.laterSeeds);
}

TEST(DriverProperty, WithProfessionals) {
  Tally tally;
  playTournaments(11, 250, true, tally);
  EXPECT_GT(tally.failures, 0);
  std::printf("runs %d, failures %d, later seeds %d\n", tally.runs, tally.failures,
              tally.laterSeeds);
}

}  // namespace
}  // namespace toq
