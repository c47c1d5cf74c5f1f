#include "view/cells.h"
#include "view/grid.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "text/cp932.h"

namespace toq::view {
namespace {

using data::kAbsent;
using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kWin;
using testing::makeTournament;
using text::sj;
using text::toUtf8;

TEST(ViewCells, RoundHeadersUseFullWidthDigitsUpToNine) {
  EXPECT_EQ(toUtf8(roundHeader(0)), "１回戦");
  EXPECT_EQ(toUtf8(roundHeader(8)), "９回戦");
  EXPECT_EQ(toUtf8(roundHeader(9)), "10回戦");
  EXPECT_EQ(toUtf8(roundHeader(31)), "32回戦");
}

TEST(ViewCells, MarksOfTheSecondLine) {
  const std::pair<int, const char*> handicaps[] = {
      {1, "香上"},    {2, "角上"},  {3, "飛上"},  {4, "飛香上"}, {5, "二上"},
      {7, "四上"},    {10, "六上"}, {-1, "香下"}, {-2, "角下"},  {-3, "飛下"},
      {-4, "飛香下"}, {-5, "二下"}, {-7, "四下"}, {-10, "六下"}, {0, " "},
      {6, " "},       {-6, " "},    {32767, " "}, {-32768, " "}};
  for (auto [code, mark] : handicaps) EXPECT_EQ(toUtf8(handicapMark(code)), mark) << code;
  EXPECT_EQ(toUtf8(sideMark(1)), "先");
  EXPECT_EQ(toUtf8(sideMark(2)), "後");
  EXPECT_EQ(toUtf8(sideMark(-1)), "　");
  EXPECT_EQ(sideMark(0), "");
  EXPECT_EQ(sideMark(3), "");
  EXPECT_EQ(toUtf8(resultMark(3)), "○");
  EXPECT_EQ(toUtf8(resultMark(1)), "●");
  EXPECT_EQ(toUtf8(resultMark(2)), "＝");
  EXPECT_EQ(resultMark(0), "");
  EXPECT_EQ(resultMark(7), "");
}

TEST(ViewCells, RoundCellsShowOpponentAndMarks) {
  auto t = makeTournament(4);
  for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n);
  const std::vector<std::string> shortNames = {"a", "b", "c", "d"};
  auto& table = t->table;
  // Round 1: an even game that row 0 won with the first move.
  t->play(0, 0, 1, kWin);
  table.side[0][0] = 1, table.side[1][0] = 2;
  // Round 2: lance odds; the receiver (row 2) lost. Rows 0 and 1 absent and bye.
  t->play(1, 2, 3, kLoss);
  table.handicap[2][1] = -1, table.handicap[3][1] = 1;
  table.side[2][1] = 1, table.side[3][1] = 2;
  table.opponent[0][1] = kAbsent;
  table.opponent[1][1] = kBye;
  // Round 3: paired, sides undecided, no result yet; row 2 holds a code no row answers to.
  table.setPair(2, 0, 1);
  table.opponent[2][2] = 57;

