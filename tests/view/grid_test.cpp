#include "view/grid.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "text/cp932.h"
#include "view/cells.h"
#include "view/layout.h"
#include "view/rules.h"

namespace toq::view {
namespace {

using data::kAbsent;
using data::kBye;
using data::kLoss;
using data::kWin;
using testing::makeTournament;
using text::toUtf8;

// Round column of a round in table mode.
int col(int round) {
  return 2 + round;
}

// A field with a professional on three boards, a woman professional, two amateurs and a
// fourth amateur at an odd row position:
//   rows 0-2 Pro (3 boards), row 3 Woman, rows 4-7 amateurs A, B, C, D.
struct Field {
  std::unique_ptr<testing::Tournament> t = makeTournament(4);
  Field() {
    t->addParticipant("Pro", 2400, 3, true);
    t->addParticipant("Woman", 2000, 1, true, true);
    for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n, 1500);
  }
  data::Table& table() { return t->table; }
  Grid grid() { return tableGrid(t->table, t->players); }
};

TEST(ViewGrid, RowParityNamesAndFixedTextColours) {
  Field f;
  Grid g = f.grid();
  ASSERT_EQ(g.rowCount(), 16);
  ASSERT_EQ(g.columnCount(), 4 + 5);
  EXPECT_TRUE(g.coloured);
  for (int k = 0; k < 8; ++k)
    for (int line : {2 * k, 2 * k + 1})
      for (int c : {0, 2, 6, 7, 8})
        EXPECT_EQ(g.at(line, c).background, k % 2 ? kPaleBlue : kWhite) << line << "," << c;
  // Names: a professional green, a woman professional pink (over the professional green),
  // amateurs keep the row colour; ratings and the lower record line are blue.
  EXPECT_EQ(g.at(0, 1).background, kGreen);
  EXPECT_EQ(g.at(2, 1).background, kGreen);
  EXPECT_EQ(g.at(1, 1).background, kWhite);
  EXPECT_EQ(g.at(6, 1).background, kPink);
  EXPECT_EQ(g.at(8, 1).background, kWhite);
  EXPECT_EQ(g.at(10, 1).background, kPaleBlue);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(g.at(2 * k, 1).foreground, kBlack);
    EXPECT_EQ(g.at(2 * k + 1, 1).foreground, kBlue);
    EXPECT_EQ(g.at(2 * k + 1, col(4)).foreground, kBlue);
    EXPECT_EQ(g.at(2 * k, col(4)).foreground, kBlack);
  }
  // Running numbers skip the further boards; "勝率" because of the multi-board player.
  EXPECT_EQ(g.at(0, 0).text, "    1");
  EXPECT_EQ(g.at(2, 0).text, "");
  EXPECT_EQ(g.at(4, 0).text, "");
  EXPECT_EQ(g.at(6, 0).text, "    2");
  EXPECT_EQ(g.at(14, 0).text, "    6");
  EXPECT_EQ(toUtf8(g.columns[7].header), "勝率");
}

