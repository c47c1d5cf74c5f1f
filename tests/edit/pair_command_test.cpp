#include "edit/pair_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/builders.h"

namespace toq {
namespace {

namespace fs = std::filesystem;

class PairCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::makeTempDir();
    ws_ = std::make_unique<edit::Workspace>();
    ws_->table.numberOfGames = 3;
    ws_->table.SetTableFile(fs::path(dir_) / "cup.tai");
  }
  void TearDown() override { fs::remove_all(dir_); }

  void addPlayers(int n, int rating = 1600, int step = 0) {
    for (int i = 0; i < n; ++i) {
      data::Player p;
      p.name = "P" + std::to_string(i);
      p.rating = rating + step * i;
      ws_->players.AddPlayer(p);
      ws_->table.AddParticipant(ws_->players.at(ws_->players.count()).number, ui_);
    }
  }
  int pair() {
    return edit::pairNextRound(
        *ws_, ui_, [&] { ++refreshes_; }, &outcome_);
  }
  bool fileExists(const char* name) const { return fs::exists(fs::path(dir_) / name); }

  std::string dir_;
  std::unique_ptr<edit::Workspace> ws_;
  services::RecordingServices ui_;
  edit::PairOutcome outcome_;
  int refreshes_ = 0;
};

TEST_F(PairCommand, RefusesBeforeAnyAttempt) {
  addPlayers(9);
  ws_->table.lockFlag = 1;
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.warnings().back(), "変更は禁止されています。");

  ws_->table.lockFlag = 0;
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.errors().back(), "組み合わせ数が奇数(9)です。");
  EXPECT_EQ(ws_->table.unpairedRows(0), 9);

  ws_->table.opponent[8][0] = data::kBye;
  ui_.answers = {false};
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.questions().back(), "1回戦の組み合わせをしますか？");
  EXPECT_EQ(ws_->table.unpairedRows(0), 8);
  EXPECT_FALSE(fileExists("cup.tai"));
}

TEST_F(PairCommand, MissingResultNamesTheFirstRoundLackingOne) {
  addPlayers(4);
  auto& t = ws_->table;
  t.setPair(0, 0, 1);
  t.setPair(0, 2, 3);
  t.result[0][0] = data::kWin;
  t.result[1][0] = data::kLoss;
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.errors().back(), "1回戦に勝敗の未入力があります。");
  t.result[2][0] = data::kDraw;
  t.result[3][0] = data::kDraw;
  t.setPair(1, 0, 2);
  t.setPair(1, 1, 3);
  t.setPair(2, 0, 3);
  t.setPair(2, 1, 2);
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.errors().back(), "エラー：組み合わせる回がありません。");
  t.ClearRound(2);
  EXPECT_EQ(pair(), -1);
  EXPECT_EQ(ui_.errors().back(), "2回戦に勝敗の未入力があります。");
}

TEST_F(PairCommand, TheRoundAskedBeforeThePassIsPairedOnlyWhileItIsStillTheNext) {
  addPlayers(9);
  // Odd: refused after the question, before any pass.
  EXPECT_EQ(edit::askToPair(*ws_, ui_), std::nullopt);
  EXPECT_EQ(ui_.errors().back(), "組み合わせ数が奇数(9)です。");

  ws_->table.opponent[8][0] = data::kBye;
  const std::optional<int> asked = edit::askToPair(*ws_, ui_);
  ASSERT_EQ(asked, 0);
  // Another hand pairs round 1 before the window's pass: the window pairs nothing more.
  ASSERT_EQ(pair(), 0);
  const edit::Outcome o = edit::pairAskedRound(*ws_, ui_, {}, *asked);
  EXPECT_FALSE(o.changed);
  EXPECT_EQ(ws_->table.FirstUnpairedRound(), 1);
  EXPECT_EQ(ui_.statuses().back(), "1回戦はすでに組み合わせられています。");
}

TEST_F(PairCommand, PairsSavesAndWritesTheRoundList) {
  addPlayers(8);
  ASSERT_EQ(pair(), 0);
  EXPECT_EQ(outcome_.round, 0);
  for (int row = 0; row < 8; ++row) {
    int o = ws_->table.opponent[row][0];
    ASSERT_GE(o, 0);
    EXPECT_EQ(ws_->table.side[row][0] + ws_->table.side[o][0], 3);  // sides on by default
  }
  EXPECT_TRUE(fileExists("cup.tai"));
  EXPECT_TRUE(fs::exists(outcome_.roundList));
  EXPECT_EQ(ui_.statuses().back().rfind("組み合わせました。 ", 0), 0u);
  EXPECT_GE(refreshes_, 1);
}

TEST_F(PairCommand, HandicapsReplaceSidesAndBothOffLeavesSidesOpen) {
  addPlayers(4, 1500, 200);
  ws_->deriveHandicaps = true;
  ASSERT_EQ(pair(), 0);
  int handicapped = 0;
  for (int row = 0; row < 4; ++row) handicapped += ws_->table.handicap[row][0] != 0;
  EXPECT_EQ(handicapped, 4);  // ratings 200 apart in the half split: every game has a handicap

  ws_->deriveHandicaps = false;
  ws_->decideSides = false;
  for (int row = 0; row < 4; ++row) {
    int o = ws_->table.opponent[row][0];
    ws_->table.result[row][0] = row < o ? data::kWin : data::kLoss;
  }
  ASSERT_EQ(pair(), 0);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(ws_->table.side[row][1], data::kSideUndecided);
}

TEST_F(PairCommand, DriverFailureShowsItsMessageAndDoesNotSave) {
  // Two rows of the same player and nobody else: no pairing exists.
  data::Player p;
  p.name = "Solo";
  p.entries = 2;
  ws_->players.AddPlayer(p);
  ws_->table.AddParticipant(1, ui_);
  ws_->table.AddParticipant(1, ui_);
  EXPECT_EQ(pair(), -2);
  EXPECT_EQ(ui_.errors().back(), "組み合わせられませんでした。");
  EXPECT_FALSE(fileExists("cup.tai"));
}

TEST_F(PairCommand, UnwritableTableFileIsReportedNotHidden) {
  addPlayers(4);
  // A folder where the table file should be: the save must fail, and say so.
  fs::create_directories(fs::path(dir_) / "cup.tai");
  EXPECT_EQ(pair(), -3);
  EXPECT_FALSE(ui_.errors().empty());
  EXPECT_GE(ws_->table.opponent[0][0], 0);  // the round stays paired in memory
}

}  // namespace
}  // namespace toq
