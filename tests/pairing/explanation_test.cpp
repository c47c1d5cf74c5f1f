// The explanation of a round on hand-built tables: the verdict and the options it names, the
// boards that differ with the program's own choice, the rules behind sides, handicaps and
// second meetings, floats and score groups, and the rows without a game.
#include "pairing/explanation.h"

#include <gtest/gtest.h>

#include <random>

#include "pairing/driver.h"
#include "pairing/sides.h"
#include "pairing_fixture.h"

namespace toq::pairing {
namespace {

using data::kSideFirst;
using data::kSideSecond;
using data::kWin;

/// Pairs a round with the driver and then decides its sides as the pairing command does.
PairingWay pair(testing::Tournament& t, int round, SideRule rule = SideRule::None) {
  auto ctx = t.context();
  PairingWay way;
  EXPECT_EQ(runPairing(ctx, round, {}, &way), 0);
  if (rule == SideRule::Handicaps) assignHandicaps(ctx, round);
  if (rule == SideRule::Balance) assignSides(ctx, round);
  return way;
}

Explanation explain(const testing::Tournament& t, int round) {
  std::optional<Explanation> e = explainRound(t.table, t.players, round);
  EXPECT_TRUE(e.has_value());
  return e.value_or(Explanation{});
}

TEST(Explanation, AProgramRoundIsReproducedWithItsWay) {
  auto t = testing::fieldOf(8, 3);
  const PairingWay way = pair(*t, 0);
  const Explanation e = explain(*t, 0);
  EXPECT_TRUE(e.reproduced);
  EXPECT_TRUE(e.programPaired);
  EXPECT_EQ(e.combinationsTried, 1);
  EXPECT_EQ(e.way, way);
  EXPECT_EQ(e.way.method, PairingMethod::SeededAttempt);
  EXPECT_EQ(e.way.seed, 1);
  // Boards in the order of the round list: upper half against lower half.
  ASSERT_EQ(e.boards.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(e.boards[k].board, k + 1);
    EXPECT_EQ(e.boards[k].players[0].row, k);
    EXPECT_EQ(e.boards[k].players[1].row, k + 4);
    EXPECT_TRUE(e.boards[k].reproduced);
  }
  EXPECT_EQ(explainableRounds(t->table), std::vector<int>{0});
  EXPECT_FALSE(explainRound(t->table, t->players, 1).has_value());
}

TEST(Explanation, BoardsSetByHandDifferWithTheProgramsChoice) {
  auto t = testing::fieldOf(8, 3);
  // The program pairs 0-4, 1-5, 2-6, 3-7; the organiser set 0-5 and 1-4 instead.
  t->table.setPair(0, 0, 5);
  t->table.setPair(0, 1, 4);
  t->table.setPair(0, 2, 6);
  t->table.setPair(0, 3, 7);
  const Explanation e = explain(*t, 0);
  EXPECT_FALSE(e.reproduced);
  EXPECT_TRUE(e.programPaired);
  EXPECT_EQ(e.combinationsTried, 4);
  EXPECT_EQ(e.options.play2, false);  // the defaults come first among equals
  EXPECT_EQ(e.boardsDiffering(), 2);
  const BoardFacts* changed = e.boardOf(0);
  ASSERT_NE(changed, nullptr);
  EXPECT_FALSE(changed->reproduced);
  EXPECT_EQ(changed->players[0].programOpponent, 4);
  EXPECT_EQ(changed->players[1].programOpponent, 1);
  EXPECT_TRUE(e.boardOf(2)->reproduced);
  EXPECT_TRUE(e.boardOf(7)->reproduced);
}

TEST(Explanation, ASecondGameNamesTheOptionAndTheRelaxedPass) {
  // A professional on one board and two amateurs: A met the professional in round 1 and B has
  // a bye again, so the professional can only meet A a second time.
  auto t = testing::makeTournament(3);
  t->addParticipant("P", 2400, 1, true);
  t->addParticipant("A");
  t->addParticipant("B");
  t->play(0, 0, 1, kWin);
  testing::byes(*t, 0, {2});
  testing::byes(*t, 1, {2});
  t->options.play2 = true;
  const PairingWay way = pair(*t, 1);
  ASSERT_GT(way.professionals.relaxedGames, 0);
  const Explanation e = explain(*t, 1);
  EXPECT_TRUE(e.reproduced);
  EXPECT_TRUE(e.options.play2);
  EXPECT_EQ(e.combinationsTried, 2);  // the defaults cannot pair it
  EXPECT_EQ(e.way, way);
  ASSERT_EQ(e.boards.size(), 1u);
  EXPECT_EQ(e.boards[0].earlierMeetings, 1);
  EXPECT_EQ(e.boards[0].meetingRule, MeetingRule::RelaxedPass);
  EXPECT_TRUE(e.boards[0].professionalBoard);
  EXPECT_EQ(e.boards[0].players[1].gamesAgainstProfessionals, 1);
  EXPECT_EQ(e.summary.repeatedMeetings, 1);
  EXPECT_EQ(e.summary.professionalBoards, 1);
  ASSERT_EQ(e.summary.byes.size(), 1u);
  EXPECT_EQ(e.summary.byes[0].row, 2);
}

// The split would pair R0-R2 and R1-R3; keeping R0 and R2's club apart moved both boards.
TEST(Explanation, TheAffiliationOptionIsReproducedAndNamesTheBoardsItMoved) {
  auto t = testing::fieldOf(4, 3);
  for (int position : {1, 3}) t->players.at(position).affiliation = "Club";
  t->options.avoidAffiliationRounds = 1;
  EXPECT_EQ(pair(*t, 0).affiliations, AffiliationRule::Kept);
  const Explanation e = explain(*t, 0);
  EXPECT_TRUE(e.reproduced && e.options.avoidAffiliationRounds > 0);
  EXPECT_EQ(e.combinationsTried, 5);  // the four without the option first
  EXPECT_EQ(e.boardsMovedByAffiliation(), 2);
  // Where the option cannot keep a club apart, the round is explained without it.
  t->players.at(2).affiliation = " Club";
  for (int row = 0; row < 4; ++row) t->table.clearEntries(row, 0, data::kMaxRounds);
  EXPECT_EQ(pair(*t, 0).affiliations, AffiliationRule::Impossible);
  const Explanation mixed = explain(*t, 0);
  EXPECT_TRUE(mixed.reproduced && mixed.options.avoidAffiliationRounds == 0);
  EXPECT_EQ(mixed.boards[0].sharedAffiliation, "Club");
}

TEST(Explanation, ASecondMeetingSetByHand) {
  auto t = testing::fieldOf(4, 3);
  pair(*t, 0);  // 0-2, 1-3
  t->setResult(0, 0, kWin);
  t->setResult(0, 1, kWin);
  t->table.setPair(1, 0, 2);
  t->table.setPair(1, 1, 3);
  const Explanation e = explain(*t, 1);
  EXPECT_FALSE(e.reproduced);
  EXPECT_EQ(e.boardsDiffering(), 2);
  EXPECT_EQ(e.boards[0].earlierMeetings, 1);
  EXPECT_EQ(e.boards[0].meetingRule, MeetingRule::ByHand);
  EXPECT_EQ(e.boards[0].players[0].programOpponent, 1);
}

TEST(Explanation, TheProfessionalSearchIsNamed) {
  auto t = testing::makeTournament(3);
  t->addParticipant("A");
  t->addParticipant("B");
  t->addParticipant("P2", 2000, 1, true);
  t->addParticipant("P1", 2000, 1, true);
  t->play(0, 2, 1, kWin);
  testing::byes(*t, 0, {0, 3});
  pair(*t, 1);
  const Explanation e = explain(*t, 1);
  EXPECT_TRUE(e.reproduced);
  EXPECT_EQ(e.way.method, PairingMethod::ProfessionalSearch);
}

TEST(Explanation, FloatsAndScoreGroups) {
  auto t = testing::fieldOf(6, 3);
  pair(*t, 0);  // 0-3, 1-4, 2-5
  t->setResult(0, 0, kWin);
  t->setResult(0, 1, data::kDraw);
  t->setResult(0, 2, kWin);
  pair(*t, 1);
  const Explanation e = explain(*t, 1);
  EXPECT_TRUE(e.reproduced);
  // Points 1, 1, 0.5, 0.5 and 0, 0 (in half-points 2, 1, 0); 1 and 4 met, so they float.
  ASSERT_EQ(e.summary.scoreGroups.size(), 3u);
  EXPECT_EQ(e.summary.scoreGroups[0].points, 2);
  EXPECT_EQ(e.summary.scoreGroups[0].players, 2);
  EXPECT_EQ(e.summary.scoreGroups[2].points, 0);
  EXPECT_EQ(e.summary.floats, 2);
  int ups = 0, downs = 0;
  for (const BoardFacts& b : e.boards)
    for (const PlayerFacts& p : b.players) {
      ups += p.floated == Float::Up;
      downs += p.floated == Float::Down;
      EXPECT_EQ(p.floated == Float::Down, p.points == 1) << p.row;  // the draws come down
    }
  EXPECT_EQ(ups, 2);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(e.boardOf(0)->players[0].rank, 1);
}

TEST(Explanation, SideAndHandicapReasons) {
  struct Case {
    const char* what;
    int ratingA, ratingB;
    SideRule rule;
    bool sixPiece;
    SideReason side;
    HandicapReason handicap;
    bool sixPieceSeen;
  };
  const Case cases[] = {
      {"coin at equal balance", 1600, 1600, SideRule::Balance, false, SideReason::Coin,
       HandicapReason::NotDerived, false},
      {"lance", 1700, 1500, SideRule::Handicaps, false, SideReason::HandicapGame,
       HandicapReason::Rating, false},
      {"six pieces", 2600, 1550, SideRule::Handicaps, true, SideReason::HandicapGame,
       HandicapReason::Rating, true},
      {"even, stronger second", 1650, 1600, SideRule::Handicaps, false, SideReason::StrongerSecond,
       HandicapReason::Rating, false},
      {"equal ratings", 1600, 1600, SideRule::Handicaps, false, SideReason::LaterRowFirst,
       HandicapReason::Rating, false},
      {"no rating", 0, 1600, SideRule::Handicaps, false, SideReason::NoRating,
       HandicapReason::NoRating, false},
      {"nothing decided", 1600, 1700, SideRule::None, false, SideReason::Undecided,
       HandicapReason::NotDerived, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto t = testing::makeTournament(2);
    t->addParticipant("A", c.ratingA);
    t->addParticipant("B", c.ratingB);
    t->options.allowSixPieceHandicaps = c.sixPiece;
    pair(*t, 0, c.rule);
    const Explanation e = explain(*t, 0);
    ASSERT_EQ(e.boards.size(), 1u);
    EXPECT_EQ(e.sideRule, c.rule);
    EXPECT_EQ(e.options.allowSixPieceHandicaps, c.sixPieceSeen);
    EXPECT_EQ(e.boards[0].sideReason, c.side);
    EXPECT_EQ(e.boards[0].handicapReason, c.handicap);
    EXPECT_EQ(e.boards[0].ratingDifference, c.ratingA - c.ratingB);
  }
}

TEST(Explanation, BalanceAndSidesChangedByHand) {
  auto t = testing::fieldOf(4, 3);
  pair(*t, 0);  // 0-2, 1-3
  t->table.side[0][0] = kSideFirst, t->table.side[2][0] = kSideSecond;
  t->table.side[1][0] = kSideFirst, t->table.side[3][0] = kSideSecond;
  t->setResult(0, 0, kWin);
  t->setResult(0, 1, kWin);
  pair(*t, 1, SideRule::Balance);  // 0-1 and 2-3: the first movers of round 1 meet
  Explanation e = explain(*t, 1);
  ASSERT_EQ(e.boards.size(), 2u);
  EXPECT_EQ(e.sideRule, SideRule::Balance);
  EXPECT_EQ(e.boards[0].sideReason, SideReason::Coin);  // both moved first once
  EXPECT_EQ(e.boards[0].players[0].firstMoves, 1);
  EXPECT_EQ(e.boards[0].players[0].lastSide, kSideFirst);
  EXPECT_EQ(e.boards[1].players[0].lastSide, kSideSecond);

  // A board whose sides were turned round by hand; the other keeps its rule.
  std::swap(t->table.side[2][1], t->table.side[3][1]);
  e = explain(*t, 1);
  EXPECT_TRUE(e.reproduced);  // the opponents are still the program's
  EXPECT_EQ(e.boardOf(2)->sideReason, SideReason::ByHand);
  EXPECT_EQ(e.boardOf(0)->sideReason, SideReason::Coin);

  // Balance: a player who moved first plays one who moved second.
  auto b = testing::fieldOf(4, 3);
  pair(*b, 0);  // 0-2, 1-3
  b->table.side[0][0] = kSideFirst, b->table.side[2][0] = kSideSecond;
  b->table.side[1][0] = kSideSecond, b->table.side[3][0] = kSideFirst;
  b->setResult(0, 0, kWin);
  b->setResult(0, 1, kWin);  // 0 and 1 meet in round 2
  pair(*b, 1, SideRule::Balance);
  e = explain(*b, 1);
  const BoardFacts* top = e.boardOf(0);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->sideReason, SideReason::Balance);
  EXPECT_EQ(b->table.side[1][1], kSideFirst);  // row 1 had moved second
}

TEST(Explanation, RowsWithoutAGame) {
  auto t = testing::fieldOf(8, 3);
  t->table.opponent[7][0] = data::kBye;
  t->table.opponent[6][0] = data::kAbsent;
  t->table.setPair(0, 0, 3);  // a pair set by hand, the rest not paired yet
  const Explanation e = explain(*t, 0);
  // The program pairs the six rows as 0-3, 1-4, 2-5: the hand pair is its own.
  EXPECT_FALSE(e.reproduced);
  EXPECT_TRUE(e.programPaired);
  ASSERT_EQ(e.boards.size(), 1u);
  EXPECT_TRUE(e.boards[0].reproduced);
  ASSERT_EQ(e.summary.byes.size(), 1u);
  EXPECT_EQ(e.summary.byes[0].row, 7);
  EXPECT_EQ(e.summary.byes[0].programOpponent, data::kBye);
  ASSERT_EQ(e.summary.absent.size(), 1u);
  EXPECT_EQ(e.summary.absent[0].row, 6);
  ASSERT_EQ(e.summary.unpaired.size(), 4u);
  const int expected[][2] = {{1, 4}, {2, 5}, {4, 1}, {5, 2}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(e.summary.unpaired[i].row, expected[i][0]);
    EXPECT_EQ(e.summary.unpaired[i].programOpponent, expected[i][1]);
  }
}

TEST(Explanation, DamagedTablesAreExplainedWithoutHarm) {
  std::mt19937 rng(5);
  int explained = 0;
  for (int i = 0; i < 15; ++i) {
    auto t = testing::scrambled(rng);
    const auto before = std::make_unique<data::Table>(t->table);
    const std::vector<int> rounds = explainableRounds(t->table);
    for (int k = 0; k < 2 && !rounds.empty(); ++k) {
      const int round = rounds[rng() % rounds.size()];
      const std::optional<Explanation> e = explainRound(t->table, t->players, round);
      ASSERT_TRUE(e.has_value()) << i;
      ++explained;
      for (const BoardFacts& b : e->boards) {
        // Only games whose rows name each other are boards.
        EXPECT_EQ(t->table.opponent[b.players[0].row][round], b.players[1].row);
        EXPECT_EQ(t->table.opponent[b.players[1].row][round], b.players[0].row);
      }
    }
    EXPECT_EQ(t->table.opponent, before->opponent);
    EXPECT_EQ(t->table.side, before->side);
    EXPECT_EQ(t->table.handicap, before->handicap);
    EXPECT_EQ(t->table.result, before->result);
  }
  EXPECT_GT(explained, 15);
}

}  // namespace
}  // namespace toq::pairing