TEST(ViewGrid, GamesAgainstProfessionalsByesAndSecondMeetings) {
  Field f;
  auto& t = *f.t;
  // Round 1: A plays Pro board 1, B plays Woman, C plays Pro board 2; D a bye; Pro board 3
  // absent.
  t.play(0, 4, 0, kWin);
  t.play(0, 5, 3, kLoss);
  t.play(0, 6, 1, kLoss);
  f.table().opponent[7][0] = kBye;
  f.table().opponent[2][0] = kAbsent;
  // Round 2: A meets Pro again on another board (second meeting with the same player), B
  // meets Woman again, C plays D (amateurs).
  t.play(1, 4, 2, kLoss);
  t.play(1, 5, 3, kWin);
  t.play(1, 6, 7, kWin);
  // Round 3: C and D meet again, without result yet.
  f.table().setPair(2, 6, 7);
  Grid g = f.grid();

  auto bg = [&](int row, int round) {
    Rgb upper = g.at(2 * row, col(round)).background;
    EXPECT_EQ(upper, g.at(2 * row + 1, col(round)).background) << row << "," << round;
    return upper;
  };
  EXPECT_EQ(bg(4, 0), kGreen);
  EXPECT_EQ(bg(5, 0), kPink);
  EXPECT_EQ(bg(6, 0), kGreen);
  EXPECT_EQ(bg(7, 0), kGrey);
  EXPECT_EQ(bg(2, 0), kWhite);  // the absence is no game
  EXPECT_EQ(toUtf8(g.at(4, col(0)).text), "休場");
  // A professional's own cells against amateurs are not coloured.
  EXPECT_EQ(bg(0, 0), kWhite);
  EXPECT_EQ(bg(3, 0), kPaleBlue);
  // Second meetings with the same professional (another board counts as the same player).
  EXPECT_EQ(bg(4, 1), kYellow);
  EXPECT_EQ(bg(5, 1), kYellow);
  EXPECT_EQ(bg(6, 1), kWhite);
  EXPECT_EQ(bg(3, 1), kYellow);  // the professional's side of a second game too
  EXPECT_EQ(bg(6, 2), kYellow);
  EXPECT_EQ(bg(7, 2), kYellow);
  // The lower line is blue until the game has its result.
  EXPECT_EQ(g.at(2 * 6 + 1, col(1)).foreground, kBlack);
  EXPECT_EQ(g.at(2 * 6 + 1, col(2)).foreground, kBlue);
  EXPECT_EQ(g.at(2 * 6 + 1, col(3)).foreground, kBlue);  // unpaired: no result either
}

TEST(ViewGrid, TotalsOfAThreeBoardPlayerAndTheSummaryColumns) {
  Field f;
  auto& t = *f.t;
  t.play(0, 0, 4, kWin);
  t.play(0, 1, 5, kLoss);
  t.play(0, 2, 6, kWin);
  t.play(0, 3, 7, kWin);
  Grid g = f.grid();
  EXPECT_EQ(g.standingsRound, 0);
  EXPECT_TRUE(g.winRateMode);
  const int record = col(4);
  EXPECT_EQ(g.at(0, record).text, "1-0");
  EXPECT_EQ(g.at(1, record).text, "");
  EXPECT_EQ(g.at(3, record).text, "");
  EXPECT_EQ(toUtf8(g.at(5, record).text), "計 2-1");
  EXPECT_EQ(g.at(0, record + 1).text, "0.67");
  EXPECT_EQ(g.at(2, record + 1).text, "");
  // Woman and B won their only game (rate 1.00): the professional ranks third.
  EXPECT_EQ(g.at(0, record + 2).text, "3");
  EXPECT_EQ(toUtf8(g.at(0, col(0)).text), "A");
  EXPECT_EQ(toUtf8(g.at(1, col(0)).text), " 　○");
}

TEST(ViewGrid, HeadersForManyRoundsAndDefaultWidths) {
  for (int games : {9, 25, 32}) {
    auto t = makeTournament(games);
    t->addParticipant("A");
    Grid g = tableGrid(t->table, t->players);
    ASSERT_EQ(g.columnCount(), games + 5);
    EXPECT_EQ(g.columns[0].header, "No.");
    EXPECT_EQ(toUtf8(g.columns[1].header), "対局者");
    EXPECT_EQ(toUtf8(g.columns[2].header), "１回戦");
    EXPECT_EQ(toUtf8(g.columns[games + 1].header),
              games == 9 ? std::string("９回戦") : std::to_string(games) + "回戦");
    EXPECT_EQ(toUtf8(g.columns[games + 2].header), "勝-敗-分");
    EXPECT_EQ(toUtf8(g.columns[games + 3].header), "ソルコフ");
    EXPECT_EQ(toUtf8(g.columns[games + 4].header), "順位");
    EXPECT_EQ(g.columns[0].width, 37);
    EXPECT_EQ(g.columns[1].width, 110);
    for (int c = 2; c < g.columnCount(); ++c) EXPECT_EQ(g.columns[c].width, 70);
  }
  auto t = makeTournament(25);
  Grid g = tableGrid(t->table, t->players);
  EXPECT_EQ(toUtf8(g.columns[10].header), "９回戦");
  EXPECT_EQ(toUtf8(g.columns[11].header), "10回戦");
  EXPECT_EQ(toUtf8(g.columns[26].header), "25回戦");
}

