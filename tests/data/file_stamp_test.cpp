// The record of what a file held when this program last read or wrote it: each reader and
// writer hands back the stamp of exactly the bytes it handled, and only then.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/file_stamp.h"
#include "data/player_file.h"
#include "data/safe_write.h"
#include "data/table_file.h"
#include "file_fixtures.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using testing::readFile;

class FileStamps : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::makeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  std::unique_ptr<testing::Tournament> t_ = testing::threeRowTournament();
  services::RecordingServices ui_;
};

TEST_F(FileStamps, WritersAndReadersStampTheBytesTheyHandled) {
  const fs::path tai = dir_ / "cup.tai";
  const fs::path ply = dir_ / "cup.ply";
  data::FileStamp tableWritten, playersWritten, tableRead, playersRead;
  ASSERT_EQ(data::WriteTableFile(t_->table, tai, ui_, false, &tableWritten), 0);
  ASSERT_EQ(data::WritePlayerFile(t_->players, ply, &playersWritten), 0);
  EXPECT_EQ(tableWritten, data::stampOf(tai, readFile(tai)));
  EXPECT_EQ(playersWritten, data::stampOf(ply, readFile(ply)));

  data::Register players;
  auto table = std::make_unique<data::Table>();
  fs::path playerFile;
  ASSERT_EQ(data::OpenTableFile(players, *table, tai, playerFile, ui_, &tableRead, &playersRead),
            0);
  EXPECT_EQ(tableRead, tableWritten);
  EXPECT_EQ(playersRead, playersWritten);
  EXPECT_TRUE(tableRead.holds(tai, readFile(tai)));
  EXPECT_FALSE(tableRead.holds(ply, readFile(tai)));  // another file
}

TEST_F(FileStamps, NothingWrittenOrReadLeavesTheStampAlone) {
  const data::FileStamp earlier = data::stampOf(dir_ / "earlier.tai", "bytes");
  data::FileStamp stamp = earlier;
  // An empty table is not written; a folder that is a file cannot be written into; a missing
  // file cannot be read.
  auto empty = std::make_unique<data::Table>();
  EXPECT_EQ(data::WriteTableFile(*empty, dir_ / "empty.tai", ui_, false, &stamp), 0);
  std::ofstream(dir_ / "plain") << "x";
  EXPECT_NE(data::WriteTableFile(t_->table, dir_ / "plain" / "a.tai", ui_, false, &stamp), 0);
  EXPECT_NE(data::WritePlayerFile(t_->players, dir_ / "plain" / "a.ply", &stamp), 0);
  EXPECT_NE(data::ReadTableFile(*empty, dir_ / "missing.tai", ui_, &stamp), 0);
  EXPECT_NE(data::LoadPlayerFile(t_->players, dir_ / "missing.ply", &stamp), 0);
  EXPECT_EQ(stamp, earlier);
  // A file read whole but refused is still the version this program has seen.
  std::ofstream(dir_ / "bad.tai", std::ios::binary) << text::sj("$回戦数      :40\r\n");
  EXPECT_NE(data::ReadTableFile(*empty, dir_ / "bad.tai", ui_, &stamp), 0);
  EXPECT_EQ(stamp, data::stampOf(dir_ / "bad.tai", readFile(dir_ / "bad.tai")));
}

TEST(SafeWriteDurable, AnEmptyPathWritesNothingAnywhere) {
  const fs::path dir = testing::makeTempDir();
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  EXPECT_EQ(data::writeFileSafely({}, "data"), -1);
  fs::current_path(before);
  EXPECT_TRUE(fs::is_empty(dir));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace toq
