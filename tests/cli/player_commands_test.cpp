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
  EXPECT_EQ(foreign.err, "エラー: 氏名の3文字目（U+00EB）はシフトJISで表せません。\n");
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

// Hostile names from the terminal: each refused with its message, or stored and read back byte
// for byte; the register is the same before and after every refusal.
TEST_F(CliPlayers, HostileNamesAreRefusedOrStoredByteForByte) {
  ASSERT_EQ(cli("register", {playerFile(), "青山 大輔"}).code, 0);
  struct Case {
    std::string name;
    std::string err;  // empty: stored
  };
  const std::vector<Case> cases = {
      {"\x1b]0;title\x07", "エラー: 氏名の1文字目に制御文字（U+001B）は使えません。\n"},
      {"bell\x07", "エラー: 氏名の5文字目に制御文字（U+0007）は使えません。\n"},
      {"del\x7f", "エラー: 氏名の4文字目に制御文字（U+007F）は使えません。\n"},
      {"c1\xc2\x90", "エラー: 氏名の3文字目に制御文字（U+0090）は使えません。\n"},
      {"a\r\nb", "エラー: 氏名に改行は使えません。\n"},
      {"lead\x82", "エラー: 氏名の5文字目がシフトJISの文字ではありません（0x82）。\n"},
      {std::string(128, 'x') + std::string(64, 'y') + std::string(64, 'z'),
       "エラー: 氏名は255バイト（全角127文字）以内で入力してください。\n"},
      {"<img src=x onerror=alert(1)>", ""},
      {"山田, \'太郎\'", ""},
      {std::string(255, 'w'), ""},
  };
  for (const Case& c : cases) {
    const data::Register before = readRegister(playerFile());
    const CliRun r = cli("register", {playerFile(), c.name});
    EXPECT_EQ(r.err, c.err) << c.name;
    const data::Register after = readRegister(playerFile());
    if (!c.err.empty()) {
      EXPECT_EQ(after, before);
      continue;
    }
    ASSERT_EQ(after.count(), before.count() + 1);
    EXPECT_EQ(after.at(after.count()).name, sj(c.name));
  }
  CliRun rating = cli("register", {playerFile(), "X", "--rating", "99999999999"});
  EXPECT_EQ(rating.code, cli::kExitUsage);  // not a number of the program's range: not wrapped
  CliRun far = cli("register", {playerFile(), "X", "--rating", "100000"});
  EXPECT_EQ(far.err,
            "エラー: レーティング 100000 は -99999 から 99999 の範囲で入力してください。\n");
}

// An old file holding a control character opens, prints it as "\x1B", names the record, and is
// mended by `edit`; a file broken in the middle is refused by every sub-command and kept.
TEST_F(CliPlayers, OldAndBrokenFiles) {
  const std::string head = sj("# TOQ V0.60 参加者データ\r\n$バージョン  :0.60\r\n");
  writeBytes(playerFile(), head + sj("0001,0001,\"青山\x1b[31m\",\"\",1600,1,0,\r\n"));
  const CliRun listed = cli("players", {playerFile()});
  EXPECT_EQ(listed.code, 0);
  EXPECT_NE(listed.out.find("青山\\x1B[31m"), std::string::npos) << listed.out;
  EXPECT_EQ(listed.out.find('\x1b'), std::string::npos);
  EXPECT_NE(listed.err.find("1番目の対局者「青山\\x1B[31m」"), std::string::npos) << listed.err;
  ASSERT_EQ(cli("edit", {playerFile(), "1", "--name", "青山 大輔"}).code, 0);
  EXPECT_EQ(readRegister(playerFile()).at(1).name, sj("青山 大輔"));

  const std::string broken = head + sj("0001,0001,\"A\",\"\",1600,1,0,\r\n") +
                             std::string("0002,0002,\"B\0\",\"\",1600,1,0,\r\n", 29) +
                             sj("0003,0003,\"C\",\"\",1600,1,0,\r\n");
  writeBytes(playerFile(), broken);
  save();  // the table beside it
  writeBytes(playerFile(), broken);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"register", playerFile(), "D"},
        std::vector<std::string>{"edit", playerFile(), "1", "--rating", "1"},
        std::vector<std::string>{"show", table()}, std::vector<std::string>{"games", table(), "5"},
        std::vector<std::string>{"serve", table(), "--port", "0"}}) {
    const CliRun r = runInProcess(args);
    EXPECT_EQ(r.code, cli::kExitFailure) << args[0];
    EXPECT_NE(r.err.find("event.ply の 4行目: NUL文字（U+0000）があります"), std::string::npos)
        << args[0] << ": " << r.err;
  }
  EXPECT_EQ(bytes("event.ply"), broken);
}

}  // namespace
}  // namespace toq::testing
