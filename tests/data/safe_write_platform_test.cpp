// Safe writes where Windows differs from Linux: folder and file names outside the ANSI code
// page, a target that another program holds open, a read-only target. Runs on both systems.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "data/safe_write.h"
#include "support/builders.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using testing::readFile;

std::set<fs::path> namesIn(const fs::path& dir) {
  std::set<fs::path> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename());
  return names;
}

class SafeWritePlatform : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing::makeTempDir();
    dir_ = base_ / u8"大会 2026" / u8"第１回 ＴＯＱ杯";
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(base_, ec))
      fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(base_, ec);
  }
  fs::path base_, dir_;
};

TEST_F(SafeWritePlatform, JapaneseNamesWithSpacesKeepTheirBackup) {
  const fs::path target = dir_ / u8"春季 大会.tai";
  ASSERT_EQ(data::writeFileSafely(target, "one\r\n"), 0);
  ASSERT_EQ(data::writeFileSafely(target, "two\r\n"), 0);
  ASSERT_EQ(data::writeFileSafely(target, "three\r\n"), 0);
  EXPECT_EQ(readFile(target), "three\r\n");
  EXPECT_EQ(readFile(data::backupPath(target)), "two\r\n");
  EXPECT_EQ(data::backupPath(target).filename(), fs::path(u8"春季 大会.tai.bak"));
  EXPECT_EQ(namesIn(dir_), (std::set<fs::path>{u8"春季 大会.tai", u8"春季 大会.tai.bak"}));
}

// Windows refuses to replace a file that another program has open (a spreadsheet showing the
// CSV chart); Linux replaces it. Either way the file is whole, the backup holds the version
// before it, and nothing is left behind.
TEST_F(SafeWritePlatform, ATargetHeldOpenIsReplacedWholeOrNotAtAll) {
  const fs::path target = dir_ / u8"対戦表.csv";
  ASSERT_EQ(data::writeFileSafely(target, "old"), 0);
  int result = 0;
  {
    std::ifstream holder(target, std::ios::binary);
    ASSERT_TRUE(holder.is_open());
    result = data::writeFileSafely(target, "new");
  }
#ifdef _WIN32
  EXPECT_NE(result, 0);
  EXPECT_EQ(readFile(target), "old");
#else
  EXPECT_EQ(result, 0);
  EXPECT_EQ(readFile(target), "new");
#endif
  EXPECT_EQ(readFile(data::backupPath(target)), "old");
  EXPECT_EQ(namesIn(dir_), (std::set<fs::path>{u8"対戦表.csv", u8"対戦表.csv.bak"}));
  // Once the other program lets go, the next save goes through.
  ASSERT_EQ(data::writeFileSafely(target, "newer"), 0);
  EXPECT_EQ(readFile(target), "newer");
}

void makeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// A read-only file: Linux replaces it (the folder decides), Windows refuses to. Either way the
// file is whole, and no read-only temporary file is left behind to block later saves.
TEST_F(SafeWritePlatform, AReadOnlyTargetIsReplacedWholeOrNotAtAll) {
  const fs::path target = dir_ / u8"名簿.ply";
  ASSERT_EQ(data::writeFileSafely(target, "one"), 0);
  makeReadOnly(target);
  for (const std::string content : {"two", "three"}) {
    const std::string before = readFile(target);
    const int result = data::writeFileSafely(target, content);
#ifndef _WIN32
    EXPECT_EQ(result, 0);
#endif
    EXPECT_EQ(readFile(target), result == 0 ? content : before);
    EXPECT_EQ(namesIn(dir_), (std::set<fs::path>{u8"名簿.ply", u8"名簿.ply.bak"}));
  }
}

// An interrupted save may leave its temporary file behind, read-only when the target was;
// Windows does not delete a read-only file unless told to.
TEST_F(SafeWritePlatform, AReadOnlyLeftOverDoesNotBlockTheNextSave) {
  const fs::path target = dir_ / u8"対戦表.tai";
  const fs::path leftOver = dir_ / u8"対戦表.tai.toq-tmp";
  ASSERT_EQ(data::writeFileSafely(target, "one"), 0);
  std::ofstream(leftOver, std::ios::binary) << "half";
  makeReadOnly(leftOver);
  ASSERT_EQ(data::writeFileSafely(target, "two"), 0);
  EXPECT_EQ(readFile(target), "two");
  EXPECT_EQ(namesIn(dir_), (std::set<fs::path>{u8"対戦表.tai", u8"対戦表.tai.bak"}));
}

}  // namespace
}  // namespace toq
