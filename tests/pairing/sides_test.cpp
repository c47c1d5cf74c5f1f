#include "pairing/sides.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/builders.h"

namespace toq::pairing {
namespace {

using data::kSideFirst;
using data::kSideSecond;
using data::kSideUndecided;
using testing::makeTournament;

void handicaps(testing::Tournament& t, int round) {
  auto ctx = t.context();
  assignHandicaps(ctx, round);
}

void sides(testing::Tournament& t, int round) {
  auto ctx = t.context();
  assignSides(ctx, round);
}

/// A table of two rows with the given ratings, paired in round 0.
std::unique_ptr<testing::Tournament> game(int ratingA, int ratingB,
                                          bool allowSixPieceHandicaps = false) {
  auto t = makeTournament();
  t->addParticipant("A", ratingA);
  t->addParticipant("B", ratingB);
  t->table.setPair(0, 0, 1);
  t->options.allowSixPieceHandicaps = allowSixPieceHandicaps;
  return t;
}

TEST(AssignHandicaps, ThresholdsWithAndWithoutSixPieces) {
  struct Case {
    int difference;
    int withSix;
    int without;
  };
  const Case cases[] = {{0, 0, 0},     {99, 0, 0},   {100, 1, 1}, {249, 1, 1}, {250, 2, 2},
                        {349, 2, 2},   {350, 3, 3},  {449, 3, 3}, {450, 4, 4}, {599, 4, 4},
                        {600, 5, 5},   {799, 5, 5},  {800, 7, 5}, {999, 7, 5}, {1000, 10, 5},
                        {1050, 10, 5}, {3000, 10, 5}};
  for (const Case& c : cases) {
    for (bool six : {true, false}) {
      for (bool strongerFirst : {true, false}) {
        const int strong = 1500 + c.difference;
        auto t = strongerFirst ? game(strong, 1500, six) : game(1500, strong, six);
        handicaps(*t, 0);
        const int s = strongerFirst ? 0 : 1;
        const int w = 1 - s;
        const int m = six ? c.withSix : c.without;
        SCOPED_TRACE(::testing::Message()
                     << "difference " << c.difference << " six " << six << " stronger row " << s);
        EXPECT_EQ(t->table.handicap[s][0], m);
        EXPECT_EQ(t->table.handicap[w][0], -m);
        if (m > 0 || c.difference > 0) {
          EXPECT_EQ(t->table.side[s][0], kSideSecond);
          EXPECT_EQ(t->table.side[w][0], kSideFirst);
        }
      }
    }
  }
}

TEST(AssignHandicaps, GivenExamples) {
  auto t = game(1700, 1500);
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[0][0], 1);
  EXPECT_EQ(t->table.side[0][0], kSideSecond);
  EXPECT_EQ(t->table.handicap[1][0], -1);
  EXPECT_EQ(t->table.side[1][0], kSideFirst);

  t = game(1550, 2600, true);
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[1][0], 10);
  EXPECT_EQ(t->table.handicap[0][0], -10);
  t = game(1550, 2600, false);
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[1][0], 5);
  EXPECT_EQ(t->table.handicap[0][0], -5);
  EXPECT_EQ(t->table.side[0][0], kSideFirst);
}

TEST(AssignHandicaps, EvenGamesAndMissingRatings) {
  // Equal ratings: the later row moves first.
  auto t = game(1600, 1600);
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[0][0], 0);
  EXPECT_EQ(t->table.side[0][0], kSideSecond);
  EXPECT_EQ(t->table.side[1][0], kSideFirst);

  // Less than 100 apart: the stronger moves second, whichever row it is.
  t = game(1600, 1699);
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[0][0], 0);
  EXPECT_EQ(t->table.side[1][0], kSideSecond);
  EXPECT_EQ(t->table.side[0][0], kSideFirst);

  for (auto [a, b] : {std::pair{0, 1600}, std::pair{2600, 0}, std::pair{0, 0}}) {
    t = game(a, b);
    handicaps(*t, 0);
    EXPECT_EQ(t->table.handicap[0][0], 0);
    EXPECT_EQ(t->table.side[0][0], kSideUndecided);
    EXPECT_EQ(t->table.side[1][0], kSideUndecided);
  }
}

