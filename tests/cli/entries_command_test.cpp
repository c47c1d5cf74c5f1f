// toq-cli import-entries: a web form's export in either encoding gives the same register, and
// the name list's import writes its table even without players.

#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_fixture.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq {
namespace {

class CliEntries : public testing::CliTableTest {
 protected:
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  // 60 lines as a web form writes them: a timestamp, quoted commas, an empty line, a grade
  // column, a rating in full-width digits and one line whose rating is not a number.
  static std::string formExport() {
    const char* grades[] = {"初段", "三段", "5級", "アマ四段", ""};
    std::string csv = "タイムスタンプ,お名前,段級,レーティング,メールアドレス\r\n";
    for (int i = 1; i <= 55; ++i)
      csv +=
          text::format("2026/12/01 9:%02d,選手 %d,%s,,p%d@example.jp\r\n", i, i, grades[i % 5], i);
    csv += "2026/12/01 10:00,\"佐藤, 花子\",,１６５０,\"a,b@example.jp\"\r\n";
    csv += "\r\n";
    csv += "2026/12/01 10:01,田中 一,,千五百,\r\n";
    csv += "2026/12/01 10:02,選手 1,二段,,\r\n";  // the same player again: an update
    return csv;
  }
};

TEST_F(CliEntries, AFormsExportInUtf8OrShiftJisGivesTheSameRegister) {
  write("form.csv", "\xEF\xBB\xBF" + formExport());
  write("form-sjis.csv", *text::toCp932(formExport()));
  const testing::CliRun utf8 =
      cli("import-entries", {path("a.tai").string(), path("form.csv").string(), "--participants",
                             "--grade", "初段=1550", "--grade", "三段=1750"});
  const testing::CliRun sjis =
      cli("import-entries", {path("b.tai").string(), path("form-sjis.csv").string(),
                             "--participants", "--grade=初段=1550,三段=1750"});
  for (const testing::CliRun& run : {utf8, sjis}) {
    EXPECT_EQ(run.code, 1);  // one line refused, the rest imported
    EXPECT_NE(run.err.find("59行目: レーティング「千五百」が数ではありません"), std::string::npos);
    EXPECT_NE(run.out.find("新規登録 56人・更新 0人・対戦表に 56行"), std::string::npos);
  }
  EXPECT_EQ(testing::readFile(path("a.ply")), testing::readFile(path("b.ply")));
  const std::string ply = text::toUtf8(testing::readFile(path("a.ply")));
  // One family name on every line: each gets a short name that tells it apart.
  EXPECT_NE(ply.find("\"選手 1\",\"選手1\",1600,"), std::string::npos);  // 二段, the later line
  EXPECT_NE(ply.find("\"選手 5\",\"選手5\",1550,"), std::string::npos);  // 初段 as given
  EXPECT_NE(ply.find("\"選手 6\",\"選手6\",1750,"), std::string::npos);  // 三段 as given
  EXPECT_NE(ply.find("\"佐藤, 花子\",\"\",1650,"), std::string::npos);
  EXPECT_EQ(onDisk(path("a.tai").string())->participantCount, 56);
}

TEST_F(CliEntries, ANameListWithoutPlayersWritesItsTable) {
  write("empty.txt", *text::toCp932("$試合数：5\r\n"));
  const testing::CliRun run = cli("import", {path("empty.txt").string()});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find(path("empty.tai").string()), std::string::npos);
  EXPECT_EQ(onDisk(path("empty.tai").string())->numberOfGames, 5);
}

}  // namespace
}  // namespace toq
