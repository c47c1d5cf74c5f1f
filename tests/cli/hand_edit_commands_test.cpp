// opponent, opponents, bye, unpair, result, handicap and random-results on table files.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kUnpaired;
using data::kWin;

using CliOpponent = CliTableTest;

TEST_F(CliOpponent, SetsAPairInBothRowsAndSavesIt) {
  fourPlayers();
  save();
  // Row 1 (A) against player number 3 (C, row 3).
  CliRun r = cli("opponent", {table(), "1", "3"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1回戦 A 対 C を組み合わせました。\n");
  EXPECT_EQ(r.err, "");
  auto t = onDisk();
  EXPECT_EQ(t->opponent[0][0], 2);
  EXPECT_EQ(t->opponent[2][0], 0);
  EXPECT_EQ(t->handicap[0][0], 0);
  EXPECT_TRUE(std::filesystem::exists(path("event.tai.bak")));

  // C has no free row in round 1 any more.
  CliRun taken = cli("opponent", {table(), "2", "3"});
  EXPECT_EQ(taken.code, cli::kExitFailure);
  EXPECT_EQ(taken.err, "エラー: 相手が未定でありません。\n");
  // With --handicaps the new game gets its handicap from the ratings (1800 against 1600: a lance).
  CliRun handicap = cli("opponent", {table(), "2", "4", "--handicaps"});
  ASSERT_EQ(handicap.code, 0) << handicap.err;
  t = onDisk();
  EXPECT_EQ(t->handicap[1][0], 1);
  EXPECT_EQ(t->handicap[3][0], -1);
  EXPECT_EQ(t->side[3][0], data::kSideFirst);

  EXPECT_EQ(cli("opponent", {table(), "1", "0"}).code, cli::kExitUsage);
  EXPECT_EQ(cli("opponent", {table(), "x", "2"}).code, cli::kExitUsage);
  CliRun row = cli("opponent", {table(), "9", "2"});
  EXPECT_EQ(row.code, cli::kExitFailure);
  EXPECT_EQ(row.err, "エラー: 行番号が範囲外です。\n");
}

TEST_F(CliOpponent, ListsTheChoosersThreeSections) {
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  t_->play(0, 2, 3, kLoss);
  save();
  CliRun r = cli("opponents", {table(), "1"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "2回戦　A  対戦相手の指定\n"
            "3 C\n"
            "4 D\n"
            "  （抜け番）\n"
            "  --- 以下は過去に対戦済 ---\n"
            "2 B\n");
  CliRun row = cli("opponents", {table(), "5"});
  EXPECT_EQ(row.code, cli::kExitFailure);
  EXPECT_EQ(row.err, "エラー: 行番号が範囲外です。\n");
}

TEST_F(CliOpponent, ByeAndUnpair) {
  t_ = makeTournament(1);
  fourPlayers();
  save();
  CliRun bye = cli("bye", {table(), "4"});
  ASSERT_EQ(bye.code, 0) << bye.err;
  EXPECT_EQ(bye.out, "1回戦 D を抜け番にしました。\n");
  EXPECT_EQ(onDisk()->opponent[3][0], kBye);
  // The only round is taken now.
  CliRun full = cli("bye", {table(), "4"});
  EXPECT_EQ(full.code, cli::kExitFailure);
  EXPECT_EQ(full.err, "エラー: D の組み合わせていない回戦がありません。\n");

  CliRun unpair = cli("unpair", {table(), "4"});
  ASSERT_EQ(unpair.code, 0) << unpair.err;
  EXPECT_EQ(unpair.out, "1回戦 D の組み合わせを取り消しました。\n");
  EXPECT_EQ(unpair.err, "警告: 1回戦 D 抜け番 の組み合わせを取り消しますか？ → はい\n");
  EXPECT_EQ(onDisk()->opponent[3][0], kUnpaired);
  CliRun nothing = cli("unpair", {table(), "4"});
  EXPECT_EQ(nothing.code, cli::kExitFailure);
  EXPECT_EQ(nothing.err, "エラー: D の取り消す組み合わせがありません。\n");
}

using CliResult = CliTableTest;

TEST_F(CliResult, EntersEveryResultFromTheRowsSide) {
  fourPlayers();
  t_->table.setPair(0, 0, 1);
  save();
  const std::pair<const char*, std::pair<int, int>> cases[] = {
      {"win", {kWin, kLoss}}, {"loss", {kLoss, kWin}}, {"draw", {kDraw, kDraw}},
      {"clear", {0, 0}},      {"勝ち", {kWin, kLoss}}, {"引き分け", {kDraw, kDraw}}};
  for (auto [word, results] : cases) {
    CliRun r = cli("result", {table(), "1", "2", word});
    ASSERT_EQ(r.code, 0) << word << r.err;
    auto t = onDisk();
    EXPECT_EQ(t->result[1][0], results.first) << word;
    EXPECT_EQ(t->result[0][0], results.second) << word;
  }
  EXPECT_EQ(cli("result", {table(), "1", "1", "win"}).out, "1回戦 A 対 B: 勝ち\n");
  CliRun verbose = cli("result", {"--verbose", table(), "1", "1", "loss"});
  // Rows 3 and 4 are not paired yet: they count as one game without a result.
  EXPECT_TRUE(contains(verbose.err, "結果の未入力は 1組\n")) << verbose.err;

  CliRun noGame = cli("result", {table(), "1", "3", "win"});
  EXPECT_EQ(noGame.code, cli::kExitFailure);
  EXPECT_EQ(noGame.err, "エラー: 1回戦 C に対局がありません。\n");
  CliRun round = cli("result", {table(), "4", "1", "win"});
  EXPECT_EQ(round.code, cli::kExitFailure);
  EXPECT_EQ(round.err, "エラー: 回戦が範囲外です。\n");
  EXPECT_EQ(cli("result", {table(), "1", "1", "won"}).code, cli::kExitUsage);

  ASSERT_EQ(cli("lock", {table(), "on"}).code, 0);
  const std::string locked = bytes("event.tai");
  CliRun refused = cli("result", {table(), "1", "1", "draw"});
  EXPECT_EQ(refused.code, cli::kExitFailure);
  EXPECT_EQ(refused.err, "TOQ: 変更は禁止されています。\n");
  EXPECT_EQ(bytes("event.tai"), locked);
}

TEST_F(CliResult, HandicapSidesAndResultByPositionOrName) {
  fourPlayers();
  t_->table.setPair(0, 0, 3);  // A 1900 against D 1600
  save();
  CliRun even = cli("handicap", {table(), "1", "4", "0", "1"});
  ASSERT_EQ(even.code, 0) << even.err;
  EXPECT_EQ(even.out, "1回戦 D 対 A: 平手、先手 D\n");
  auto t = onDisk();
  EXPECT_EQ(t->side[3][0], data::kSideFirst);
  EXPECT_EQ(t->side[0][0], data::kSideSecond);

  // A handicap goes to the lower-rated player, who moves first; the result is D's.
  CliRun lance = cli("handicap", {table(), "1", "4", "香落ち", "未定", "win"});
  ASSERT_EQ(lance.code, 0) << lance.err;
  EXPECT_EQ(lance.out, "1回戦 D 対 A: 香落ち、先手 D、勝ち\n");
  t = onDisk();
  EXPECT_EQ(t->handicap[0][0], 1);
  EXPECT_EQ(t->handicap[3][0], -1);
  EXPECT_EQ(t->result[3][0], kWin);
  EXPECT_EQ(t->result[0][0], kLoss);

  CliRun bad = cli("handicap", {table(), "1", "1", "8"});
  EXPECT_EQ(bad.code, cli::kExitFailure);
  EXPECT_EQ(bad.err, "エラー: 手合割・先後の指定が正しくありません。\n");
  EXPECT_EQ(onDisk()->handicap[0][0], 1);
  CliRun noGame = cli("handicap", {table(), "1", "2", "0"});
  EXPECT_EQ(noGame.code, cli::kExitFailure);
  EXPECT_EQ(noGame.err, "エラー: 1回戦 B に対局がありません。\n");
  EXPECT_EQ(cli("handicap", {table(), "1", "1", "角"}).code, cli::kExitUsage);
}

TEST_F(CliResult, RandomResultsFillTheFirstUnfinishedRound) {
  t_ = makeTournament(1);
  fourPlayers();
  t_->table.setPair(0, 0, 1);
  t_->table.setPair(0, 2, 3);
  save();
  CliRun r = cli("random-results", {table()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1回戦の結果を自動入力しました。\n");
  auto t = onDisk();
  for (int row = 0; row < 4; ++row) {
    const int o = t->opponent[row][0];
    EXPECT_EQ(t->result[row][0] + t->result[o][0], kWin + kLoss) << row;
    EXPECT_NE(t->result[row][0], kDraw);
  }
  CliRun done = cli("random-results", {table()});
  EXPECT_EQ(done.code, cli::kExitFailure);
  EXPECT_EQ(done.err, "エラー: 結果は入力済みです。\n");
}

}  // namespace
}  // namespace toq::testing
