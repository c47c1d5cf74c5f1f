#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "data/file_parsers.h"
#include "data/player_file.h"
#include "data/safe_write.h"
#include "file_fixtures.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using text::sj;

void put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

TEST(PlayerFile, GoldenWriteAndRoundTrip) {
  auto t = testing::threeRowTournament();
  fs::path dir = testing::makeTempDir();
  fs::path file = dir / "players.ply";
  ASSERT_EQ(data::WritePlayerFile(t->players, file), 0);
  EXPECT_EQ(testing::readFile(file), testing::golden("players.ply"));

  data::Register back;
  back.AddPlayer(data::Player{});  // LoadPlayerFile empties first
  ASSERT_EQ(data::LoadPlayerFile(back, file), 0);
  EXPECT_EQ(back.all(), t->players.all());  // woman professional comes back from the name

  // Writing again keeps the previous version as ".bak".
  back.RemovePlayer(2);
  ASSERT_EQ(data::WritePlayerFile(back, file), 0);
  EXPECT_EQ(testing::readFile(data::backupPath(file)), testing::golden("players.ply"));

  data::Register empty;
  ASSERT_EQ(data::WritePlayerFile(empty, file), 0);
  EXPECT_EQ(testing::readFile(file), sj("# TOQ V0.60 参加者データ\r\n$バージョン  :0.60\r\n"));
}

// An affiliation is one more quoted field after the integers, on the records that have one;
// the other lines are written as before, and the integers are read as before.
TEST(PlayerFile, AffiliationGoldenAndRoundTrip) {
  auto t = testing::threeRowTournament();
  t->players.at(1).affiliation = sj("青山道場");
  t->players.at(3).affiliation = sj("　南小学校 ");
  fs::path file = fs::path(testing::makeTempDir()) / "players.ply";
  ASSERT_EQ(data::WritePlayerFile(t->players, file), 0);
  EXPECT_EQ(testing::readFile(file), testing::golden("players_affiliation.ply"));
  data::Register back;
  ASSERT_EQ(data::LoadPlayerFile(back, file), 0);
  EXPECT_EQ(back.all(), t->players.all());
}

TEST(PlayerFile, AReadingIsWrittenOnlyWhereSetAfterTheAffiliation) {
  auto t = testing::threeRowTournament();
  t->players.at(1).affiliation = sj("青山道場");
  t->players.at(1).reading = sj("やまだ　たろう");
  t->players.at(2).reading = sj("もりかわ ちあき");
  t->players.at(3).affiliation = sj("　南小学校 ");
  fs::path file = fs::path(testing::makeTempDir()) / "players.ply";
  ASSERT_EQ(data::WritePlayerFile(t->players, file), 0);
  EXPECT_EQ(testing::readFile(file), testing::golden("players_reading.ply"));
  data::Register back;
  ASSERT_EQ(data::LoadPlayerFile(back, file), 0);
  EXPECT_EQ(back.all(), t->players.all());
}

TEST(PlayerFile, ReaderTakesWhatTheDescriptionAllows) {
  data::Register r;
  const std::string text =
      "# comment\n$anything\n\n"
      "0001,0007,\"A\",\"a\",1600,2,1,\n"  // LF only
      "0002, 0003,\"B\",\"\"\r\n"          // no integers: defaults
      "x,4,\"C\" ,\"c\",,1700,\r\n"        // integers start two bytes after the quote
      "0009,0010,\"D\",\"d\",1500,1,0,5,6,7,8,9,10,11\r\n";
  ASSERT_EQ(data::parsePlayerText(r, text), 0);
  ASSERT_EQ(r.count(), 4);
  EXPECT_EQ(r.at(1).number, 7);
  EXPECT_EQ(r.at(1).entries, 2);
  EXPECT_EQ(r.at(1).professional, 1);
  EXPECT_EQ(r.at(2).number, 3);
  EXPECT_EQ(r.at(2).rating, 0);
  EXPECT_EQ(r.at(2).entries, 1);
  EXPECT_EQ(r.at(2).professional, 0);
  EXPECT_EQ(r.at(3).shortName, "c");
  EXPECT_EQ(r.at(3).rating, 0);  // ",," at the start: no integer
  EXPECT_EQ(r.at(4).rating, 1500);
  // Numbers are taken as written, gaps and all; a new player gets the smallest free one.
  EXPECT_EQ(r.NextFreeNumber(), 1);
}