TEST(ViewLayout, MapsLinesAndColumnsAsTheGridLaysThemOut) {
  for (int games : {1, 9, 32}) {
    auto t = makeTournament(games);
    t->addParticipant("A", 1500);
    t->addParticipant("B", 1700);
    t->play(games - 1, 0, 1, kWin);
    const Grid g = tableGrid(t->table, t->players);
    ASSERT_EQ(g.columnCount(), tableColumnCount(games));
    for (int c = 0; c < g.columnCount(); ++c) {
      const bool round = toUtf8(g.columns[c].header).ends_with("回戦");
      EXPECT_EQ(isRoundColumn(c, games), round) << games << ": " << c;
      if (round) {
        EXPECT_EQ(g.columns[c].header, roundHeader(roundOfColumn(c)));
      }
    }
    EXPECT_EQ(roundOfColumn(columnOfRound(games - 1)), games - 1);
    EXPECT_EQ(toUtf8(g.columns[recordColumn(games)].header), "勝-敗-分");
    EXPECT_EQ(toUtf8(g.columns[rateColumn(games)].header), "ソルコフ");
    EXPECT_EQ(toUtf8(g.columns[rankColumn(games)].header), "順位");
    // Row 1 (B): its name on its first line, its rating and the last game's marks below.
    const int line = firstLineOfRow(1);
    EXPECT_EQ(rowOfLine(line), 1);
    EXPECT_EQ(rowOfLine(line + 1), 1);
    EXPECT_FALSE(isLowerLine(line));
    EXPECT_TRUE(isLowerLine(line + 1));
    EXPECT_EQ(g.at(line, kNameColumn).text, "B");
    EXPECT_EQ(g.at(line + 1, kNameColumn).text, "1700");
    EXPECT_EQ(g.at(line, columnOfRound(games - 1)).text, "A");
    EXPECT_EQ(g.at(line, kNumberColumn).text, "    2");
    EXPECT_EQ(g.rowCount(), lineCountOfRows(2));
  }
  EXPECT_EQ(rowOfLine(-1), -1) << "no line selected";
  EXPECT_FALSE(isRoundColumn(kNameColumn, 9));
  EXPECT_EQ(positionOfLine(0), 1) << "player mode starts at register position 1";
}

TEST(ViewGrid, PairingButtonFollowsTheFirstUnpairedRound) {
  auto t = makeTournament(2);
  for (const char* n : {"A", "B", "C"}) t->addParticipant(n);
  // Three unpaired: the button stays enabled and asks for the bye.
  EXPECT_EQ(pairingButtonState(t->table), PairingButton::Enable);
  t->table.opponent[2][0] = kBye;
  EXPECT_EQ(pairingButtonState(t->table), PairingButton::Enable);
  t->play(0, 0, 1, kWin);
  t->table.opponent[0][1] = kAbsent;
  EXPECT_EQ(pairingButtonState(t->table), PairingButton::Enable);  // round 2: two unpaired
  t->table.opponent[1][1] = kBye;
  EXPECT_EQ(pairingButtonState(t->table), PairingButton::Enable);  // one unpaired: asks
  t->table.opponent[2][1] = kBye;
  EXPECT_EQ(pairingButtonState(t->table), PairingButton::Disable);  // nothing left to pair
}

}  // namespace
}  // namespace toq::view
