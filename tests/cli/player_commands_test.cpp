// register, edit and delete on a player file.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "data/player_file.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

using text::sj;

using CliPlayers = CliTableTest;

// The register as the player file holds it now.
data::Register readRegister(const std::string& file) {
  data::Register players;
  EXPECT_EQ(data::LoadPlayerFile(players, file), 0);
  return players;
}

TEST_F(CliPlayers, RegisterStartsANewFileAndAddsToIt) {
  CliRun first = cli("register", {playerFile(), "青山 大輔"});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.out, "青山 大輔 を番号 1 で登録しました（1番目）。\n");
  CliRun second = cli(
      "register", {playerFile(), "北村 勇気八段", "--short", "北村", "--rating", "2400", "--pro"});
  ASSERT_EQ(second.code, 0) << second.err;
  EXPECT_EQ(second.out, "北村 勇気八段 を番号 2 で登録しました（2番目）。\n");

  data::Register players = readRegister(playerFile());
  ASSERT_EQ(players.count(), 2);
  EXPECT_EQ(players.at(1).name, sj("青山 大輔"));
  EXPECT_EQ(players.at(1).rating, 1600);  // the form's default
  EXPECT_EQ(players.at(1).professional, 0);
  EXPECT_EQ(players.at(2).shortName, sj("北村"));
  EXPECT_EQ(players.at(2).rating, 2400);
  EXPECT_EQ(players.at(2).professional, 1);
  EXPECT_TRUE(std::filesystem::exists(playerFile() + ".bak"));

  CliRun same = cli("register", {playerFile(), "青山　大輔"});
  EXPECT_EQ(same.code, cli::kExitFailure);
  EXPECT_EQ(same.err, "エラー: 同名の登録があります。\n");
  CliRun foreign = cli("register", {playerFile(), "Zoë"});
  EXPECT_EQ(foreign.code, cli::kExitFailure);
  EXPECT_EQ(foreign.err, "エラー: 氏名にシフトJISで表せない文字があります。\n");
  EXPECT_EQ(readRegister(playerFile()).count(), 2);
  EXPECT_EQ(cli("register", {playerFile(), "X", "--rating", "high"}).code, cli::kExitUsage);
  EXPECT_EQ(cli("register", {playerFile(), "X", "--no-pro"}).code, cli::kExitUsage);
}

TEST_F(CliPlayers, ADamagedFileIsNotOverwritten) {
  const std::string damaged = sj("\"A\",1600,0,0,1,0\r\nno quotes here\r\n");
  writeBytes(playerFile(), damaged);
  CliRun r = cli("register", {playerFile(), "B"});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_TRUE(contains(r.err, "変更しません")) << r.err;
  EXPECT_EQ(bytes("event.ply"), damaged);

  CliRun missing = cli("edit", {path("none.ply").string(), "1", "--rating", "1"});
  EXPECT_EQ(missing.code, cli::kExitFailure);
  EXPECT_TRUE(contains(missing.err, "対局者ファイルを読み込めませんでした")) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(path("none.ply")));
}

TEST_F(CliPlayers, EditKeepsTheFieldsNotGiven) {
  t_->addPlayer(sj("桜井 健太"), 1980);
  t_->addPlayer(sj("森川 千秋"), 2150, 1, true);
  t_->players.at(2).shortName = sj("森川");
  save();
  CliRun rating = cli("edit", {playerFile(), "2", "--rating", "2200", "--no-pro"});
  ASSERT_EQ(rating.code, 0) << rating.err;
  EXPECT_EQ(rating.out, "2番目の対局者を 森川 千秋 にしました。\n");
  data::Register players = readRegister(playerFile());
  EXPECT_EQ(players.at(2).name, sj("森川 千秋"));
  EXPECT_EQ(players.at(2).shortName, sj("森川"));
  EXPECT_EQ(players.at(2).rating, 2200);
  EXPECT_EQ(players.at(2).professional, 0);
  EXPECT_EQ(players.at(2).number, 2);

  ASSERT_EQ(cli("edit", {playerFile(), "2", "--name", "森川 千秋女流二段", "--pro"}).code, 0);
  players = readRegister(playerFile());
  EXPECT_EQ(players.at(2).name, sj("森川 千秋女流二段"));
  EXPECT_EQ(players.at(2).professional, 1);
  EXPECT_EQ(players.at(2).womanProfessional, 1);
  EXPECT_EQ(players.at(2).rating, 2200);

  CliRun taken = cli("edit", {playerFile(), "1", "--name", "森川千秋女流二段"});
  EXPECT_EQ(taken.code, cli::kExitFailure);
  EXPECT_EQ(taken.err, "エラー: 同名の登録があります。\n");
  CliRun outside = cli("edit", {playerFile(), "3"});
  EXPECT_EQ(outside.code, cli::kExitFailure);
  EXPECT_EQ(outside.err, "エラー: 対局者の番号が範囲外です。\n");
  EXPECT_EQ(cli("edit", {playerFile(), "1", "--pro", "--no-pro"}).code, cli::kExitUsage);
  EXPECT_EQ(cli("edit", {playerFile(), "1", "--name"}).code, cli::kExitUsage);
}

TEST_F(CliPlayers, AffiliationIsRegisteredEditedAndChecked) {
  ASSERT_EQ(cli("register", {playerFile(), "青山 大輔", "--affiliation", "青山道場"}).code, 0);
  EXPECT_EQ(readRegister(playerFile()).at(1).affiliation, sj("青山道場"));
  ASSERT_EQ(cli("edit", {playerFile(), "1", "--affiliation", "南小学校"}).code, 0);
  ASSERT_EQ(cli("edit", {playerFile(), "1", "--rating", "1700"}).code, 0);  // kept
  EXPECT_EQ(readRegister(playerFile()).at(1).affiliation, sj("南小学校"));
  CliRun quote = cli("edit", {playerFile(), "1", "--affiliation", "A\"B"});
  EXPECT_EQ(quote.code, cli::kExitFailure);
  EXPECT_EQ(quote.err, "エラー: 所属に二重引用符（\"）は使えません。\n");
}

TEST_F(CliPlayers, DeleteTheGivenPositions) {
  for (const char* name : {"A", "B", "C", "D"}) t_->addPlayer(name);
  save();
  CliRun r = cli("delete", {playerFile(), "1", "3"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "対局者 2人を削除しました。\n");
  // Last position first, each after its question.
  EXPECT_EQ(r.err,
            "対局者データの削除: 対局者(C)のデータを削除しますか？ → はい\n"
            "対局者データの削除: 対局者(A)のデータを削除しますか？ → はい\n");
  data::Register players = readRegister(playerFile());
  ASSERT_EQ(players.count(), 2);
  EXPECT_EQ(players.at(1).name, "B");
  EXPECT_EQ(players.at(2).name, "D");

  CliRun outside = cli("delete", {playerFile(), "1", "5"});
  EXPECT_EQ(outside.code, cli::kExitFailure);
  EXPECT_EQ(outside.err, "エラー: 対局者の番号が範囲外です。\n");
  EXPECT_EQ(readRegister(playerFile()).count(), 2);
  EXPECT_EQ(cli("delete", {playerFile(), "one"}).code, cli::kExitUsage);
  EXPECT_EQ(cli("delete", {playerFile()}).code, cli::kExitUsage);
}

}  // namespace
}  // namespace toq::testing