TEST(AssignHandicaps, KeepsHandSetGamesAndSkipsByes) {
  auto t = makeTournament();
  for (const char* n : {"A", "B", "C", "D", "E"}) t->addParticipant(n, 1500);
  t->players.at(1).rating = 2000;
  t->table.setPair(0, 0, 1);
  t->table.handicap[0][0] = -3;  // set by hand against the ratings
  t->table.handicap[1][0] = 3;
  t->table.side[0][0] = kSideSecond;
  t->table.side[1][0] = kSideFirst;
  t->table.setPair(0, 2, 3);
  t->table.opponent[4][0] = data::kBye;
  handicaps(*t, 0);
  EXPECT_EQ(t->table.handicap[0][0], -3);
  EXPECT_EQ(t->table.handicap[1][0], 3);
  EXPECT_EQ(t->table.side[0][0], kSideSecond);
  EXPECT_EQ(t->table.side[1][0], kSideFirst);
  EXPECT_EQ(t->table.side[3][0], kSideFirst);  // equal ratings, later row
  EXPECT_EQ(t->table.side[4][0], kSideUndecided);
  EXPECT_EQ(t->table.handicap[4][0], 0);
}

TEST(AssignHandicaps, OneRowForTheManualEntry) {
  auto t = makeTournament();
  for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n, 1500);
  t->players.at(3).rating = 1900;
  t->table.setPair(2, 0, 2);
  t->table.setPair(2, 1, 3);
  auto ctx = t->context();
  assignHandicapForRow(ctx, 2, 0);  // the weaker row leaves the game to the stronger one
  EXPECT_EQ(t->table.handicap[0][2], 0);
  EXPECT_EQ(t->table.side[0][2], kSideUndecided);
  assignHandicapForRow(ctx, 2, 2);
  EXPECT_EQ(t->table.handicap[2][2], 3);
  EXPECT_EQ(t->table.handicap[0][2], -3);
  EXPECT_EQ(t->table.side[0][2], kSideFirst);
  EXPECT_EQ(t->table.handicap[1][2], 0);  // the other game is not touched
  EXPECT_EQ(t->table.side[1][2], kSideUndecided);
}

TEST(AssignHandicaps, DamagedEntriesAndExtremeRatings) {
  auto t = makeTournament();
  t->addParticipant("A", INT_MAX);
  t->addParticipant("B", 1);
  t->addParticipant("C", INT_MIN);
  t->addParticipant("D", 1600);
  t->addParticipant("E", 1600);
  t->options.allowSixPieceHandicaps = true;
  t->table.setPair(0, 0, 1);
  t->table.setPair(0, 2, 3);
  t->table.opponent[4][0] = 250;  // names no row
  t->table.setPair(1, 0, 1);
  t->table.opponent[2][1] = 1;  // points at a row that plays someone else
  handicaps(*t, 0);
  handicaps(*t, 1);
  handicaps(*t, -1);
  handicaps(*t, 40);
  EXPECT_EQ(t->table.handicap[0][0], 10);
  EXPECT_EQ(t->table.handicap[3][0], 10);
  EXPECT_EQ(t->table.handicap[2][0], -10);
  EXPECT_EQ(t->table.side[4][0], kSideUndecided);
  EXPECT_EQ(t->table.handicap[0][1], 10);
  EXPECT_EQ(t->table.handicap[2][1], 0);
  EXPECT_EQ(t->table.side[2][1], kSideUndecided);
}

/// Six rows paired 0-1, 2-3, 4-5 in round `round`.
std::unique_ptr<testing::Tournament> threeGames(int round) {
  auto t = makeTournament();
  for (const char* n : {"A", "B", "C", "D", "E", "F"}) t->addParticipant(n);
  t->table.setPair(round, 0, 1);
  t->table.setPair(round, 2, 3);
  t->table.setPair(round, 4, 5);
  return t;
}

