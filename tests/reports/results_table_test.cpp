// The results grid: its rules and header, the two lines per row, board groups, the cut of an
// opponent's name, the marks, and what foreign codes become.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "report_fixture.h"
#include "reports/results_table.h"

namespace toq::reports {
namespace {

using test::cp;

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t eol; (eol = bytes.find("\r\n", start)) != std::string::npos; start = eol + 2)
    lines.push_back(bytes.substr(start, eol - start));
  EXPECT_EQ(start, bytes.size()) << "the last line must end in CR LF";
  return lines;
}

class ResultsTable : public ::testing::Test {
 protected:
  std::vector<std::string> compose(int m) {
    return linesOf(composeResults(t->table, t->players, m, test::fixedHead("r.txt"), t->ui));
  }
  void setRecord(int row, int m, int w, int l, int d, int rank) {
    auto& e = t->table.standings[row][m];
    e.wins = w;
    e.losses = l;
    e.draws = d;
    e.rank = rank;
  }
  std::unique_ptr<toq::testing::Tournament> t = toq::testing::makeTournament(3);
};

TEST_F(ResultsTable, HeaderNamesAtLeastFourAndAtMostNineRoundsOverOneColumnPerRound) {
  struct Case {
    int games;
    int labels;
  };
  for (Case c :
       {Case{1, 4}, Case{3, 4}, Case{4, 4}, Case{5, 5}, Case{9, 9}, Case{10, 9}, Case{32, 9}}) {
    t = toq::testing::makeTournament(c.games);
    const auto lines = compose(-1);
    ASSERT_EQ(lines.size(), 10u);
    std::string rule = "+-------------------";
    for (int r = 0; r < c.games; ++r) rule += "+------";
    rule += "+------+----+----+";
    EXPECT_EQ(lines[4], rule);
    EXPECT_EQ(lines[6], rule);
    EXPECT_EQ(lines[7], rule);
    std::string header = "|     対局者名      ";
    const char* labels[] = {"第１局", "第２局", "第３局", "第４局", "第５局",
                            "第６局", "第７局", "第８局", "第９局"};
    for (int r = 0; r < c.labels; ++r) header += std::string("|") + labels[r];
    header += "|勝敗分|勝率|順位|";
    EXPECT_EQ(lines[5], cp(header)) << c.games;
    EXPECT_EQ(lines[8], cp("○：勝ち　●：負け　＝：引き分け"));
    EXPECT_EQ(lines[9], cp("点数の高い方が上手・後手"));
  }
}

TEST_F(ResultsTable, OpponentNamesAreCutAtACharacterBoundaryWithinSixBytes) {
  t->addParticipant(cp("佐藤一郎"), 1800);   // 8 bytes: three characters stand
  t->addParticipant(cp("A山田太郎"), 1650);  // a cut at 6 bytes would halve 太
  t->addParticipant("Watanabe", 0);
  t->addParticipant(cp("ｱｲｳｴｵｶｷ"), 1500);  // half-width katakana: one byte each
  t->play(0, 0, 1, data::kWin);
  t->play(0, 2, 3, data::kLoss);
  t->play(1, 1, 0, data::kDraw);
  t->table.opponent[2][1] = data::kBye;
  t->table.opponent[3][1] = data::kAbsent;
  const auto lines = compose(-1);
  EXPECT_EQ(lines[7], cp("| 1.佐藤一郎        |A山田 |A山田 |      | 0-0  |    |    |"));
  EXPECT_EQ(lines[9], cp("| 2.A山田太郎       |佐藤一|佐藤一|      | 0-0  |    |    |"));
  EXPECT_EQ(lines[11], cp("| 3.Watanabe        |ｱｲｳｴｵｶ| ---- |      | 0-0  |    |    |"));
  EXPECT_EQ(lines[13], cp("| 4.ｱｲｳｴｵｶｷ         |Watana|      |      | 0-0  |    |    |"));
  // Rating on the second line, empty for 0; even games without sides show the undecided mark.
  EXPECT_EQ(lines[8], cp("|   1800            | 　○ | 　＝ |      |      |    |    |"));
  EXPECT_EQ(lines[12], cp("|                   | 　● |      |      |      |    |    |"));
}

TEST_F(ResultsTable, MarksShowHandicapsSidesOfEvenGamesAndResults) {
  t = toq::testing::makeTournament(9);
  t->addParticipant("Giver", 2000);
  t->addParticipant("Taker", 1200);
  const int codes[] = {1, 2, 3, 4, 5, 7, 10};
  for (int r = 0; r < 7; ++r) {
    t->play(r, 0, 1, r % 2 ? data::kLoss : data::kWin);
    t->table.handicap[0][r] = static_cast<std::int16_t>(codes[r]);
    t->table.handicap[1][r] = static_cast<std::int16_t>(-codes[r]);
    t->table.side[0][r] = data::kSideSecond;  // never shown in a handicap game
    t->table.side[1][r] = data::kSideFirst;
  }
  t->play(7, 0, 1, data::kResultNone);  // even game, sides drawn, no result yet
  t->table.side[0][7] = data::kSideFirst;
  t->table.side[1][7] = data::kSideSecond;
  t->play(8, 0, 1, data::kDraw);
  t->table.handicap[0][8] = 6;  // no such handicap: the even mark, and no side
  t->table.handicap[1][8] = -6;
  t->table.result[0][8] = 7;  // no such result: no mark
  const auto lines = compose(-1);
  EXPECT_EQ(lines[8],
            cp("|   2000            |香上○|角上●|飛上○|飛香●|二上○|四上●|六上○| 先   |      "
               "|      |    |    |"));
  EXPECT_EQ(lines[10],
            cp("|   1200            |香下●|角下○|飛下●|飛香○|二下●|四下○|六下●| 後   | ＝   "
               "|      |    |    |"));
}

TEST_F(ResultsTable, RecordRateAndRankComeFromTheStandingsOfTheGivenRound) {
  t->addParticipant("A");
  t->addParticipant("B");
  t->addParticipant("C");
  setRecord(0, 1, 2, 0, 0, 1);
  setRecord(1, 1, 1, 0, 1, 2);
  setRecord(2, 1, 0, 2, 0, 3);
  t->table.standings[2][1].rank = -1;  // no rank: empty cell
  auto lines = compose(1);
  EXPECT_EQ(lines[7], "| 1.A               |      |      |      | 2-0  |1.00|  1 |");
  EXPECT_EQ(lines[9], "| 2.B               |      |      |      |1-0-1 |1.00|  2 |");
  EXPECT_EQ(lines[11], "| 3.C               |      |      |      | 0-2  |0.00|    |");
  // Without a complete round the same block is not read.
  lines = compose(-1);
  EXPECT_EQ(lines[7], "| 1.A               |      |      |      | 0-0  |    |    |");
}

TEST_F(ResultsTable, OpponentWithoutAPlayerNumberIsReportedAndLeftEmpty) {
  t->addParticipant("A");
  t->addParticipant("B");
  t->table.participants[1] = 0;
  t->play(0, 0, 1, data::kWin);
  t->table.opponent[0][1] = 42;  // names no row: an empty cell, no message
  t->table.opponent[0][2] = -9;
  const auto lines = compose(-1);
  EXPECT_EQ(lines[7], "| 1.A               |      |      |      | 0-0  |    |    |");
  EXPECT_EQ(lines[8], cp("|   1600            | 　○ |      |      |      |    |    |"));
  const auto errors = t->ui.errors();
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "対戦相手エラー index=0 ");
  EXPECT_EQ(t->ui.messages.front().caption, "エラー");
}

}  // namespace
}  // namespace toq::reports
