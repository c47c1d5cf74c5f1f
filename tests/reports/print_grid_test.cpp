// The coloured grid: the fill of each kind of cell, the board group's totals and win rate as
// the main view shows them, the cells' rectangles and clip boxes, the lines that fit a page,
// and the columns of a long event.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "print_fixture.h"
#include "reports/print/grid_layout.h"
#include "text/format.h"
#include "view/game_mark.h"

namespace toq::reports::print {
namespace {

using test::cp;
using toq::testing::Tournament;

// Column edges of a five-round grid at 600 dpi: No. 28, 対局者 90, then 45 screen pixels.
constexpr int kRoundX0 = 188 + 175 + 562;
constexpr int kRoundWidth = 281;
constexpr int kFirstLineTop = 202 + 22 + 88;
constexpr int kLine = 88;

int roundX(int round) {
  return kRoundX0 + round * kRoundWidth;
}

/// Amateurs A (row 0) and B (1), the woman professional W (2), the professional P (3) and the
/// amateurs C (4) and D (5).
std::unique_ptr<Tournament> colouredEvent() {
  auto t = toq::testing::makeTournament(5);
  t->addParticipant("A");
  t->addParticipant("B");
  t->addParticipant("W", 2000, 1, true, true);
  t->addParticipant("P", 2300, 1, true);
  t->addParticipant("C");
  t->addParticipant("D");
  t->play(0, 0, 2, data::kWin);  // A against the woman professional
  t->table.opponent[1][0] = data::kBye;
  t->play(0, 3, 4, data::kWin);
  t->play(1, 0, 2, data::kLoss);  // and against her again
  t->play(1, 1, 3, data::kLoss);
  t->play(2, 0, 3, data::kWin);  // A opens an even game against the professional
  t->table.side[0][2] = data::kSideFirst;
  t->table.side[3][2] = data::kSideSecond;
  t->play(2, 4, 5, data::kWin);  // C receives a lance and opens: no blue for a handicap game
  t->table.handicap[4][2] = -1;
  t->table.handicap[5][2] = 1;
  t->table.side[4][2] = data::kSideFirst;
  t->table.side[5][2] = data::kSideSecond;
  t->table.opponent[5][3] = data::kAbsent;
  return t;
}

TEST(PrintGridFill, EachCaseTakesTheFirstColourThatApplies) {
  auto t = colouredEvent();
  struct Case {
    int row;
    int round;
    bool lower;
    std::optional<view::Rgb> fill;
    const char* why;
  };
  const Case cases[] = {
      {0, 0, false, kWomanGameFill, "first game against a woman professional"},
      {0, 0, true, std::nullopt, "side undecided"},
      {0, 1, false, kSecondMeetingFill, "second meeting over pink"},
      {0, 2, false, kProfessionalGameFill, "against a professional"},
      {0, 2, true, kFirstMoveFill, "blue lower line under green"},
      {3, 2, false, std::nullopt, "the professional's own game"},
      {2, 1, false, kSecondMeetingFill, "a second meeting marks both players"},
      {1, 0, false, kByeFill, "bye"},
      {1, 0, true, kByeFill, "bye, lower line"},
      {1, 1, false, kProfessionalGameFill, "against a professional"},
      {4, 2, true, std::nullopt, "a handicap game has no first-move colour"},
      {4, 2, false, std::nullopt, "two amateurs"},
      {5, 3, false, std::nullopt, "absent"},
      {0, 3, false, std::nullopt, "not paired"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(gridCellFill(t->table, t->players, c.row, c.round, c.lower), c.fill) << c.why;

  // The page fills the whole cell with it: upper and lower line of A's third round.
  auto run = test::runJob(Layout::Grid, *t);
  const int top = kFirstLineTop;  // A is the first participant
  EXPECT_EQ(run->canvas.fillAt(0, roundX(2) + 5, top + 5), kProfessionalGameFill);
  EXPECT_EQ(run->canvas.fillAt(0, roundX(2) + kRoundWidth - 1, top + kLine + kLine - 1),
            kFirstMoveFill);
  EXPECT_EQ(run->canvas.fillAt(0, roundX(2) + kRoundWidth, top + 5), std::nullopt);
  EXPECT_EQ(run->canvas.fillAt(0, roundX(1) + 5, top + 5), kSecondMeetingFill);
}

TEST(PrintGridFill, MarksTheGamesTheScreenMarksInItsOwnPalette) {
  auto t = colouredEvent();
  t->addParticipant("L", 1800, 1, false, true);  // row 6: a woman by name only
  t->play(3, 4, 6, data::kWin);
  // A pair left in a round past the number of games (after the games were reduced) is no game.
  t->table.setPair(5, 0, 1);
  const view::Grid screen = view::tableGrid(t->table, t->players);
  struct Pair {
    std::optional<view::Rgb> paper;
    view::Rgb screen;
  };
  const Pair palette[] = {{kByeFill, view::kGrey},
                          {kSecondMeetingFill, view::kYellow},
                          {kWomanGameFill, view::kPink},
                          {kProfessionalGameFill, view::kGreen}};
  for (int row = 0; row < t->table.rows(); ++row)
    for (int round = 0; round <= t->table.rounds() + 2; ++round) {
      const auto paper = gridCellFill(t->table, t->players, row, round, false);
      const view::Rgb shown = screen.at(2 * row, 2 + round).background;
      const view::Rgb plain = row % 2 == 1 ? view::kPaleBlue : view::kWhite;
      const bool byNameOnly =
          view::gameMark(t->table, t->players, row, round) == view::GameMark::WomanByNameOnly;
      if (!paper || byNameOnly) {
        EXPECT_EQ(shown, plain) << row << "," << round;
        EXPECT_EQ(paper.has_value(), byNameOnly) << row << "," << round;
        continue;
      }
      bool matched = false;
      for (const Pair& p : palette) matched |= p.paper == paper && p.screen == shown;
      EXPECT_TRUE(matched) << row << "," << round;
    }
  // The woman by name only is pink on paper, not on screen.
  EXPECT_EQ(gridCellFill(t->table, t->players, 4, 3, false), kWomanGameFill);
  EXPECT_EQ(gridCellFill(t->table, t->players, 0, 5, true), std::nullopt);
}

TEST(PrintGrid, CellsSitInTheirRectanglesWithTheMainViewsTexts) {
  reports::test::FixedClock clock;
  auto t = colouredEvent();
  auto run = test::runJob(Layout::Grid, *t);
  ASSERT_EQ(run->pages, 1);
  EXPECT_NE(run->canvas.findText(
                0, cp("2026/12/06(日) 16:11:05") + std::string(16, ' ') + "  " + cp("event.tai")),
            nullptr);

  const auto* heading = run->text(1, "３回戦");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->x, roundX(2) + 18);
  EXPECT_EQ(heading->y, 202 + 22);
  EXPECT_EQ(heading->clip, (Rect{roundX(2), 224, roundX(3), 224 + kLine}));
  EXPECT_NE(run->text(1, "ソルコフ"), nullptr);

  // C's lower line in round 3 (line 9): lance received, first move is not shown, won.
  const auto* marks = run->text(1, "香下○");
  ASSERT_NE(marks, nullptr);
  const int top = kFirstLineTop + 9 * kLine;
  EXPECT_EQ(marks->x, roundX(2) + 18);
  EXPECT_EQ(marks->y, top + 11);
  EXPECT_EQ(marks->clip, (Rect{roundX(2), top, roundX(3), top + kLine}));
  EXPECT_NE(run->text(1, " 先○"), nullptr) << "A's even game, opened and won";

  // The number is the participant's place in the table; an absence stays blank on paper.
  const auto* number = run->canvas.findText(0, "  6");
  ASSERT_NE(number, nullptr);
  EXPECT_EQ(number->x, 188 + 18);
  EXPECT_EQ(number->y, kFirstLineTop + 10 * kLine + 11);
  EXPECT_EQ(run->text(1, "休場"), nullptr);

  // The legend one line under the last participant.
  const auto* legend = run->text(1, "緑：プロ棋士との対戦、桃：女流との対戦、赤：２局目、青：先手");
  ASSERT_NE(legend, nullptr);
  EXPECT_EQ(legend->x, 188);
  EXPECT_EQ(legend->y, kFirstLineTop + 12 * kLine + kLine);
}

TEST(PrintGrid, BoardGroupTotalsOnItsLastRowAndTheRateOverEveryRowAsOnScreen) {
  // Seven amateurs (rows 0-6), a four-board professional (rows 7-10) who wins three and loses
  // one, and a three-board professional on the table's last rows (11-13) who wins one.
  auto t = toq::testing::makeTournament(1);
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G"}) t->addParticipant(name);
  t->addParticipant("Four", 2400, 4, true);
  t->addParticipant("Three", 2300, 3, true);
  const std::int16_t results[7] = {data::kWin, data::kWin,  data::kWin, data::kLoss,
                                   data::kWin, data::kLoss, data::kLoss};
  for (int k = 0; k < 7; ++k) t->play(0, 7 + k, k, results[k]);
  auto run = test::runJob(Layout::Grid, *t);
  EXPECT_NE(run->text(1, "勝率"), nullptr);

  // The rate stands on a group's first row, over all its rows: the main view's 0.75 for the
  // four boards, not the 1.00 of their first three rows.
  const int rateX = 188 + 175 + 562 + 281 + 281;
  auto textAt = [&](int x, int line) -> std::string {
    for (const auto& text : run->page(1).texts)
      if (text.x == x + 18 && text.y == kFirstLineTop + line * kLine + 11) return text.text;
    return "";
  };
  EXPECT_EQ(textAt(rateX, 14), "0.75");
  EXPECT_EQ(textAt(rateX, 22), "0.33");
  for (int line : {16, 18, 20, 24, 26})
    EXPECT_EQ(textAt(rateX, line), "") << "a row that continues its group has no rate";

  // The totals on the lower line of each group's last row, also the table's last.
  EXPECT_EQ(textAt(rateX - 281, 21), cp("計 3-1"));
  EXPECT_EQ(textAt(rateX - 281, 27), cp("計 1-2"));
  EXPECT_EQ(textAt(rateX - 281, 23), "");
  EXPECT_EQ(textAt(rateX - 281, 26), "0-1");
}

TEST(PrintGrid, OnlyWholeParticipantsThatFitThePageArePrinted) {
  auto t = toq::testing::makeTournament(3);
  for (int i = 1; i <= 40; ++i) t->addParticipant(text::format("N%d", i));
  auto run = test::runJob(Layout::Grid, *t);  // 60 lines
  EXPECT_NE(run->canvas.findText(0, "N30"), nullptr);
  EXPECT_EQ(run->canvas.findText(0, "N31"), nullptr);
  EXPECT_EQ(gridLineCount(40, 60), 60);
  EXPECT_EQ(gridLineCount(40, 59), 58) << "never a name without its lower line";
  EXPECT_EQ(gridLineCount(3, 60), 6);
  EXPECT_EQ(gridLineCount(3, 0), 0);

  // The last printed participant closes the grid with a thin rule across W + 1.
  const int bottom = kFirstLineTop + 60 * kLine;
  const int right = 188 + 175 + 562 + 6 * 281;
  bool closed = false;
  for (const auto& l : run->page(1).lines)
    closed |= l.y1 == bottom && l.y2 == bottom && l.x1 == 188 && l.x2 == right + 1 && l.width == 6;
  EXPECT_TRUE(closed);
}

TEST(PrintGrid, LongEventsKeepTheWidthOfSixteenRoundsAndHeadTheirLaterRounds) {
  EXPECT_EQ(gridColumnWidths(9),
            (std::vector<int>{28, 90, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45}));
  auto total = [](int rounds) {
    int sum = 0;
    for (int w : gridColumnWidths(rounds)) sum += w;
    return sum;
  };
  EXPECT_EQ(total(16), 973);
  // A PDF turns to landscape for more than ten rounds: 8 mm and 973 pixels at 96 dpi.
  data::Table table;
  table.numberOfGames = 16;
  EXPECT_NEAR(naturalWidthMm(Layout::Grid, table, {96, 96}), 8 + 973 * 25.4 / 96, 1e-9);
  table.numberOfGames = 10;
  EXPECT_LT(naturalWidthMm(Layout::Grid, table, {96, 96}), 200);
  table.numberOfGames = 11;
  EXPECT_GT(naturalWidthMm(Layout::Grid, table, {96, 96}), 200);
  for (int rounds = 17; rounds <= 32; ++rounds) {
    EXPECT_LE(total(rounds), 973) << rounds;
    EXPECT_GT(total(rounds), 973 - rounds) << rounds;
  }
  auto t = toq::testing::makeTournament(32);
  t->addParticipant("A");
  t->addParticipant("B");
  auto run = test::runJob(Layout::Grid, *t);
  EXPECT_NE(run->text(1, "19回戦"), nullptr);
  EXPECT_NE(run->text(1, "32回戦"), nullptr);
}

TEST(PrintGrid, ThreeDanLeagueRulesPairsOfRoundColumns) {
  auto t = toq::testing::makeTournament(12);
  for (int i = 0; i < 4; ++i) t->addParticipant(text::format("N%d", i));
  t->table.tableClass = 8;
  for (int column = 0; column < 17; ++column)
    EXPECT_EQ(gridColumnRuleIsThin(t->table, column), column % 2 == 0) << column;
  t->addParticipant("odd");
  for (int column = 0; column < 17; ++column)
    EXPECT_EQ(gridColumnRuleIsThin(t->table, column),
              column == 0 || (column <= 10 ? column % 2 == 0 : column % 2 == 1))
        << column;
  t->table.tableClass = 2;
  for (int column = 0; column < 17; ++column)
    EXPECT_EQ(gridColumnRuleIsThin(t->table, column), column == 0) << column;
}

}  // namespace
}  // namespace toq::reports::print
