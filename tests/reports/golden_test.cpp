// Whole reports of one tournament against golden files (CP932, CR LF): byes, an absence,
// handicap games, draws, second meetings, a three-board professional, a tie for rank 2 and a
// table of ten rounds. The date line comes from the fixed clock.
//
// TOQ_UPDATE_GOLDEN=1 rewrites the golden files from the current output (check them by eye).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "report_fixture.h"
#include "reports/records.h"
#include "reports/reports.h"

namespace toq::reports {
namespace {

using test::cp;

std::string goldenPath(const char* name) {
  return std::string(TOQ_SOURCE_DIR) + "/tests/golden/reports/" + name;
}

void expectGolden(const char* name, const std::string& actual) {
  const std::string path = goldenPath(name);
  if (const char* update = std::getenv("TOQ_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, toq::testing::readFile(path)) << "golden file " << path;
}

// Rows 0-2: a professional on three boards; rows 3-8: amateurs. Rounds 1-4 are complete,
// round 5 is paired with one result, rounds 6-10 are open.
class GoldenTournament : public ::testing::Test {
 protected:
  void SetUp() override {
    t = toq::testing::makeTournament(10);
    t->addParticipant(cp("棋聖 太郎"), 2600, 3, true);   // 0, 1, 2
    t->addParticipant(cp("佐藤 一郎"), 1800);            // 3
    t->addParticipant(cp("鈴木 花子"), 1500);            // 4
    t->addParticipant(cp("A山田太郎"), 1650);            // 5
    t->addParticipant(cp("高橋 次郎"), 0);               // 6, no rating
    t->addParticipant("Watanabe Kenichiro Long", 1700);  // 7
    t->addParticipant(cp("伊藤 三郎"), 1550);            // 8

    // Round 1: a rook handicap, a draw, a bye.
    game(0, 0, 3, data::kWin, 2, 1, 3);
    game(0, 1, 4, data::kWin, 1, 2);
    game(0, 2, 5, data::kLoss, 2, 1);
    game(0, 6, 7, data::kDraw, 1, 2);
    t->table.opponent[8][0] = data::kBye;
    // Round 2: a lance handicap between amateurs, an absence.
    game(1, 0, 6, data::kWin, 1, 2);
    game(1, 1, 7, data::kLoss, 2, 1);
    game(1, 2, 8, data::kLoss, 1, 2);
    game(1, 3, 5, data::kWin, 2, 1, 1);
    t->table.opponent[4][1] = data::kAbsent;
    // Round 3: sides never drawn.
    game(2, 0, 8, data::kWin, -1, -1);
    game(2, 1, 3, data::kWin, -1, -1);
    game(2, 2, 4, data::kLoss, -1, -1);
    game(2, 5, 7, data::kLoss, -1, -1);
    t->table.opponent[6][2] = data::kBye;
    // Round 4: 山田 meets the professional a second time, on another board.
    game(3, 0, 5, data::kWin, 1, 2);
    game(3, 1, 6, data::kWin, 2, 1);
    game(3, 2, 7, data::kWin, 1, 2);
    game(3, 3, 4, data::kLoss, 1, 2);
    t->table.opponent[8][3] = data::kBye;
    // Round 5: paired; one result so far; 高橋 and Watanabe meet again.
    game(4, 0, 4, data::kWin, 2, 1);
    game(4, 1, 8, data::kResultNone, -1, -1);
    game(4, 2, 3, data::kResultNone, 2, 1, 2);
    game(4, 6, 7, data::kResultNone, 2, 1);
    t->table.opponent[5][4] = data::kBye;
  }

  // A game of row a against row b with a's result, a's and b's sides, and the handicap that
  // a gives (0: an even game).
  void game(int round, int a, int b, std::int16_t resultOfA, int sideA, int sideB,
            int handicap = 0) {
    t->play(round, a, b, resultOfA);
    t->table.side[a][round] = static_cast<std::int16_t>(sideA);
    t->table.side[b][round] = static_cast<std::int16_t>(sideB);
    t->table.handicap[a][round] = static_cast<std::int16_t>(handicap);
    t->table.handicap[b][round] = static_cast<std::int16_t>(-handicap);
  }

  ReportHead head(const char* fileName) { return {cp(fileName), pairing::makeDateStamp()}; }

  test::FixedClock clock;
  std::unique_ptr<toq::testing::Tournament> t;
};

TEST_F(GoldenTournament, TableIsWhatTheGoldenFilesDescribe) {
  EXPECT_EQ(t->table.LastPairedRound(), 4);
  EXPECT_EQ(t->table.LastCompletedRound(), 3);
  EXPECT_EQ(pairing::makeDateStamp().longDate, "2026/12/06(日)");
  EXPECT_EQ(pairing::makeDateStamp().longTime, "16:11:05");
}

TEST_F(GoldenTournament, RoundList) {
  expectGolden("round_list.txt", composeRoundList(t->table, t->players, t->table.LastPairedRound(),
                                                  head("C:\\TOQ\\5回戦組み合わせ.txt"), t->ui));
  EXPECT_TRUE(t->ui.messages.empty());
}

TEST_F(GoldenTournament, ResultsTable) {
  const int m = standingsRound(t->table, t->players);
  ASSERT_EQ(m, 3);
  expectGolden("results.txt",
               composeResults(t->table, t->players, m, head("C:\\TOQ\\春季大会-結果.txt"), t->ui));
  EXPECT_TRUE(t->ui.messages.empty());
}

TEST_F(GoldenTournament, StandingsReport) {
  const int m = standingsRound(t->table, t->players);
  ASSERT_EQ(m, 3);
  expectGolden("standings.txt",
               composeStandings(t->table, t->players, m, head("C:\\TOQ\\成績.txt"), t->ui));
  EXPECT_TRUE(t->ui.messages.empty());
}

TEST_F(GoldenTournament, RatingData) {
  expectGolden("rating.txt",
               composeRatingData(t->table, t->players, pairing::makeDateStamp(), t->ui));
  EXPECT_TRUE(t->ui.messages.empty());
}

}  // namespace
}  // namespace toq::reports
