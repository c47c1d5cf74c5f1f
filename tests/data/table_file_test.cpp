#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/file_parsers.h"
#include "data/player_file.h"
#include "data/safe_write.h"
#include "data/table_file.h"
#include "file_fixtures.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using text::sj;

void put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// Everything a table file holds, compared field by field.
void expectSameTable(const data::Table& a, const data::Table& b) {
  EXPECT_EQ(a.participantCount, b.participantCount);
  EXPECT_EQ(a.numberOfGames, b.numberOfGames);
  EXPECT_EQ(a.lockFlag, b.lockFlag);
  EXPECT_EQ(a.participants, b.participants);
  EXPECT_EQ(a.opponent, b.opponent);
  EXPECT_EQ(a.side, b.side);
  EXPECT_EQ(a.handicap, b.handicap);
  EXPECT_EQ(a.result, b.result);
}

const std::string kHeader =
    sj("# TOQ V0.60 対戦表データ\r\n# x\r\n$バージョン  :0.60\r\n$人数        :5\r\n"
       "$回戦数      :2\r\n$変更禁止    :0\r\n");

TEST(TableFile, GoldenWriteAndRoundTrip) {
  auto t = testing::threeRowTournament();
  fs::path dir = testing::makeTempDir();
  fs::path file = dir / "table.tai";
  ASSERT_EQ(data::WriteTableFile(t->table, file, t->ui), 0);
  EXPECT_EQ(testing::readFile(file), testing::goldenTable("table_3x2.tai", file));
  ASSERT_EQ(t->ui.statuses().size(), 1u);
  EXPECT_EQ(t->ui.statuses()[0], file.string() + " を保存しました。3人");
  EXPECT_FALSE(fs::exists(data::backupPath(file)));

  auto back = testing::makeTournament(9);
  ASSERT_EQ(data::ReadTableFile(back->table, file, back->ui), 0);
  expectSameTable(back->table, t->table);
  EXPECT_EQ(back->table.filePath, file);
  EXPECT_TRUE(back->ui.messages.empty());

  // An empty path saves to the table's own file; the previous version goes to ".bak".
  back->table.result[2][1] = data::kDraw;
  ASSERT_EQ(data::WriteTableFile(back->table, {}, back->ui), 0);
  EXPECT_EQ(testing::readFile(data::backupPath(file)), testing::goldenTable("table_3x2.tai", file));
  auto again = testing::makeTournament();
  again->table.SetTableFile(file);
  ASSERT_EQ(data::ReadTableFile(again->table, {}, again->ui), 0);
  expectSameTable(again->table, back->table);
}

TEST(TableFile, PathLineIsCp932OrTheRawBytes) {
  auto t = testing::threeRowTournament();
  for (const char* folder : {"大会", "😀"}) {
    fs::path dir = fs::path(testing::makeTempDir()) / folder;
    fs::create_directories(dir);
    ASSERT_EQ(data::WriteTableFile(t->table, dir / "t.tai", t->ui), 0);
    const std::string utf8 = (dir / "t.tai").string();
    const std::string expected = text::toCp932(utf8).value_or(utf8);
    EXPECT_NE(testing::readFile(dir / "t.tai").find("\r\n# " + expected + "\r\n$"),
              std::string::npos)
        << folder;
    EXPECT_EQ(t->ui.statuses().back(), utf8 + " を保存しました。3人");  // messages are UTF-8
  }
}

TEST(TableFile, EmptyTableWritesNothingAndFailuresAreReported) {
  fs::path dir = testing::makeTempDir();
  auto t = testing::makeTournament(2);
  EXPECT_EQ(data::WriteTableFile(t->table, dir / "e.tai", t->ui), 0);
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_TRUE(t->ui.messages.empty());

  t->addParticipant("A");
  put(dir / "plain", "x");
  fs::path bad = dir / "plain" / "t.tai";
  EXPECT_EQ(data::WriteTableFile(t->table, bad, t->ui), -1);
  ASSERT_EQ(t->ui.errors().size(), 1u);
  EXPECT_EQ(t->ui.errors()[0], "データを保存できませんでした(" + bad.string() + ")。");
  EXPECT_EQ(t->ui.messages[0].caption, "エラー");
  EXPECT_TRUE(t->ui.statuses().empty());
}

