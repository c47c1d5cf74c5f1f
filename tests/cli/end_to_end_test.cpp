// The built toq-cli program on files: a name list written here in Shift-JIS is imported,
// shown, listed and exported, and missing files fail with the program's messages.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_harness.h"
#include "support/builders.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

namespace fs = std::filesystem;
using text::sj;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    writeBytes(dir_ / "names.txt", sj("# 名簿\r\n"
                                      "$試合数：3\r\n"
                                      "\r\n"
                                      "\"北村 勇気八段\",2400,2\r\n"
                                      "\"青山 大輔\",2050\r\n"
                                      "\"桜井 健太\"\r\n"
                                      "引用符のない行\r\n"));
  }
  void TearDown() override { fs::remove_all(dir_); }
  CliRun run(const std::vector<std::string>& args) { return runProgram(args, dir_); }

  fs::path dir_;
};

TEST_F(CliProgram, ImportShowPlayersAndCsv) {
  CliRun imported = run({"--verbose", "import", "names.txt"});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.out, "対局者 3人、対戦表 4行、3回戦\nnames.ply\nnames.tai\n");
  EXPECT_TRUE(contains(imported.err, "names.tai を保存しました。4人\n"));
  // The import's note on the line without a name is a message, not data.
  EXPECT_TRUE(contains(imported.err, "名前がない\n"));
  EXPECT_TRUE(fs::exists(dir_ / "names.ply"));
  EXPECT_TRUE(fs::exists(dir_ / "names.tai"));

  CliRun shown = run({"show", "names.tai"});
  ASSERT_EQ(shown.code, 0) << shown.err;
  EXPECT_EQ(shown.err, "");
  EXPECT_EQ(shown.out,
            "No.   対局者        １回戦 ２回戦 ３回戦 勝-敗-分 勝率 順位\n"
            "    1 北村 勇気八段                      0-0\n"
            "      2400\n"
            "      北村 勇気八段                      0-0\n"
            "      2400                               計 0-0\n"
            "    2 青山 大輔                          0-0\n"
            "      2050\n"
            "    3 桜井 健太                          0-0\n"
            "\n");

  CliRun listed = run({"players", "names.ply"});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "No.   氏　名        省略名 レーティング 面数 プロ 所属\n"
            "    1 北村 勇気八段        2400         2    ○\n"
            "    2 青山 大輔            2050         1\n"
            "    3 桜井 健太                         1\n");

  CliRun chart = run({"csv", "names.tai"});
  ASSERT_EQ(chart.code, 0) << chart.err;
  EXPECT_EQ(chart.out, "names.tai.csv\n");
  const std::string csv = readFile((dir_ / "names.tai.csv").string());
  EXPECT_TRUE(contains(csv, " 4, 3, 2, 1," + sj("順位") + "\r\n")) << csv;

  CliRun named = run({"csv", "names.tai", "wall.csv"});
  ASSERT_EQ(named.code, 0) << named.err;
  EXPECT_EQ(readFile((dir_ / "wall.csv").string()), csv);
}

TEST_F(CliProgram, MissingFilesFailWithTheProgramsMessages) {
  CliRun show = run({"show", "absent.tai"});
  EXPECT_EQ(show.code, 1);
  EXPECT_EQ(show.out, "");
  EXPECT_EQ(show.err, "エラー: データを読み込めませんでした(absent.tai)。\n");

  CliRun csv = run({"csv", "absent.tai"});
  EXPECT_EQ(csv.code, 1);
  EXPECT_FALSE(fs::exists(dir_ / "absent.tai.csv"));

  CliRun players = run({"players", "absent.ply"});
  EXPECT_EQ(players.code, 1);
  EXPECT_EQ(players.err, "エラー: 対局者ファイルを読み込めませんでした(absent.ply)。\n");

  CliRun import = run({"import", "absent.txt"});
  EXPECT_EQ(import.code, 1);
  EXPECT_EQ(import.out, "");
  EXPECT_TRUE(contains(import.err, "読み込みエラー(absent.txt)")) << import.err;
  EXPECT_FALSE(fs::exists(dir_ / "absent.ply"));
}

TEST_F(CliProgram, AnImportThatOverflowsTheTableWritesWhatFitsAndFails) {
  std::string list;
  for (int i = 1; i <= 100; ++i) list += "\"P" + std::to_string(i) + "\",1500\r\n";
  writeBytes(dir_ / "many.txt", list);
  CliRun r = run({"import", "many.txt"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "対局者 100人、対戦表 99行、9回戦\nmany.ply\nmany.tai\n");
  EXPECT_EQ(r.err, "エラー: 最大登録人数です。\n");
  EXPECT_TRUE(fs::exists(dir_ / "many.tai"));
}

TEST_F(CliProgram, ACsvThatCannotBeWrittenFails) {
  ASSERT_EQ(run({"import", "names.txt"}).code, 0);
  CliRun r = run({"csv", "names.tai", "no-such-folder/wall.csv"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(contains(r.err, "no-such-folder/wall.csv")) << r.err;
}

TEST_F(CliProgram, UsageErrorsExitWithTwo) {
  CliRun r = run({"import"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "使い方: toq-cli import NAMES.txt\n");
  EXPECT_EQ(run({"frobnicate"}).code, 2);
  CliRun help = run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_TRUE(contains(help.out, "toq-cli show TABLE.tai"));
}

}  // namespace
}  // namespace toq::testing
