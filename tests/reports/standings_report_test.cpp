// The standings report: rank lines, the empty-line rule for shared places, board-group totals.

#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/standings_report.h"

namespace toq::reports {
namespace {

using test::cp;

class StandingsReport : public ::testing::Test {
 protected:
  void set(int row, int w, int l, int d, int rank) {
    auto& e = t->table.standings[row][kRound];
    e.wins = w;
    e.losses = l;
    e.draws = d;
    e.rank = rank;
  }
  // The report after its head.
  std::string body() {
    const std::string all =
        composeStandings(t->table, t->players, kRound, test::fixedHead("s.txt"), t->ui);
    const std::string head = test::crlf({"s.txt", "", "2026/12/06(日) 16:11:05", "V0.60"});
    EXPECT_EQ(all.substr(0, head.size()), head);
    return all.substr(head.size());
  }
  static constexpr int kRound = 2;
  std::unique_ptr<toq::testing::Tournament> t = toq::testing::makeTournament(5);
};

TEST_F(StandingsReport, SharedPlaceIsFollowedByOneExtraEmptyLine) {
  t->addParticipant(cp("佐藤 一郎"));
  t->addParticipant(cp("鈴木 花子"));
  t->addParticipant("Watanabe Kenichiro Long");
  t->addParticipant(cp("高橋"));
  set(0, 3, 0, 0, 2);
  set(1, 3, 0, 0, 1);
  set(2, 1, 1, 1, 2);
  set(3, 0, 0, 0, 4);
  EXPECT_EQ(body(), cp("3回戦まで\r\n"
                       "順位 1　鈴木 花子         3勝0敗  勝率 1.00\r\n"
                       "\r\n"
                       "順位 2　佐藤 一郎         3勝0敗  勝率 1.00\r\n"
                       "順位 2　Watanabe Kenichiro Long  1勝1敗1分  勝率 0.50\r\n"
                       "\r\n"
                       "\r\n"
                       "順位 4　高橋              0勝0敗        \r\n"
                       "\r\n"));
}

TEST_F(StandingsReport, FurtherLeftOutPlacesAddNoEmptyLine) {
  for (int i = 0; i < 5; ++i) t->addParticipant("P" + std::to_string(i));
  for (int row = 0; row < 4; ++row) set(row, 1, 1, 0, 1);
  set(4, 0, 2, 0, 5);
  EXPECT_EQ(body(), cp("3回戦まで\r\n"
                       "順位 1　P0                1勝1敗  勝率 0.50\r\n"
                       "順位 1　P1                1勝1敗  勝率 0.50\r\n"
                       "順位 1　P2                1勝1敗  勝率 0.50\r\n"
                       "順位 1　P3                1勝1敗  勝率 0.50\r\n"
                       "\r\n"
                       "\r\n"
                       "順位 5　P4                0勝2敗  勝率 0.00\r\n"
                       "\r\n"));
}

TEST_F(StandingsReport, BoardGroupsNameHowManyRowsWereSummed) {
  t->addParticipant(cp("棋聖 太郎"), 2500, 5, true);  // rows 0..4
  t->addParticipant(cp("女流 花子"), 2300, 2, true);  // rows 5, 6
  t->addParticipant("Ama");                           // row 7
  for (int row = 0; row < 5; ++row) set(row, 2, 1, 0, row == 0 ? 1 : -1);
  set(5, 1, 1, 1, 3);
  set(6, 1, 0, 0, -1);
  set(7, 3, 0, 0, 2);
  EXPECT_EQ(body(), cp("3回戦まで\r\n"
                       "順位 1　棋聖 太郎         ５面 計10勝5敗  勝率 0.67\r\n"
                       "\r\n"
                       "順位 2　Ama               3勝0敗  勝率 1.00\r\n"
                       "\r\n"
                       "順位 3　女流 花子         ２面 計 2勝1敗1分  勝率 0.67\r\n"
                       "\r\n"
                       "\r\n"));
}

TEST_F(StandingsReport, RanksOutsideOneToRowsAreNeverListed) {
  t->addParticipant("A");
  t->addParticipant("B");
  set(0, 1, 0, 0, 0);
  set(1, 0, 1, 0, 3);
  EXPECT_EQ(body(), cp("3回戦まで\r\n\r\n"));
}

}  // namespace
}  // namespace toq::reports
