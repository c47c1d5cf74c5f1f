#pragma once
// A workspace in a temporary folder for the editing commands' tests, with the table file
// read back from disk to see what a command saved.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/table_file.h"
#include "edit/workspace.h"
#include "support/builders.h"
#include "support/recording_services.h"

namespace toq::testing {

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    ws_ = std::make_unique<edit::Workspace>();
    ws_->table.numberOfGames = 4;
    ws_->table.SetTableFile(tablePath());
    ws_->playerFile = std::filesystem::path(dir_) / "cup.ply";
  }
  void TearDown() override {
    // The workspace's journal is closed first: Windows removes no open file.
    ws_.reset();
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path tablePath() const { return std::filesystem::path(dir_) / "cup.tai"; }
  bool tableWritten() const { return std::filesystem::exists(tablePath()); }

  /// Registers a player; with `rows` > 0 also gives it that many table rows. Returns the number.
  int add(const std::string& name, int rating = 1600, int rows = 1, bool professional = false,
          int entries = 1) {
    data::Player p;
    p.name = name;
    p.rating = rating;
    p.professional = professional ? 1 : 0;
    p.entries = entries;
    ws_->players.AddPlayer(p);
    const int number = ws_->players.at(ws_->players.count()).number;
    for (int i = 0; i < rows; ++i) ws_->table.AddParticipant(number, ui_);
    return number;
  }
  void addRows(int n, int rating = 1600) {
    for (int i = 0; i < n; ++i) add("P" + std::to_string(i), rating);
  }
  /// Pairs two rows with a result for `a`.
  void play(int round, int a, int b, std::int16_t resultOfA = data::kResultNone) {
    data::Table& t = ws_->table;
    t.setPair(round, a, b);
    t.result[a][round] = resultOfA;
    t.result[b][round] = data::oppositeResult(resultOfA);
  }

  /// The table as the file on disk holds it; none when there is no file.
  std::unique_ptr<data::Table> onDisk() {
    if (!tableWritten()) return nullptr;
    auto t = std::make_unique<data::Table>();
    services::RecordingServices quiet;
    if (data::ReadTableFile(*t, tablePath(), quiet) != 0) return nullptr;
    return t;
  }

  std::string lastError() const {
    auto e = ui_.errors();
    return e.empty() ? std::string() : e.back();
  }

  std::string dir_;
  std::unique_ptr<edit::Workspace> ws_;
  services::RecordingServices ui_;
};

/// The planes of two tables agree on the used rows and rounds.
inline ::testing::AssertionResult sameEntries(const data::Table& a, const data::Table& b) {
  if (a.participantCount != b.participantCount || a.numberOfGames != b.numberOfGames)
    return ::testing::AssertionFailure() << "sizes differ";
  for (int r = 0; r < a.participantCount; ++r) {
    if (a.participants[r] != b.participants[r])
      return ::testing::AssertionFailure() << "participant of row " << r;
    for (int k = 0; k < a.numberOfGames; ++k)
      if (a.opponent[r][k] != b.opponent[r][k] || a.side[r][k] != b.side[r][k] ||
          a.handicap[r][k] != b.handicap[r][k] || a.result[r][k] != b.result[r][k])
        return ::testing::AssertionFailure() << "entry " << r << "," << k;
  }
  if (a.lockFlag != b.lockFlag) return ::testing::AssertionFailure() << "lock flag";
  return ::testing::AssertionSuccess();
}

}  // namespace toq::testing