TEST(TableFile, ReaderToleratesWhatTheFormatAllows) {
  auto t = testing::makeTournament(2);
  auto& tb = t->table;
  tb.lockFlag = 1;
  tb.side[1][1] = 2;  // kept: the second row line does not carry it
  const std::string text = kHeader + sj("#\n\n"
                                        "01, 7, 01,-2, 01,-1, 00,00, 03,00,\n"  // LF only
                                        "02, 8, 00,-3\r\n"  // ends after the opponents
                                        "03,9\r\n"          // a player number only
                                        "04,10, 40000,-99999, 01,02, 00,00, 00,00,\r\n"
                                        "$回戦数      :3\r\n"  // later rows read 3 games
                                        "05,11, 1,2,3, 4,5,6, 7,8,9, 10,11,12,\r\n");
  ASSERT_EQ(data::parseTableText(tb, text), data::TableTextResult::Ok);
  EXPECT_EQ(tb.participantCount, 5);  // from the row lines, never from "$人数"
  EXPECT_EQ(tb.numberOfGames, 3);
  EXPECT_EQ(tb.lockFlag, 0);
  EXPECT_EQ(tb.participants[1], 8);
  EXPECT_EQ(tb.opponent[1][1], data::kAbsent);
  EXPECT_EQ(tb.side[1][1], 2);
  EXPECT_EQ(tb.participants[2], 9);
  EXPECT_EQ(tb.opponent[2][0], data::kUnpaired);
  EXPECT_EQ(tb.opponent[3][0], 32767);  // clamped into the 16-bit plane, not wrapped
  EXPECT_EQ(tb.opponent[3][1], -32768);
  EXPECT_EQ(tb.opponent[4][2], 3);
  EXPECT_EQ(tb.result[4][2], 12);  // stored as read; users of the table check it
  EXPECT_EQ(tb.opponentRow(3, 0), -1);
}

TEST(TableFile, BrokenFilesStopWithAMessage) {
  fs::path dir = testing::makeTempDir();
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 3; ++i) t->addParticipant("P");
  t->table.setPair(0, 0, 1);
  t->table.SetTableFile(dir / "old.tai");
  const data::Table before = t->table;

  // Missing file, and a number of games outside 1..32: the table stays as it was.
  for (const std::string& games : {std::string("33"), std::string("0"), std::string("-1")}) {
    put(dir / "g.tai", kHeader + "01, 1, 00,\r\n" + sj("$回戦数:") + games + "\r\n");
    EXPECT_EQ(data::ReadTableFile(t->table, dir / "g.tai", t->ui), -1) << games;
  }
  EXPECT_EQ(data::ReadTableFile(t->table, dir / "none.tai", t->ui), -1);
  expectSameTable(t->table, before);
  EXPECT_EQ(t->table.filePath, dir / "old.tai");
  ASSERT_EQ(t->ui.errors().size(), 4u);
  EXPECT_EQ(t->ui.errors()[3],
            "データを読み込めませんでした(" + (dir / "none.tai").string() + ")。");

  // A row line without a player number: the rows before it stay.
  put(dir / "r.tai", kHeader + "01, 1, 01,\r\n02, 2, 00,\r\n03\r\n04, 4,\r\n");
  EXPECT_EQ(data::ReadTableFile(t->table, dir / "r.tai", t->ui), -1);
  EXPECT_EQ(t->table.participantCount, 2);
  EXPECT_EQ(t->table.participants[1], 2);
  EXPECT_EQ(t->ui.errors().size(), 5u);

  // More than 99 row lines: 99 rows are read, the rest refused.
  std::string rows;
  for (int i = 1; i <= 120; ++i) rows += std::to_string(i) + "," + std::to_string(i) + ",\r\n";
  put(dir / "big.tai", kHeader + rows);
  EXPECT_EQ(data::ReadTableFile(t->table, dir / "big.tai", t->ui), -1);
  EXPECT_EQ(t->table.participantCount, data::kMaxParticipants);
  EXPECT_EQ(t->table.participants[98], 99);
  EXPECT_EQ(t->ui.errors().size(), 6u);
}

TEST(TableFile, OpenReadsThePlayerFileBesideIt) {
  fs::path dir = testing::makeTempDir() + "/a.b";  // a dot in a folder is no extension
  fs::create_directories(dir);
  auto t = testing::threeRowTournament();
  ASSERT_EQ(data::WritePlayerFile(t->players, dir / "cup.ply"), 0);
  ASSERT_EQ(data::WriteTableFile(t->table, dir / "cup.tai", t->ui), 0);

  auto o = testing::makeTournament();
  o->players.AddPlayer(data::Player{});
  fs::path playerFile;
  ASSERT_EQ(data::OpenTableFile(o->players, o->table, dir / "cup.tai", playerFile, o->ui), 0);
  EXPECT_EQ(playerFile, dir / "cup.ply");
  EXPECT_EQ(o->players.all(), t->players.all());
  EXPECT_EQ(o->table.filePath, dir / "cup.tai");
  EXPECT_EQ(o->table.directory(), dir);
  expectSameTable(o->table, t->table);

  // Without its player file the table is still read; the register stays empty.
  fs::remove(dir / "cup.ply");
  ASSERT_EQ(data::OpenTableFile(o->players, o->table, dir / "cup.x", playerFile, o->ui), 0);
  EXPECT_EQ(o->players.count(), 0);
  EXPECT_EQ(o->table.participantCount, 3);
}

}  // namespace
}  // namespace toq
