#include "services/program_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace toq::services {
namespace {

namespace fs = std::filesystem;

TEST(ProgramDirectory, TakesTheExecutablesFolderWithItsSeparator) {
  EXPECT_EQ(programDirectoryOf("/opt/toq/bin/toq-cli", "/home/u"), fs::path("/opt/toq/bin/"));
  EXPECT_EQ(programDirectoryOf("/toq-cli", "/home/u"), fs::path("/"));
  EXPECT_EQ(programDirectoryOf("build/toq-cli", "/home/u"), fs::path("build/"));
}

TEST(ProgramDirectory, WithoutAFolderTakesTheCurrentOneAndAddsASeparator) {
  EXPECT_EQ(programDirectoryOf("toq-cli", "/home/u"), fs::path("/home/u/"));
  EXPECT_EQ(programDirectoryOf("toq-cli", "/home/u/"), fs::path("/home/u/"));
  EXPECT_EQ(programDirectoryOf("", "/srv"), fs::path("/srv/"));
}

TEST(ProgramDirectory, TheCurrentFolderAsADotBecomesEmpty) {
  EXPECT_EQ(programDirectoryOf("./toq-cli", "/home/u"), fs::path());
  EXPECT_EQ(programDirectoryOf("toq-cli", "."), fs::path());
  EXPECT_EQ(programDirectoryOf("toq-cli", "./"), fs::path());
  EXPECT_EQ(programDirectoryOf("toq-cli", ""), fs::path());
  // Only "." itself is the current folder; "../" names another one.
  EXPECT_EQ(programDirectoryOf("../toq-cli", "/home/u"), fs::path("../"));
}

TEST(ProgramDirectory, ABareDriveStaysAsItIs) {
  EXPECT_EQ(programDirectoryOf("toq.exe", "C:"), fs::path("C:"));
}

TEST(ProgramDirectory, OfTheRunningTestIsTheFolderThatHoldsIt) {
  fs::path dir = programDirectory(nullptr);
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.native().back(), fs::path::preferred_separator);
  EXPECT_TRUE(fs::is_directory(dir));
  // The test program itself lies there.
#ifdef _WIN32
  EXPECT_TRUE(fs::exists(dir / "toq_services_tests.exe"));
#else
  EXPECT_TRUE(fs::exists(dir / fs::read_symlink("/proc/self/exe").filename()));
#endif
}

}  // namespace
}  // namespace toq::services
