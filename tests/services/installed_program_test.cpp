// Where the manual is found and where the repeated test's log goes, for a program run from its
// build folder and for one installed where its user cannot write.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "services/program_directory.h"
#include "support/builders.h"

namespace toq::services {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << "<html></html>";
}

class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override { root_ = fs::path(testing::makeTempDir()) / u8"大会 2026"; }
  void TearDown() override { fs::remove_all(root_.parent_path()); }
  // A folder as the program directory names it, with its separator.
  fs::path folder(const std::string& relative) {
    fs::path dir = root_ / relative;
    fs::create_directories(dir);
    return programDirectoryOf(dir / "toq", {});
  }
  fs::path root_;
};

TEST_F(InstalledProgram, TheManualBesideTheProgramComesFirstThenTheInstalledOne) {
  const fs::path build = folder("build");
  touch(build / "manual.html");
  touch(root_ / "share" / "toq" / "manual.html");
  EXPECT_EQ(manualPath(build), build / "manual.html");

  const fs::path bin = folder("usr/bin");
  const fs::path installed = root_ / "usr" / "share" / "toq" / "manual.html";
  // Nowhere yet: the old place, where opening it fails quietly.
  EXPECT_EQ(manualPath(bin), bin / "manual.html");
  touch(installed);
  EXPECT_TRUE(fs::equivalent(manualPath(bin), installed)) << manualPath(bin);
  EXPECT_EQ(manualPath(bin), installed.lexically_normal());
}

TEST_F(InstalledProgram, TheLogStaysInAProgramFolderThatCanBeWritten) {
  const fs::path build = folder("build");
  const fs::path user = root_ / "user";
  EXPECT_EQ(writableFolder(build, user), build);
  // Trying leaves nothing behind, and the user's folder is not made.
  EXPECT_TRUE(fs::is_empty(build));
  EXPECT_FALSE(fs::exists(user));
}

TEST_F(InstalledProgram, TheLogGoesToTheUsersFolderWhenTheProgramFolderCannotBeWritten) {
  const fs::path user = root_ / u8"ユーザー データ" / "toq";
  // A folder below a regular file cannot be written by anyone, root included.
  touch(root_ / "plain");
  const fs::path blocked = root_ / "plain" / "bin";
  EXPECT_EQ(writableFolder(blocked, user), user);
  EXPECT_TRUE(fs::is_directory(user));
  // Without a folder of the user's, the program folder it is (the log then fails there).
  EXPECT_EQ(writableFolder(blocked, {}), blocked);

#ifndef _WIN32
  // Folder permissions bind every user but root; a Windows folder's read-only attribute binds
  // nobody.
  if (::geteuid() != 0) {
    const fs::path bin = folder("usr/bin");
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(writableFolder(bin, user), user);
    fs::permissions(bin, fs::perms::owner_all);
  }
#endif
}

// Sets an environment variable for one test and restores it after.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const fs::path& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    set(value.native().c_str());
  }
  ~ScopedVariable() {
#ifdef _WIN32
    _putenv_s(name_, saved_ ? saved_->c_str() : "");
#else
    if (saved_)
      setenv(name_, saved_->c_str(), 1);
    else
      unsetenv(name_);
#endif
  }

 private:
  void set(const fs::path::value_type* value) {
#ifdef _WIN32
    _wputenv_s(fs::path(name_).c_str(), value);
#else
    setenv(name_, value, 1);
#endif
  }
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(UserDataDirectory, FollowsTheEnvironment) {
  const fs::path base = fs::path(testing::makeTempDir()) / u8"田中 花子";
#ifdef _WIN32
  ScopedVariable local("LOCALAPPDATA", base);
  EXPECT_EQ(userDataDirectory(), base / "TOQ");
#else
  ScopedVariable home("HOME", base);
  {
    ScopedVariable xdg("XDG_DATA_HOME", base / "data");
    EXPECT_EQ(userDataDirectory(), base / "data" / "toq");
  }
  // A relative XDG_DATA_HOME is not one.
  ScopedVariable xdg("XDG_DATA_HOME", "data");
  EXPECT_EQ(userDataDirectory(), base / ".local" / "share" / "toq");
#endif
  fs::remove_all(base.parent_path());
}

}  // namespace
}  // namespace toq::services
