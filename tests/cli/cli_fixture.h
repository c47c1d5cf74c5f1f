#pragma once
// A table and its player file on disk for the sub-command tests: built in code, written by the
// file layer, changed by toq-cli in process, and read back to see what the command saved.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_harness.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "support/recording_services.h"

namespace toq::testing {

class CliTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    t_ = makeTournament(3);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path path(const std::string& name) const {
    return std::filesystem::path(dir_) / name;
  }
  std::string table() const { return path("event.tai").string(); }
  std::string playerFile() const { return path("event.ply").string(); }

  /// Writes the tournament as event.ply and event.tai.
  void save() {
    ASSERT_EQ(data::WritePlayerFile(t_->players, playerFile()), 0);
    ASSERT_EQ(data::WriteTableFile(t_->table, table(), t_->ui), 0);
  }
  /// Four players A..D (ratings 1900..1600) in rows 0..3.
  void fourPlayers() {
    t_->addParticipant("A", 1900);
    t_->addParticipant("B", 1800);
    t_->addParticipant("C", 1700);
    t_->addParticipant("D", 1600);
  }

  /// toq-cli in process: the sub-command, then `args`.
  CliRun cli(const std::string& command, const std::vector<std::string>& args = {}) {
    std::vector<std::string> all = {command};
    all.insert(all.end(), args.begin(), args.end());
    return runInProcess(all);
  }

  /// The table file as written now.
  std::unique_ptr<data::Table> onDisk(const std::string& file = {}) {
    auto read = std::make_unique<data::Table>();
    services::RecordingServices quiet;
    EXPECT_EQ(data::ReadTableFile(*read, file.empty() ? table() : file, quiet), 0);
    return read;
  }
  std::string bytes(const std::string& name) const { return readFile(path(name).string()); }

  std::string dir_;
  std::unique_ptr<Tournament> t_;
};

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace toq::testing
