#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "data/file_parsers.h"
#include "data/name_list.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "file_fixtures.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using text::sj;

TEST(NameList, GoldenImportWritesPlayerAndTableFiles) {
  fs::path dir = testing::makeTempDir();
  fs::copy_file(fs::path(TOQ_SOURCE_DIR) / "tests/golden/data/names.txt", dir / "names.txt");
  auto t = testing::makeTournament(9);
  t->addParticipant("old");  // replaced by the import
  t->table.lockFlag = 1;
  fs::path playerFile;
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(data::ImportNameList(t->players, t->table, dir / "names.txt", playerFile, t->ui), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "名前がない\n");

  EXPECT_EQ(playerFile, dir / "names.ply");
  EXPECT_EQ(t->table.filePath, dir / "names.tai");
  EXPECT_EQ(t->table.title, "test");
  EXPECT_EQ(testing::readFile(dir / "names.ply"), testing::golden("names.ply"));
  EXPECT_EQ(testing::readFile(dir / "names.tai"),
            testing::goldenTable("names.tai", dir / "names.tai"));
  EXPECT_EQ(t->players.at(4).womanProfessional, 1);

  // What was written reads back as the imported state.
  auto back = testing::makeTournament();
  fs::path backPlayers;
  ASSERT_EQ(
      data::OpenTableFile(back->players, back->table, dir / "names.tai", backPlayers, back->ui), 0);
  EXPECT_EQ(back->players.all(), t->players.all());
  EXPECT_EQ(back->table.participants, t->table.participants);
  EXPECT_EQ(back->table.numberOfGames, 3);
}

TEST(NameList, LinesAreTakenWholeAndBadLinesSkipped) {
  auto t = testing::makeTournament(4);
  std::ostringstream out, err;
  std::string longName(600, 'x');  // a line beyond 499 bytes is one line, its name refused
  const std::string text = sj("\"甲\",1500,3\r\n"
                              "\"乙\",1500,3,0\n"
                              "\"閉じない,1600\r\n"
                              "$試合数：33\r\n"
                              "$試合数：\r\n") +
                           "\"" + longName + "\",1234,1\r\n\"after\"\r\n";
  data::parseNameListText(t->players, t->table, text, t->ui, out, err);
  EXPECT_EQ(out.str(), "名前がない\n");  // "$試合数：" without a number is a player line
  EXPECT_EQ(err.str(),
            "名前の閉じる引用符がありません: 3\n試合数は1から32までです: 4\n"
            "6行目: 氏名は255バイト（全角127文字）以内で入力してください。\n");
  EXPECT_EQ(t->table.numberOfGames, 4);
  ASSERT_EQ(t->players.count(), 3);
  EXPECT_EQ(t->players.at(1).professional, 1);
  EXPECT_EQ(t->players.at(2).professional, 0);
  EXPECT_EQ(t->players.at(3).name, "after");
  EXPECT_EQ(t->table.participantCount, 7);  // 3 + 3 + 1
  EXPECT_EQ(t->table.participants[5], 2);
}

TEST(NameList, TableFullAndRegisterFullStaySafe) {
  auto t = testing::makeTournament();
  std::ostringstream out, err;
  // Two million boards would be two million failing additions; the table stops at 99, once.
  data::parseNameListText(t->players, t->table, "\"many\",2000,2000000\r\n\"late\",1500\r\n", t->ui,
                          out, err);
  EXPECT_EQ(t->table.participantCount, data::kMaxParticipants);
  EXPECT_EQ(t->ui.errors(), std::vector<std::string>{"最大登録人数です。"});
  EXPECT_EQ(t->players.count(), 2);

  auto u = testing::makeTournament();
  std::string lines;
  for (int i = 0; i < data::kMaxPlayers + 5; ++i) lines += "\"p\",1,0\r\n";
  data::parseNameListText(u->players, u->table, lines, u->ui, out, err);
  EXPECT_EQ(u->players.count(), data::kMaxPlayers);
  EXPECT_EQ(u->table.participantCount, 0);  // entries 0: no rows
}

TEST(NameList, UnreadableListEmptiesRegisterAndTable) {
  auto t = testing::makeTournament();
  t->addParticipant("A");
  fs::path dir = testing::makeTempDir();
  fs::path playerFile = "keep.ply";
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(data::ImportNameList(t->players, t->table, dir / "none.txt", playerFile, t->ui), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "読み込みエラー(" + (dir / "none.txt").string() + ")\a\n");
  EXPECT_EQ(t->players.count(), 0);
  EXPECT_EQ(t->table.participantCount, 0);
  EXPECT_TRUE(fs::is_empty(dir));
}

TEST(NameList, SampleListOfTheResources) {
  fs::path dir = testing::makeTempDir();
  fs::copy_file(fs::path(TOQ_SOURCE_DIR) / "resources/sample-names.txt", dir / "sample.txt");
  auto t = testing::makeTournament();
  fs::path playerFile;
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(data::ImportNameList(t->players, t->table, dir / "sample.txt", playerFile, t->ui), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  ASSERT_EQ(t->players.count(), 20);
  EXPECT_EQ(t->table.numberOfGames, 5);
  EXPECT_EQ(t->table.participantCount, 23);
  int professionals = 0, women = 0;
  for (const auto& p : t->players.all()) {
    professionals += p.professional;
    women += p.womanProfessional;
    EXPECT_GE(p.rating, 1200);
    EXPECT_LE(p.rating, 2400);
  }
  EXPECT_EQ(professionals, 3);
  EXPECT_EQ(women, 1);
  EXPECT_EQ(t->table.AnyMultiEntry(t->players), 1);
  EXPECT_TRUE(fs::exists(dir / "sample.ply"));
  EXPECT_TRUE(fs::exists(dir / "sample.tai"));
}

}  // namespace
}  // namespace toq