  auto cell = [&](int row, int round) {
    CellPair c = roundCell(table, row, round, shortNames);
    return toUtf8(c.first) + "|" + toUtf8(c.second);
  };
  EXPECT_EQ(cell(0, 0), "b| 先○");
  EXPECT_EQ(cell(1, 0), "a| 後●");
  EXPECT_EQ(cell(2, 1), "d|香下●");
  EXPECT_EQ(cell(3, 1), "c|香上○");
  EXPECT_EQ(cell(0, 1), "休場|");
  EXPECT_EQ(cell(1, 1), "|");
  EXPECT_EQ(cell(0, 2), "b| 　");
  EXPECT_EQ(cell(2, 2), "|");
  EXPECT_EQ(cell(3, 3), "|");
  // Rows and rounds outside the table give empty cells.
  EXPECT_EQ(cell(4, 0), "|");
  EXPECT_EQ(cell(-1, 0), "|");
  EXPECT_EQ(cell(0, 4), "|");
}

TEST(ViewCells, StandingsCellsOfScoreMode) {
  auto t = makeTournament(3);
  for (const char* n : {"A", "B"}) t->addParticipant(n);
  auto& table = t->table;
  table.standings[0][1] = {4, 3, 2, 0, 1, 1, 0, 2};
  table.standings[1][1] = {0, 4, 0, 0, 2, 0, 2, 0};
  StandingsCells a = standingsCells(table, 0, 1, false);
  EXPECT_EQ(a.record.first, "1-0-2");
  EXPECT_EQ(a.record.second, "");
  EXPECT_EQ(a.rateOrSolkoff, "1.5");
  EXPECT_EQ(a.rank, "1");
  StandingsCells b = standingsCells(table, 1, 1, false);
  EXPECT_EQ(b.record.first, "0-2");
  EXPECT_EQ(b.rateOrSolkoff, "2.0");
  EXPECT_EQ(b.rank, "2");
  // Before any complete round: "0-0", Solkoff "0", no rank.
  StandingsCells none = standingsCells(table, 0, -1, false);
  EXPECT_EQ(none.record.first, "0-0");
  EXPECT_EQ(none.rateOrSolkoff, "0");
  EXPECT_EQ(none.rank, "");
}

TEST(ViewCells, BoardGroupsShowTheirTotalsAndOneWinRate) {
  auto t = makeTournament(3);
  t->addParticipant("Pro", 2400, 3, true);   // rows 0..2
  t->addParticipant("X");                    // row 3
  t->addParticipant("Pro2", 2300, 2, true);  // rows 4, 5: the last rows of the table
  auto& table = t->table;
  auto set = [&](int row, int wins, int losses, int draws, int rank) {
    table.standings[row][0] = {0, 0, 0, 0, rank, wins, losses, draws};
  };
  set(0, 1, 0, 0, 1);
  set(1, 0, 1, 0, -1);
  set(2, 1, 0, 1, -1);
  set(3, 0, 1, 0, 3);
  set(4, 0, 0, 0, 0);
  set(5, 0, 0, 0, -1);

  std::vector<StandingsCells> c;
  for (int row = 0; row < 6; ++row) c.push_back(standingsCells(table, row, 0, true));
  EXPECT_EQ(c[0].record.second, "");
  EXPECT_EQ(c[1].record.second, "");
  EXPECT_EQ(toUtf8(c[2].record.second), "計 2-1-1");
  EXPECT_EQ(c[2].record.first, "1-0-1");
  EXPECT_EQ(c[3].record.second, "");
  EXPECT_EQ(toUtf8(c[5].record.second), "計 0-0");
  // One rate per group, on its first row; draws do not count; none without decided games.
  EXPECT_EQ(c[0].rateOrSolkoff, "0.67");
  EXPECT_EQ(c[1].rateOrSolkoff, "");
  EXPECT_EQ(c[2].rateOrSolkoff, "");
  EXPECT_EQ(c[3].rateOrSolkoff, "0.00");
  EXPECT_EQ(c[4].rateOrSolkoff, "");
  // Folded rows and unranked rows show no rank.
  EXPECT_EQ(c[0].rank, "1");
  EXPECT_EQ(c[1].rank, "");
  EXPECT_EQ(c[3].rank, "3");
  EXPECT_EQ(c[4].rank, "");
  // Before any complete round the rate is empty too.
  EXPECT_EQ(standingsCells(table, 0, -1, true).rateOrSolkoff, "");
}

TEST(ViewCells, AGroupTotalTakesAtMostFiveRowsAndOnlyTheRunOfTheRow) {
  auto t = makeTournament(1);
  const int pro = t->addParticipant("Pro", 2400, 6, true);  // rows 0..5
  const int x = t->addParticipant("X");                     // row 6
  t->table.AddParticipant(pro, t->ui);                      // row 7, apart from its group
  t->table.AddParticipant(pro, t->ui);                      // row 8
  (void)x;
  for (int row = 0; row < 9; ++row) t->table.standings[row][0].wins = 1;
  EXPECT_EQ(toUtf8(standingsCells(t->table, 5, 0, true).record.second), "計 5-0");
  EXPECT_EQ(standingsCells(t->table, 0, 0, true).rateOrSolkoff, "1.00");
  // Rows 7 and 8 form a group of their own; rows 0..5 above row 6 are not part of it.
  EXPECT_EQ(toUtf8(standingsCells(t->table, 8, 0, true).record.second), "計 2-0");
}

TEST(ViewCells, RunningNumbersSkipFurtherBoardsOfOnePlayer) {
  auto t = makeTournament(1);
  t->addParticipant("Pro", 2400, 2, true);
  t->addParticipant("Amateur", 0);
  Grid g = tableGrid(t->table, t->players);
  ASSERT_EQ(g.rowCount(), 2 * 3);
  EXPECT_EQ(g.at(0, 0).text, "    1");
  EXPECT_EQ(g.at(2, 0).text, "");
  EXPECT_EQ(g.at(4, 0).text, "    2");
  EXPECT_EQ(g.at(1, 1).text, "2400");
  EXPECT_EQ(g.at(5, 1).text, "");  // a rating of 0 is not shown
  // Header: No., player, one round, then the three standings columns (win-rate mode).
  ASSERT_EQ(g.columnCount(), 2 + 1 + 3);
  EXPECT_EQ(toUtf8(g.columns[4].header), "勝率");
}

TEST(ViewCells, AResultCodeOutsideTheSetCountsAsMissing) {
  auto t = makeTournament(1);
  t->addParticipant("A");
  t->addParticipant("B");
  t->play(0, 0, 1, kWin);
  t->table.result[1][0] = 9;  // a code no result has, as a damaged file may hold
  Grid g = tableGrid(t->table, t->players);
  ASSERT_EQ(g.rowCount(), 4);
  // The round is not complete: no standings yet, and both lower lines wait for a result.
  EXPECT_EQ(g.standingsRound, -1);
  for (int line : {0, 2}) {
    EXPECT_EQ(g.at(line, 3).text, "0-0");
    EXPECT_EQ(g.at(line, 4).text, "0");
    EXPECT_EQ(g.at(line, 5).text, "");
  }
  EXPECT_EQ(g.at(0, 2).text, "B");
  EXPECT_EQ(toUtf8(g.at(1, 2).text), " 　○");
  EXPECT_EQ(toUtf8(g.at(3, 2).text), " 　");
  EXPECT_EQ(g.at(3, 2).foreground, kBlue);
  EXPECT_EQ(g.at(1, 2).foreground, kBlack);
}

TEST(ViewCells, AMissingPlayerShowsTheLookupMessageAndAnEmptyName) {
  auto t = makeTournament(1);
  t->addParticipant("A");
  t->table.AddParticipant(77, t->ui);
  t->table.setPair(0, 0, 1);
  // The command line shows every lookup's message...
  Grid g = tableGrid(t->table, t->players, &t->ui);
  EXPECT_EQ(g.at(2, 1).text, "");
  EXPECT_EQ(g.at(0, 2).text, "");  // the opponent's short name
  EXPECT_EQ(t->ui.errors(),
            (std::vector<std::string>{"IndexToName error index=77 kishi_suu=1",
                                      "IndexToOmitName error index=77 kishi_suu=1"}));
  EXPECT_EQ(g.missingPlayers, std::vector<int>{77});
  // ...the window only collects the numbers, to say so once per fill.
  t->ui.clear();
  Grid quiet = tableGrid(t->table, t->players);
  EXPECT_TRUE(t->ui.errors().empty());
  EXPECT_EQ(quiet.missingPlayers, std::vector<int>{77});
  EXPECT_EQ(quiet.lines, g.lines);
}

TEST(ViewCells, PlayerModeListsTheRegisterInOrder) {
  auto t = makeTournament(1);
  t->addPlayer(sj("北村 勇気"), 2400, 3, true);
  t->addPlayer(sj("青山 大輔"), 0);
  t->players.at(2).shortName = sj("青山");
  t->players.at(2).affiliation = sj("青山道場");
  Grid g = playerGrid(t->players);
  ASSERT_EQ(g.rowCount(), 2);
  ASSERT_EQ(g.columnCount(), 9);
  EXPECT_FALSE(g.coloured);
  EXPECT_EQ(toUtf8(g.columns[1].header), "氏　名");
  EXPECT_EQ(toUtf8(g.columns[6].header), "所属");
  auto texts = [&](int line) {
    std::vector<std::string> out;
    for (const Cell& c : g.lines[line]) out.push_back(c.text);
    return out;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(texts(0), (Texts{"    1", sj("北村 勇気"), "", "2400", "3", sj("○"), "", "", ""}));
  EXPECT_EQ(texts(1),
            (Texts{"    2", sj("青山 大輔"), sj("青山"), "", "1", "", sj("青山道場"), "", ""}));
  const int widths[9] = {40, 120, 60, 80, 40, 50, 100, 80, 80};
  for (int c = 0; c < 9; ++c) EXPECT_EQ(g.columns[c].width, widths[c]);
}

}  // namespace
}  // namespace toq::view
