#include "view/game_mark.h"

#include <gtest/gtest.h>

#include "support/builders.h"

namespace toq::view {
namespace {

using data::kAbsent;
using data::kBye;
using data::kLoss;
using data::kWin;

// Rows 0-1 Pro (2 boards), 2 Woman (professional), 3 Lady (女流 by name only, not marked
// professional), 4-7 amateurs A, B, C, D.
struct Marks : ::testing::Test {
  std::unique_ptr<testing::Tournament> t = testing::makeTournament(4);
  void SetUp() override {
    t->addParticipant("Pro", 2400, 2, true);
    t->addParticipant("Woman", 2000, 1, true, true);
    t->addParticipant("Lady", 1800, 1, false, true);
    for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n, 1500);
    // Round 1: A-Pro(board 1), B-Woman, C-Lady, D bye.
    t->play(0, 4, 0, kWin);
    t->play(0, 5, 2, kLoss);
    t->play(0, 6, 3, kWin);
    t->table.opponent[7][0] = kBye;
    // Round 2: A-Pro(board 2): the same player again; B-C; D-Lady; Woman absent.
    t->play(1, 4, 1, kLoss);
    t->play(1, 5, 6, kWin);
    t->play(1, 7, 3, kWin);
    t->table.opponent[2][1] = kAbsent;
    // Round 3: B-C again, unplayed; A's entry names no row.
    t->table.setPair(2, 5, 6);
    t->table.opponent[4][2] = 77;
  }
  GameMark mark(int row, int round) { return gameMark(t->table, t->players, row, round); }
};

TEST_F(Marks, EachCellTakesTheFirstMarkThatApplies) {
  struct Case {
    int row;
    int round;
    GameMark expected;
    const char* why;
  };
  const Case cases[] = {
      {4, 0, GameMark::Professional, "an amateur against a professional"},
      {0, 0, GameMark::None, "the professional's own side"},
      {5, 0, GameMark::WomanProfessional, "an amateur against a woman professional"},
      {2, 0, GameMark::None, "the woman professional's own side"},
      {6, 0, GameMark::WomanByNameOnly, "against a woman by name, not marked professional"},
      {3, 0, GameMark::None, "her own side"},
      {7, 0, GameMark::Bye, "a bye"},
      {4, 1, GameMark::SecondMeeting, "the professional again, on his other board"},
      {1, 1, GameMark::SecondMeeting, "the professional's side of a second meeting"},
      {5, 1, GameMark::None, "two amateurs meeting for the first time"},
      {2, 1, GameMark::None, "an absence is no game"},
      {5, 2, GameMark::SecondMeeting, "a second meeting still without result"},
      {4, 2, GameMark::None, "an opponent code that names no row"},
      {7, 3, GameMark::None, "unpaired"},
      {-1, 0, GameMark::None, "no such row"},
      {8, 0, GameMark::None, "a row past the participants"},
      {4, 4, GameMark::None, "a round past the number of games"},
  };
  for (const Case& c : cases) EXPECT_EQ(mark(c.row, c.round), c.expected) << c.why;
}

TEST_F(Marks, SecondMeetingsCountPlayersNotRowsAndNeverAByeOrAbsence) {
  EXPECT_FALSE(secondMeeting(t->table, 4, 0));
  EXPECT_TRUE(secondMeeting(t->table, 4, 1));
  EXPECT_TRUE(secondMeeting(t->table, 1, 1));
  EXPECT_FALSE(secondMeeting(t->table, 7, 0)) << "a bye";
  EXPECT_FALSE(secondMeeting(t->table, 7, 1)) << "D met Lady once; his bye is no meeting";
  EXPECT_FALSE(secondMeeting(t->table, 2, 1)) << "an absence";
  EXPECT_TRUE(secondMeeting(t->table, 6, 2));
  EXPECT_FALSE(secondMeeting(t->table, 4, 2)) << "a code that names no row";
  // A bye between two meetings changes nothing.
  t->table.opponent[7][2] = kBye;
  t->table.setPair(3, 7, 3);
  EXPECT_TRUE(secondMeeting(t->table, 7, 3));
  EXPECT_TRUE(secondMeeting(t->table, 3, 3));
}

}  // namespace
}  // namespace toq::view
