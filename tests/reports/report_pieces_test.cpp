// The pieces every report shares: head, file names, board-group sums, win rates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "report_fixture.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "text/paths.h"

namespace toq::reports {
namespace {

using test::cp;

TEST(ReportText, HeadNamesFileDateTimeAndVersionWithCrLf) {
  ReportText out;
  out.head(test::fixedHead("C:\\TOQ\\成績.txt")).line("x");
  EXPECT_EQ(out.bytes(),
            test::crlf({"C:\\TOQ\\成績.txt", "", "2026/12/06(日) 16:11:05", "V0.60", "x"}));
  ReportText dateOnly;
  dateOnly.dateLines(test::fixedStamp());
  EXPECT_EQ(dateOnly.bytes(), test::crlf({"", "2026/12/06(日) 16:11:05"}));
}

TEST(ReportFiles, TitleReplacesEveryTaiAndPathsLandBesideTheTable) {
  data::Table table;
  table.filePath = text::pathFromUtf8("/events/spring/春季大会.tai");
  EXPECT_EQ(reportTitle(table), "春季大会-");
  EXPECT_EQ(reportPath(table, "x.txt"), text::pathFromUtf8("/events/spring/x.txt"));
  table.filePath = "/events/a.tai.tai";
  EXPECT_EQ(reportTitle(table), "a--");
  table.filePath = "/events/cup";
  EXPECT_EQ(reportTitle(table), "cup");
  table.filePath = "event.tai";
  EXPECT_EQ(reportPath(table, "x.txt"), std::filesystem::path("x.txt"));
}

// A path is written with the system's own separators ("\\" on Windows).
std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/',
               static_cast<char>(std::filesystem::path::preferred_separator));
  return path;
}

TEST(ReportFiles, PathTextInCp932MarksWhatCp932Lacks) {
  EXPECT_EQ(pathCp932(text::pathFromUtf8("/大会/成績.txt")), cp(native("/大会/成績.txt")));
  // Hangul has no CP932 form; the rest of the path stays readable.
  EXPECT_EQ(pathCp932(text::pathFromUtf8("/대회/成績.txt")), cp(native("/?"
                                                                       "?/成績.txt")));
}

TEST(WinRate, MatchesPrintfFourTwoFForEveryRecordOfUpToFortyGames) {
  for (int w = 0; w <= 40; ++w)
    for (int l = 0; w + l <= 40; ++l) {
      Record r{w, l, 0, 1};
      if (w + l == 0) {
        EXPECT_EQ(winRateText(r), "");
        continue;
      }
      char expected[16];
      std::snprintf(expected, sizeof expected, "%4.2f",
                    static_cast<double>(w) / static_cast<double>(w + l));
      ASSERT_EQ(winRateText(r), expected) << w << "-" << l;
    }
  EXPECT_EQ(winRateText(Record{3, 1, 5, 1}), "0.75");  // draws do not count
}

class BoardGroups : public ::testing::Test {
 protected:
  void SetUp() override {
    t = toq::testing::makeTournament(2);
    a = t->addParticipant("A", 1600, 3);  // rows 0, 1, 2
    b = t->addParticipant("B");           // row 3
    t->table.AddParticipant(a, t->ui);    // row 4: A again, apart from its group
    for (int row = 0; row < 5; ++row) {
      auto& e = t->table.standings[row][1];
      e.wins = row + 1;
      e.losses = 1;
      e.draws = row == 1 ? 1 : 0;
    }
  }
  std::unique_ptr<toq::testing::Tournament> t;
  int a = 0, b = 0;
};

TEST_F(BoardGroups, GroupEdgesFollowThePlayerNumbers) {
  const auto& table = t->table;
  EXPECT_FALSE(continuesGroup(table, 0));
  EXPECT_TRUE(continuesGroup(table, 1));
  EXPECT_TRUE(continuesGroup(table, 2));
  EXPECT_FALSE(closesGroup(table, 1));
  EXPECT_TRUE(closesGroup(table, 2));
  EXPECT_FALSE(closesGroup(table, 3));
  EXPECT_FALSE(closesGroup(table, 4));  // a group of one row, even at the table's end
  EXPECT_FALSE(samePlayer(table, 4, 5));
  EXPECT_FALSE(samePlayer(table, -1, 0));
}

TEST_F(BoardGroups, SumsCoverTheRowAndUpToFourRowsOfTheSamePlayer) {
  const auto& table = t->table;
  Record forward = groupRecord(table, 0, 1, +1);  // rows 0, 1, 2 and 4
  EXPECT_EQ(forward.rows, 4);
  EXPECT_EQ(forward.wins, 1 + 2 + 3 + 5);
  EXPECT_EQ(forward.losses, 4);
  EXPECT_EQ(forward.draws, 1);
  Record backward = groupRecord(table, 2, 1, -1);  // rows 2, 1, 0
  EXPECT_EQ(backward.rows, 3);
  EXPECT_EQ(backward.wins, 6);
  Record alone = groupRecord(table, 3, 1, +1);
  EXPECT_EQ(alone.rows, 1);
  EXPECT_EQ(alone.wins, 4);
  // Before any complete round every count is zero.
  Record none = ownRecord(table, 0, -1);
  EXPECT_EQ(none.wins + none.losses + none.draws, 0);
}

TEST(Opponents, OnlyACodeThatNamesAUsedRowIsAnOpponent) {
  auto t = toq::testing::makeTournament(4);
  for (const char* n : {"P", "X", "Y"}) t->addParticipant(n);
  auto& table = t->table;
  table.setPair(0, 0, 2);
  table.opponent[0][1] = data::kBye;
  table.opponent[1][1] = data::kAbsent;
  table.opponent[0][2] = 77;  // names no row
  table.opponent[2][2] = 3;   // a row past the participants
  EXPECT_EQ(opponentOf(table, 0, 0), 2);
  EXPECT_EQ(opponentOf(table, 2, 0), 0);
  for (auto [row, round] : {std::pair{0, 1}, {1, 1}, {0, 2}, {2, 2}, {1, 0}, {3, 0}, {0, -1}})
    EXPECT_EQ(opponentOf(table, row, round), -1) << row << "," << round;
}

TEST(Capacity, RowsAndRoundsStayWithinTheTable) {
  data::Table table;
  table.participantCount = 500;
  table.numberOfGames = 99;
  EXPECT_EQ(rowsOf(table), data::kMaxRows);
  EXPECT_EQ(roundsOf(table), data::kMaxRounds);
  table.participantCount = -4;
  table.numberOfGames = -1;
  EXPECT_EQ(rowsOf(table), 0);
  EXPECT_EQ(roundsOf(table), 0);
}

}  // namespace
}  // namespace toq::reports
