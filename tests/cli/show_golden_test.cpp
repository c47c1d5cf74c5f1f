// The layout of "toq-cli show" against golden files: a table written to disk by the file
// layer, read back and printed by the program as the main view shows it.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_harness.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

using data::kAbsent;
using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kWin;
using text::sj;

// Writes base.ply and base.tai for the tournament and returns the table file.
std::filesystem::path save(Tournament& t, const std::filesystem::path& dir) {
  const auto table = dir / "event.tai";
  EXPECT_EQ(data::WritePlayerFile(t.players, dir / "event.ply"), 0);
  EXPECT_EQ(data::WriteTableFile(t.table, table, t.ui), 0);
  return table;
}

void setSides(data::Table& table, int round, int first, int second) {
  table.side[first][round] = data::kSideFirst;
  table.side[second][round] = data::kSideSecond;
}

// Five players, three games: two complete rounds with a handicap game, a draw, a bye and an
// absence, and a third round half paired. Ranks go by score, Solkoff score and head to head.
TEST(ShowGolden, ScoreModeTable) {
  auto t = makeTournament(3);
  t->addParticipant(sj("山田 太郎"), 1800);
  t->addParticipant(sj("佐藤 花子"), 1650);
  t->players.at(2).shortName = sj("花子");
  t->addParticipant(sj("鈴木　一郎"), 0);
  t->addParticipant(sj("高橋 健"), 1500);
  t->addParticipant(sj("伊藤 誠"), 1550);
  auto& table = t->table;

  t->play(0, 0, 1, kWin);
  setSides(table, 0, 0, 1);
  t->play(0, 2, 3, kLoss);
  table.handicap[2][0] = 1, table.handicap[3][0] = -1;
  setSides(table, 0, 3, 2);
  table.opponent[4][0] = kBye;

  t->play(1, 0, 3, kDraw);
  setSides(table, 1, 3, 0);
  t->play(1, 1, 4, kLoss);
  table.handicap[1][1] = 2, table.handicap[4][1] = -2;
  setSides(table, 1, 4, 1);
  table.opponent[2][1] = kAbsent;

  table.setPair(2, 0, 4);
  table.opponent[3][2] = kBye;

  const std::string dir = makeTempDir();
  CliRun r = runInProcess({"show", save(*t, dir).string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, goldenCli("show_score_mode.txt"));
}

// A professional on two boards: one number for both rows, the group's totals on the second
// line of its last row, one win rate and one rank for the group.
TEST(ShowGolden, WinRateModeTable) {
  auto t = makeTournament(2);
  t->addParticipant(sj("北村 勇気八段"), 2400, 2, true);
  t->addParticipant(sj("青山 大輔"), 2050);
  t->addParticipant(sj("桜井 健太"), 1980);
  auto& table = t->table;
  t->play(0, 0, 2, kWin);
  setSides(table, 0, 2, 0);
  t->play(0, 1, 3, kLoss);
  setSides(table, 0, 3, 1);
  table.setPair(1, 0, 3);
  table.setPair(1, 1, 2);

  const std::string dir = makeTempDir();
  CliRun r = runInProcess({"show", save(*t, dir).string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, goldenCli("show_win_rate_mode.txt"));
}

}  // namespace
}  // namespace toq::testing