TEST(PlayerFile, MalformedLinesAreNamedAndTheOtherRecordsKeptForViewing) {
  for (const char* bad :
       {"no comma at all", "1,x,\"A\",\"a\"", "1,2,no quote", "1,2,\"unclosed name",
        "1,2,\"A\",no short name", "1,2,\"A\",\"unclosed short name,1600,1,0,"}) {
    data::Register r;
    EXPECT_EQ(data::parsePlayerText(r, std::string("1,1,\"ok\",\"\",1,1,0,\r\n") + bad +
                                           "\r\n1,2,\"after\",\"\",\r\n"),
              -1)
        << bad;
    ASSERT_EQ(r.count(), 2) << bad;
    EXPECT_EQ(r.at(1).name, "ok");
    EXPECT_EQ(r.at(2).name, "after");
  }
}

TEST(PlayerFile, LongNamesAreCutAndLongLinesStayOneRecord) {
  // 3000 double-byte characters: a line far beyond 4095 bytes, cut to 127 whole characters.
  std::string kanji;
  for (int i = 0; i < 3000; ++i) kanji += sj("将");
  std::string shortName = "s" + kanji;
  data::Register r;
  ASSERT_EQ(data::parsePlayerText(
                r, "1,1,\"" + kanji + "\",\"" + shortName + "\",1750,1,0,\r\n1,2,\"B\",\"\",\r\n"),
            0);
  ASSERT_EQ(r.count(), 2);
  EXPECT_EQ(r.at(1).name.size(), 254u);
  EXPECT_EQ(r.at(1).name, kanji.substr(0, 254));
  EXPECT_EQ(r.at(1).shortName.size(), 255u);  // "s" + 127 characters
  EXPECT_EQ(r.at(1).rating, 1750);
  EXPECT_EQ(r.at(2).name, "B");
}

TEST(PlayerFile, HugeNumbersAreClampedAndFullRegisterGivesMinusTwo) {
  data::Register r;
  ASSERT_EQ(data::parsePlayerText(r, "1,99999999999,\"A\",\"\",-99999999999,1,0,\n"), 0);
  EXPECT_EQ(r.at(1).number, INT_MAX);
  EXPECT_EQ(r.at(1).rating, INT_MIN);

  std::string many;
  for (int i = 1; i <= data::kMaxPlayers + 1; ++i)
    many += "0," + std::to_string(i) + ",\"P\",\"\",1600,1,0,\r\n";
  data::Register full;
  EXPECT_EQ(data::parsePlayerText(full, many), -2);
  EXPECT_EQ(full.count(), data::kMaxPlayers);
  data::Register stopped;
  EXPECT_EQ(data::parsePlayerText(stopped, many + "0,1,\"bad\"\r\n"), -1);
}

TEST(PlayerFile, MissingFileLeavesTheRegister) {
  fs::path dir = testing::makeTempDir();
  data::Register r;
  r.AddPlayer(data::Player{});
  EXPECT_EQ(data::ReadPlayerFile(r, dir / "none.ply"), -1);
  EXPECT_EQ(r.count(), 1);
  EXPECT_EQ(data::ReadPlayerFile(r, dir), -1);  // a folder is no file
  EXPECT_EQ(data::LoadPlayerFile(r, dir / "none.ply"), -1);
  EXPECT_EQ(r.count(), 0);
  put(dir / "plain", "x");
  EXPECT_EQ(data::WritePlayerFile(r, dir / "plain" / "p.ply"), -1);
}

}  // namespace
}  // namespace toq
