// absent, sort and pair --bye on table files, in process.
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"

namespace toq::testing {
namespace {

using CliAbsent = CliTableTest;

TEST_F(CliAbsent, SitsOutWithdrawsAndTakesBack) {
  fourPlayers();
  t_->addParticipant("E", 1500);
  save();
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* out;
  };
  const Case cases[] = {
      {{"2", "--from", "2"}, 0, "B を2回戦から棄権にしました。\n"},
      {{"3", "--round", "1"}, 0, "C を1回戦の休場にしました。\n"},
      {{"3", "--round", "1"}, 1, ""},
      {{"2", "--from", "3", "--undo"}, 0, "B の休場・棄権を取り消しました（1回戦分）。\n"},
      {{"2"}, 2, ""},
      {{"2", "--round", "1", "--from", "2"}, 2, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {table()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = cli("absent", args);
    EXPECT_EQ(r.code, c.code) << c.args[0] << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  const auto t = onDisk();
  EXPECT_EQ(t->opponent[1][1], data::kAbsent);
  EXPECT_EQ(t->opponent[1][2], data::kUnpaired);
  EXPECT_EQ(t->opponent[2][0], data::kAbsent);
  // Four left in round 1: the pairing leaves C out, no bye needed.
  const CliRun paired = cli("pair", {table()});
  ASSERT_EQ(paired.code, 0) << paired.err;
  EXPECT_EQ(onDisk()->opponent[2][0], data::kAbsent);
}

TEST_F(CliAbsent, TheOddFieldNamesItsByeAndPairBySetsItInOneStep) {
  t_->addParticipant("D", 1600);
  t_->addParticipant("A", 1900);
  t_->addParticipant("C", 1700);
  save();
  CliRun r = cli("sort", {table()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "参加者 3人をレーティング順に並べ替えました。\n");
  EXPECT_EQ(onDisk()->participants[0], 2);
  r = cli("pair", {table()});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, "組み合わせ数が奇数(3)です。\n抜け番の候補: D（3位、抜け番なし）\n"))
      << r.err;
  EXPECT_EQ(cli("pair", {table(), "--bye", "7"}).code, 1);
  r = cli("pair", {table(), "--bye", "proposed"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto t = onDisk();
  EXPECT_EQ(t->opponent[2][0], data::kBye);
  EXPECT_EQ(t->opponent[0][0], 1);
  EXPECT_EQ(cli("sort", {table()}).code, 1);
}

}  // namespace
}  // namespace toq::testing
