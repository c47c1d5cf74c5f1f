// The rating data file: decided even games between amateurs, round by round.

#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/rating_data.h"

namespace toq::reports {
namespace {

using test::cp;

TEST(RatingData, OnlyDecidedEvenGamesBetweenAmateursInRoundThenRowOrder) {
  auto t = toq::testing::makeTournament(3);
  t->addParticipant(cp("佐藤"));                 // 0
  t->addParticipant(cp("鈴木"));                 // 1
  t->addParticipant(cp("高橋"));                 // 2
  t->addParticipant(cp("田中"));                 // 3
  t->addParticipant(cp("棋聖"), 2500, 1, true);  // 4, professional
  t->addParticipant(cp("女流"), 2200, 1, true);  // 5, professional
  t->play(0, 0, 1, data::kLoss);                 // 鈴木 wins, written from row 0
  t->play(0, 2, 3, data::kDraw);                 // draw: no line
  t->play(0, 4, 5, data::kWin);                  // professionals: no line
  t->play(1, 3, 0, data::kWin);                  // 田中 wins, written from row 0
  t->play(1, 1, 4, data::kWin);                  // against a professional: no line
  t->play(1, 2, 5, data::kLoss);
  t->play(2, 0, 2, data::kWin);  // handicap game: no line
  t->table.handicap[0][2] = 1;
  t->table.handicap[2][2] = -1;
  t->play(2, 1, 3, data::kResultNone);  // no result yet: no line
  t->table.opponent[4][2] = 40;         // names no row
  t->table.result[4][2] = data::kWin;
  t->table.opponent[5][2] = data::kBye;
  t->table.result[5][2] = data::kWin;
  EXPECT_EQ(
      composeRatingData(t->table, t->players, test::fixedStamp(), t->ui),
      test::crlf({"", "2026/12/06(日) 16:11:05", "鈴木,佐藤,鈴木の勝ち", "田中,佐藤,田中の勝ち"}));
  EXPECT_TRUE(t->ui.messages.empty());
}

TEST(RatingData, EmptyTableGivesTheDateLineOnly) {
  auto t = toq::testing::makeTournament(3);
  EXPECT_EQ(composeRatingData(t->table, t->players, test::fixedStamp(), t->ui),
            test::crlf({"", "2026/12/06(日) 16:11:05"}));
}

}  // namespace
}  // namespace toq::reports