TEST(AssignSides, CoinAtEqualBalanceFromSeedOne) {
  auto t = threeGames(0);
  t->random.seed(12345);  // reseeded with 1: draws 41, 18467, 6334
  sides(*t, 0);
  EXPECT_EQ(t->table.side[0][0], kSideFirst);
  EXPECT_EQ(t->table.side[1][0], kSideSecond);
  EXPECT_EQ(t->table.side[2][0], kSideFirst);
  EXPECT_EQ(t->table.side[3][0], kSideSecond);
  EXPECT_EQ(t->table.side[4][0], kSideSecond);
  EXPECT_EQ(t->table.side[5][0], kSideFirst);

  // A settled or half-set game draws nothing: the one undecided game gets the first draw.
  t = threeGames(0);
  t->table.side[0][0] = kSideSecond;
  t->table.side[1][0] = kSideFirst;
  t->table.side[5][0] = kSideSecond;  // half-set: completed without a draw
  sides(*t, 0);
  EXPECT_EQ(t->table.side[0][0], kSideSecond);
  EXPECT_EQ(t->table.side[1][0], kSideFirst);
  EXPECT_EQ(t->table.side[2][0], kSideFirst);
  EXPECT_EQ(t->table.side[3][0], kSideSecond);
  EXPECT_EQ(t->table.side[4][0], kSideFirst);
  EXPECT_EQ(t->table.side[5][0], kSideSecond);
}

TEST(AssignSides, BalanceOverEarlierRounds) {
  auto t = threeGames(2);
  // Row 1 had first move twice, row 0 once first and once second.
  t->table.setPair(0, 1, 2);
  t->table.side[1][0] = kSideFirst;
  t->table.side[2][0] = kSideSecond;
  t->table.setPair(1, 1, 3);
  t->table.side[1][1] = kSideFirst;
  t->table.side[3][1] = kSideSecond;
  t->table.setPair(0, 0, 3);
  t->table.side[0][0] = kSideFirst;
  t->table.side[3][0] = kSideSecond;
  t->table.setPair(1, 0, 2);
  t->table.side[0][1] = kSideSecond;
  t->table.side[2][1] = kSideFirst;
  sides(*t, 2);
  EXPECT_EQ(t->table.side[1][2], kSideSecond);
  EXPECT_EQ(t->table.side[0][2], kSideFirst);
  // Rows 2 and 3: balance 0 and -2, so row 3 moves first.
  EXPECT_EQ(t->table.side[3][2], kSideFirst);
  EXPECT_EQ(t->table.side[2][2], kSideSecond);
}

TEST(AssignSides, ClashingSidesAreDecidedAnewAndByesGetNone) {
  auto t = threeGames(1);
  t->table.setPair(0, 3, 4);
  t->table.side[3][0] = kSideFirst;
  t->table.side[4][0] = kSideSecond;
  t->table.side[2][1] = kSideFirst;  // both rows of 2-3 claim first move
  t->table.side[3][1] = kSideFirst;
  t->table.opponent[0][0] = data::kBye;  // a bye's side counts for nothing
  t->table.side[0][0] = kSideFirst;
  t->table.opponent[1][0] = data::kBye;
  sides(*t, 1);
  // Decided anew from the balance (row 3 has had a first move), not by keeping row 3's claim.
  EXPECT_EQ(t->table.side[2][1], kSideFirst);
  EXPECT_EQ(t->table.side[3][1], kSideSecond);
  // Game 0-1 at equal balance (the bye ignored): first draw 41 is odd, row 0 moves first.
  EXPECT_EQ(t->table.side[0][1], kSideFirst);
  EXPECT_EQ(t->table.side[1][1], kSideSecond);

  t = threeGames(0);
  t->table.opponent[4][0] = data::kBye;
  t->table.opponent[5][0] = data::kAbsent;
  t->table.opponent[3][0] = 77;  // damaged: names no row
  sides(*t, 0);
  sides(*t, 33);
  sides(*t, -2);
  EXPECT_EQ(t->table.side[4][0], kSideUndecided);
  EXPECT_EQ(t->table.side[5][0], kSideUndecided);
  EXPECT_EQ(t->table.side[2][0], kSideUndecided);
  EXPECT_EQ(t->table.side[3][0], kSideUndecided);
  EXPECT_NE(t->table.side[0][0], t->table.side[1][0]);
}

}  // namespace
}  // namespace toq::pairing
