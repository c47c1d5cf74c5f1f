#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "data/safe_write.h"
#include "support/builders.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using testing::readFile;

void put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(SafeWrite, NewFileThenBackupOfThePreviousVersion) {
  fs::path dir = testing::makeTempDir();
  fs::path target = dir / "t.tai";
  ASSERT_EQ(data::writeFileSafely(target, "one\r\n"), 0);
  EXPECT_EQ(readFile(target), "one\r\n");
  EXPECT_FALSE(fs::exists(data::backupPath(target)));  // nothing to keep the first time

  ASSERT_EQ(data::writeFileSafely(target, "two\r\n"), 0);
  ASSERT_EQ(data::writeFileSafely(target, "three\r\n"), 0);
  EXPECT_EQ(readFile(target), "three\r\n");
  EXPECT_EQ(readFile(dir / "t.tai.bak"), "two\r\n");  // replaced by each write
  EXPECT_EQ(namesIn(dir), (std::set<std::string>{"t.tai", "t.tai.bak"}));
}

TEST(SafeWrite, StaleTemporaryFileDoesNotBlockWriting) {
  fs::path dir = testing::makeTempDir();
  fs::path target = dir / "t.csv";
  put(dir / "t.csv.toq-tmp", "left over by a crash");
  ASSERT_EQ(data::writeFileSafely(target, "new"), 0);
  EXPECT_EQ(readFile(target), "new");
  EXPECT_EQ(namesIn(dir), (std::set<std::string>{"t.csv"}));
}

TEST(SafeWrite, UncreatableTargetLeavesEverythingAlone) {
  fs::path dir = testing::makeTempDir();
  // A path whose parent is a regular file fails for every user, root included.
  put(dir / "plain", "x");
  EXPECT_EQ(data::writeFileSafely(dir / "plain" / "t.tai", "data"), -1);
  EXPECT_EQ(readFile(dir / "plain"), "x");

  // A folder standing where the target is: not replaced, nothing left behind.
  fs::create_directory(dir / "t.tai");
  put(dir / "t.tai" / "inside", "keep");
  EXPECT_EQ(data::writeFileSafely(dir / "t.tai", "data"), -1);
  EXPECT_EQ(readFile(dir / "t.tai" / "inside"), "keep");
  EXPECT_EQ(namesIn(dir), (std::set<std::string>{"plain", "t.tai"}));

  // A folder in the temporary file's place is not removed.
  put(dir / "u.tai", "previous");
  fs::create_directory(dir / "u.tai.toq-tmp");
  EXPECT_EQ(data::writeFileSafely(dir / "u.tai", "data"), -1);
  EXPECT_EQ(readFile(dir / "u.tai"), "previous");
  EXPECT_TRUE(fs::is_directory(dir / "u.tai.toq-tmp"));
}

TEST(SafeWrite, ReadOnlyFolderKeepsThePreviousFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the read-only attribute of a Windows folder does not stop new files in it";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::path dir = testing::makeTempDir();
  put(dir / "t.tai", "previous");
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(data::writeFileSafely(dir / "t.tai", "new"), -1);
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_EQ(readFile(dir / "t.tai"), "previous");
#endif
}

TEST(SafeWrite, WriteFailureHalfWayLeavesTargetAndBackupUntouched) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file-size limit to stop a write half-way";
#else
  fs::path dir = testing::makeTempDir();
  fs::path target = dir / "t.ply";
  put(target, "previous");
  put(data::backupPath(target), "older");
  // A file-size limit makes the write fail half-way, for every user.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int result = data::writeFileSafely(target, std::string(1000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result, -2);
  EXPECT_EQ(readFile(target), "previous");
  EXPECT_EQ(readFile(data::backupPath(target)), "older");
  EXPECT_EQ(namesIn(dir), (std::set<std::string>{"t.ply", "t.ply.bak"}));
#endif
}

TEST(SafeWrite, LinkIsWrittenThroughAndStaysALink) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows, and MinGW's library makes none";
#else
  fs::path dir = testing::makeTempDir();
  put(dir / "real.tai", "previous");
  fs::create_symlink(dir / "real.tai", dir / "link.tai");
  ASSERT_EQ(data::writeFileSafely(dir / "link.tai", "new"), 0);
  EXPECT_TRUE(fs::is_symlink(dir / "link.tai"));
  EXPECT_EQ(readFile(dir / "real.tai"), "new");
  EXPECT_EQ(readFile(dir / "link.tai.bak"), "previous");
#endif
}

}  // namespace
}  // namespace toq
