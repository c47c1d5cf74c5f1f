// cancel-round, cancel-all, games, exchange-byes, lock, add, candidates, remove on table files.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

using data::kBye;
using data::kUnpaired;
using data::kWin;

using CliRounds = CliTableTest;

TEST_F(CliRounds, CancelTheLatestRoundThenEveryPairing) {
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  t_->play(0, 2, 3, kWin);
  t_->table.setPair(1, 0, 2);
  t_->table.setPair(1, 1, 3);
  save();
  CliRun round = cli("cancel-round", {table()});
  ASSERT_EQ(round.code, 0) << round.err;
  EXPECT_EQ(round.out, "2回戦の組み合わせを取り消しました。\n");
  auto t = onDisk();
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(t->opponent[row][1], kUnpaired);
    EXPECT_GE(t->opponent[row][0], 0);
  }

  // Every pairing: the command writes the cleared table itself.
  CliRun all = cli("cancel-all", {table()});
  ASSERT_EQ(all.code, 0) << all.err;
  EXPECT_EQ(all.out, "全ての組み合わせを取り消しました。\n");
  EXPECT_EQ(all.err, "確認: 全ての組み合わせを取り消しますか？ → はい\n");
  t = onDisk();
  EXPECT_EQ(t->participantCount, 4);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(t->opponent[row][0], kUnpaired);
    EXPECT_EQ(t->result[row][0], 0);
  }
  EXPECT_EQ(t->HasPairings(), 0);

  CliRun none = cli("cancel-round", {table()});
  EXPECT_EQ(none.code, cli::kExitFailure);
  EXPECT_EQ(none.err, "エラー: エラー kaisen=-1\n");
}

TEST_F(CliRounds, ALockedTableRefusesTheCancelsAndLockOffReleasesIt) {
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  save();
  CliRun on = cli("lock", {table(), "on"});
  ASSERT_EQ(on.code, 0) << on.err;
  EXPECT_EQ(on.out, "変更禁止にしました。\n");
  EXPECT_EQ(onDisk()->lockFlag, 1);
  const std::string locked = bytes("event.tai");
  for (const char* command : {"cancel-round", "cancel-all"}) {
    CliRun r = cli(command, {table()});
    EXPECT_EQ(r.code, cli::kExitFailure) << command;
    EXPECT_EQ(r.err, "TOQ: 変更は禁止されています。\n") << command;
    EXPECT_EQ(bytes("event.tai"), locked) << command;
  }
  CliRun off = cli("lock", {table(), "off"});
  ASSERT_EQ(off.code, 0) << off.err;
  EXPECT_EQ(off.out, "変更禁止を解除しました。\n");
  EXPECT_EQ(onDisk()->lockFlag, 0);
  EXPECT_EQ(cli("lock", {table(), "yes"}).code, cli::kExitUsage);
}

TEST_F(CliRounds, NumberOfGames) {
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  t_->table.setPair(1, 2, 3);
  save();
  CliRun more = cli("games", {table(), "5"});
  ASSERT_EQ(more.code, 0) << more.err;
  EXPECT_EQ(more.out, "試合数を 5 にしました。\n");
  EXPECT_EQ(onDisk()->numberOfGames, 5);
  ASSERT_EQ(cli("games", {table(), "2"}).code, 0);
  EXPECT_EQ(onDisk()->numberOfGames, 2);

  CliRun below = cli("games", {table(), "1"});
  EXPECT_EQ(below.code, cli::kExitFailure);
  EXPECT_EQ(below.err, "エラー: 組み合わせがあります。\n");
  CliRun range = cli("games", {table(), "33"});
  EXPECT_EQ(range.code, cli::kExitFailure);
  EXPECT_EQ(range.err, "エラー: 1 から 32 までの整数を入力してください。\n");
  EXPECT_EQ(onDisk()->numberOfGames, 2);
  EXPECT_EQ(cli("games", {table(), "two"}).code, cli::kExitUsage);
}

TEST_F(CliRounds, ExchangeByes) {
  fourPlayers();
  t_->table.opponent[0][0] = kBye;
  t_->table.opponent[0][1] = data::kAbsent;
  save();
  CliRun r = cli("exchange-byes", {table(), "1", "4"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "A と D の抜け番を入れ替えました。\n");
  auto t = onDisk();
  EXPECT_EQ(t->opponent[3][0], kBye);
  EXPECT_EQ(t->opponent[3][1], data::kAbsent);
  EXPECT_EQ(t->opponent[0][0], kUnpaired);

  CliRun same = cli("exchange-byes", {table(), "2", "2"});
  EXPECT_EQ(same.code, cli::kExitFailure);
  EXPECT_EQ(same.err, "エラー: 抜け番を入れ替えることができません。\n");
  ASSERT_EQ(cli("opponent", {table(), "2", "3"}).code, 0);
  CliRun games = cli("exchange-byes", {table(), "1", "4"});
  EXPECT_EQ(games.code, cli::kExitFailure);
  EXPECT_EQ(games.err,
            "エラー: 対局の組み合わせがあるため、抜け番を入れ替えることができません。\n");
}

using CliParticipants = CliTableTest;

TEST_F(CliParticipants, CandidatesAddAndRemove) {
  t_->addParticipant("A");
  t_->addParticipant("B");
  t_->addPlayer("C", 1500);
  t_->addPlayer("D", 1500);
  save();
  // The players not in the table, with the numbers add takes.
  CliRun list = cli("candidates", {table()});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_EQ(list.out, "3 C\n4 D\n");

  CliRun added = cli("add", {table(), "3"});
  ASSERT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(added.out, "C を対戦表に追加しました（3行）。\n");
  auto t = onDisk();
  ASSERT_EQ(t->participantCount, 3);
  EXPECT_EQ(t->participants[2], 3);

  CliRun again = cli("add", {table(), "3"});
  EXPECT_EQ(again.code, cli::kExitFailure);
  EXPECT_EQ(again.err, "エラー: C はすでに対戦表にあります。\n");
  CliRun unknown = cli("add", {table(), "77"});
  EXPECT_EQ(unknown.code, cli::kExitFailure);
  EXPECT_EQ(unknown.err, "エラー: 番号 77 の対局者は登録されていません。\n");

  CliRun removed = cli("remove", {table(), "1"});
  ASSERT_EQ(removed.code, 0) << removed.err;
  EXPECT_EQ(removed.out, "A を対戦表から削除しました。\n");
  EXPECT_EQ(removed.err, "確認: 選択対局者 A を削除しますか？ → はい\n");
  t = onDisk();
  ASSERT_EQ(t->participantCount, 2);
  EXPECT_EQ(t->participants[0], 2);
  CliRun outside = cli("remove", {table(), "3"});
  EXPECT_EQ(outside.code, cli::kExitFailure);
  EXPECT_EQ(outside.err, "エラー: 行番号が範囲外です。\n");
}

}  // namespace
}  // namespace toq::testing
