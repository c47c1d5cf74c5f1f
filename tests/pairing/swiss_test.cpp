#include <gtest/gtest.h>

#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing/meeting_cache.h"
#include "pairing/prepass.h"
#include "pairing/standings.h"
#include "pairing/swiss.h"
#include "pairing_fixture.h"

namespace toq {
namespace {

using data::kDraw;
using data::kLoss;
using data::kWin;
using Pairs = std::vector<std::pair<int, int>>;

int attempt(testing::Tournament& t, int round, int seed) {
  auto ctx = t.context();
  t.random.seed(static_cast<std::uint32_t>(seed));
  return pairing::pairRound(ctx, round, seed);
}

TEST(SwissFirstRound, UpperHalfMeetsLowerHalfWhateverTheSeed) {
  for (int seed : {1, 2, 57, 99, 100, 119, 120, 150, 199}) {
    auto t = testing::fieldOf(8);
    ASSERT_EQ(attempt(*t, 0, seed), 0) << seed;
    EXPECT_EQ(testing::pairsOf(t->table, 0), (Pairs{{0, 4}, {1, 5}, {2, 6}, {3, 7}})) << seed;
  }
  // Byes stay out of the list and are not touched.
  auto t = testing::fieldOf(10);
  testing::byes(*t, 0, {2, 7});
  ASSERT_EQ(attempt(*t, 0, 1), 0);
  EXPECT_EQ(testing::pairsOf(t->table, 0), (Pairs{{0, 5}, {1, 6}, {3, 8}, {4, 9}}));
  EXPECT_EQ(t->table.opponent[2][0], data::kBye);
  EXPECT_EQ(t->table.opponent[7][0], data::kBye);
}

TEST(SwissFirstRound, OddCountAndSamePlayerStop) {
  auto odd = testing::fieldOf(5);
  EXPECT_EQ(attempt(*odd, 0, 1), -2);

  // Rows 0 and 2 hold one player: the split stops before them and the groups pair the rest.
  auto t = testing::makeTournament();
  int m = t->addPlayer("M", 1600, 2);
  testing::addRow(*t, m);
  t->addParticipant("A");
  testing::addRow(*t, m);
  t->addParticipant("B");
  ASSERT_EQ(attempt(*t, 0, 1), 0);
  EXPECT_EQ(testing::pairsOf(t->table, 0), (Pairs{{0, 3}, {1, 2}}));

  // Two multi-board players may meet in the first round: the split tests nothing else.
  auto u = testing::makeTournament();
  u->addParticipant("M", 1600, 2);
  u->addParticipant("A");
  u->addParticipant("B");
  u->addParticipant("N", 1600, 2);
  u->addParticipant("C");
  u->addParticipant("D");
  ASSERT_EQ(attempt(*u, 0, 1), 0);
  EXPECT_EQ(testing::pairsOf(u->table, 0), (Pairs{{0, 4}, {1, 5}, {2, 6}, {3, 7}}));
}

TEST(Swiss, RefusesBadRoundsAndAcceptsAnEmptyTable) {
  auto t = testing::fieldOf(4, 3);
  EXPECT_EQ(attempt(*t, -1, 1), -1);
  EXPECT_EQ(attempt(*t, 3, 1), -1);
  t->table.numberOfGames = 40;
  EXPECT_EQ(attempt(*t, 32, 1), -1);
  EXPECT_EQ(testing::pairsOf(t->table, 0), Pairs{});
  auto empty = testing::makeTournament(3);
  EXPECT_EQ(attempt(*empty, 0, 1), 0);
  EXPECT_EQ(attempt(*empty, 2, 150), 0);
}

/// Five rows with one win each (U0, U1, M, U3, U4 = rows 0..4) and one row L (row 5) without
/// a point; L lost to the first `blocked` rows of M, U3, U1, U4, U0 (one per round), the
/// others beat a row of their own (rows 6..10) that sits out the paired round 5.
std::unique_ptr<testing::Tournament> floaterField(int blocked) {
  auto t = testing::fieldOf(11, 7);
  const int order[5] = {2, 3, 1, 4, 0};
  for (int k = 0; k < 5; ++k)
    for (int row = 0; row < 11; ++row) t->table.opponent[row][k] = data::kBye;
  for (int i = 0; i < 5; ++i) {
    const int row = order[i];
    if (i < blocked)
      t->play(i, row, 5, kWin);
    else
      t->play(0, row, 6 + row, kWin);
  }
  testing::byes(*t, 5, {6, 7, 8, 9, 10});
  return t;
}

TEST(SwissScoreGroups, OddGroupFloatsMiddleFirstThenOutwards) {
  const int order[5] = {2, 3, 1, 4, 0};
  for (int blocked = 0; blocked < 5; ++blocked) {
    auto t = floaterField(blocked);
    ASSERT_EQ(pairing::computeStandings(t->table, t->players, 4), 0);
    ASSERT_EQ(attempt(*t, 5, 1), 0) << blocked;
    EXPECT_TRUE(testing::paired(t->table, 5, order[blocked], 5)) << blocked;
  }
  auto none = floaterField(5);
  EXPECT_EQ(attempt(*none, 5, 1), -1);
}

TEST(SwissScoreGroups, FloaterMustLeaveACleanSplit) {
  // U0 beat U3, who then beat a row of its own: sending M down would leave U0-U3 in the
  // split of the rest, so U3, the next position, floats instead.
  auto t = testing::fieldOf(11, 7);
  for (int k = 0; k < 5; ++k)
    for (int row = 0; row < 11; ++row) t->table.opponent[row][k] = data::kBye;
  t->play(0, 0, 3, kWin);
  t->play(1, 3, 9, kWin);
  t->play(0, 1, 7, kWin);
  t->play(0, 2, 8, kWin);
  t->play(0, 4, 10, kWin);
  testing::byes(*t, 5, {6, 7, 8, 9, 10});
  ASSERT_EQ(attempt(*t, 5, 1), 0);
  EXPECT_TRUE(testing::paired(t->table, 5, 3, 5));
  EXPECT_FALSE(testing::paired(t->table, 5, 0, 3));
}

/// Four rows with 2 wins in 3 rounds (rows 0..3), their opponents in rows 4..7 sitting out
/// round 3.
std::unique_ptr<testing::Tournament> historyField(
    const std::array<std::array<int, 3>, 4>& results) {
  auto t = testing::fieldOf(8, 5);
  for (int row = 0; row < 4; ++row)
    for (int k = 0; k < 3; ++k)
      t->play(k, row, 4 + (row + k) % 4, static_cast<std::int16_t>(results[row][k]));
  testing::byes(*t, 3, {4, 5, 6, 7});
  return t;
}

TEST(SwissScoreGroups, IdenticalHistoriesArePairedFirst) {
  auto t = historyField(
      {{{kWin, kLoss, kWin}, {kWin, kWin, kLoss}, {kLoss, kWin, kWin}, {kWin, kLoss, kWin}}});
  ASSERT_EQ(attempt(*t, 3, 1), 0);
  EXPECT_EQ(testing::pairsOf(t->table, 3), (Pairs{{0, 3}, {1, 2}}));  // the split: 0-2, 1-3
}

TEST(SwissScoreGroups, RotatesTheUpperHalfUntilTheSplitFits) {
  // Rows 0..3 have 4 points from different histories; row 0 beat row 2 in round 0.
  auto t = testing::fieldOf(8, 5);
  t->play(0, 0, 2, kWin);
  t->play(1, 0, 4, kWin);
  t->play(2, 0, 5, kLoss);
  t->play(0, 1, 4, kWin);
  t->play(1, 1, 5, kLoss);
  t->play(2, 1, 6, kWin);
  t->play(1, 2, 6, kWin);
  t->play(2, 2, 7, kWin);
  t->play(0, 3, 5, kDraw);
  t->play(1, 3, 7, kDraw);
  t->play(2, 3, 4, kWin);
  t->play(0, 6, 7, kDraw);
  testing::byes(*t, 3, {4, 5, 6, 7});
  ASSERT_EQ(attempt(*t, 3, 1), 0);
  EXPECT_EQ(testing::pairsOf(t->table, 3), (Pairs{{0, 3}, {1, 2}}));
}

TEST(SwissScoreGroups, MultiBoardPlayersNeverMeetAfterTheFirstRound) {
  for (int seed = 1; seed <= 20; ++seed) {
    auto t = testing::makeTournament(4);
    t->addParticipant("M", 1600, 2);
    t->addParticipant("A");
    t->addParticipant("B");
    t->addParticipant("N", 1600, 2);
    t->addParticipant("C");
    t->addParticipant("D");
    ASSERT_EQ(attempt(*t, 0, seed), 0);
    ASSERT_TRUE(testing::paired(t->table, 0, 0, 4));
    ASSERT_TRUE(testing::paired(t->table, 0, 1, 5));
    for (int row = 0; row < 8; ++row)
      if (t->table.opponent[row][0] > row) t->setResult(0, row, (row + seed) % 2 ? kWin : kLoss);
    auto ctx = t->context();
    ASSERT_EQ(pairing::runPairing(ctx, 1, {}), 0) << seed;
    for (auto [a, b] : testing::pairsOf(t->table, 1)) {
      EXPECT_FALSE(a < 2 && (b == 4 || b == 5)) << seed;
      EXPECT_NE(t->table.participants[a], t->table.participants[b]);
      EXPECT_FALSE(pairing::haveMet(t->table, 1, a, b));
    }
  }
}

TEST(SwissPrePass, PairsUpwardsFromTheBottomGroupUpToItsLimit) {
  // Round 0: 0 beat 1, 2 beat 3, 4 beat 5, 6 drew 7. Keys: 0, 2, 4 -> 2; 6, 7 -> 1; rest 0.
  auto fresh = [] {
    auto t = testing::fieldOf(8, 4);
    t->play(0, 0, 1, kWin);
    t->play(0, 2, 3, kWin);
    t->play(0, 4, 5, kWin);
    t->play(0, 6, 7, kDraw);
    EXPECT_EQ(pairing::computeStandings(t->table, t->players, 0), 0);
    return t;
  };
  const std::vector<Pairs> expected = {
      {{3, 7}},                          // the bottom group is odd: its middle row goes up to
      {{1, 5}, {3, 7}},                  // the last compatible row of key 1
      {{1, 5}, {3, 7}, {4, 6}},          // row 6 floats up to row 4, the last of key 2
      {{0, 2}, {1, 5}, {3, 7}, {4, 6}},  // and the top group splits
  };
  const int limits[] = {1, 2, 3, 9};
  for (int i = 0; i < 4; ++i) {
    auto t = fresh();
    auto ctx = t->context();
    pairing::MeetingCache cache;
    cache.build(t->table, t->players, 1);
    pairing::RoundPairing rp(ctx, cache, 1);
    t->random.seed(5);
    pairing::bottomUpPrePass(rp, limits[i]);
    EXPECT_EQ(testing::pairsOf(t->table, 1), expected[i]) << limits[i];
    EXPECT_EQ(t->random.state(), 5u);  // no draw
  }
  // Seeds 100..119 make one pair first, 130..139 three.
  auto t = fresh();
  ASSERT_EQ(attempt(*t, 1, 100), 0);
  EXPECT_TRUE(testing::paired(t->table, 1, 3, 7));
  auto u = fresh();
  ASSERT_EQ(attempt(*u, 1, 135), 0);
  EXPECT_TRUE(testing::paired(u->table, 1, 1, 5));
  EXPECT_TRUE(testing::paired(u->table, 1, 4, 6));
}

TEST(SwissPrePass, GivesUpAtTheFirstRowItCannotPlace) {
  // Rows 0..3 have one point each; 3 met 1; rows 4, 5 sit out. In reverse order the split
  // puts 3 against 1, and no higher group exists: the pre-pass stops before trying 2-0.
  auto t = testing::fieldOf(6, 3);
  t->play(0, 3, 1, kDraw);
  t->play(0, 0, 4, kDraw);
  t->play(0, 2, 5, kDraw);
  testing::byes(*t, 1, {4, 5});
  ASSERT_EQ(pairing::computeStandings(t->table, t->players, 0), 0);
  auto ctx = t->context();
  pairing::MeetingCache cache;
  cache.build(t->table, t->players, 1);
  pairing::RoundPairing rp(ctx, cache, 1);
  pairing::bottomUpPrePass(rp, 9);
  EXPECT_EQ(testing::pairsOf(t->table, 1), Pairs{});
}

}  // namespace
}  // namespace toq
