#include "pairing/repeat_test.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "pairing/date_stamp.h"
#include "support/builders.h"
#include "text/cp932.h"

namespace toq {
namespace {

namespace fs = std::filesystem;

class RepeatedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::makeTempDir();
    saved_ = pairing::currentClock();
    // 2026-12-06 07:11 UTC; the stamp is local time, so only its shape is checked.
    pairing::currentClock() = [] {
      return std::chrono::system_clock::time_point(std::chrono::seconds(1796541060));
    };
  }
  void TearDown() override {
    pairing::currentClock() = saved_;
    fs::remove_all(dir_);
  }
  std::string dir_;
  pairing::Clock saved_;
};

int count(const std::string& haystack, const std::string& needle) {
  int n = 0;
  for (auto pos = haystack.find(needle); pos != std::string::npos;
       pos = haystack.find(needle, pos + 1))
    ++n;
  return n;
}

TEST_F(RepeatedTest, CompletedTestLeavesEveryRoundPairedAndResulted) {
  auto t = testing::makeTournament(5);
  t->table.title = "cup";
  for (int i = 0; i < 10; ++i) t->addParticipant("P" + std::to_string(i), 1500 + 20 * i);
  auto ctx = t->context();
  int refreshes = 0;
  fs::path log;
  ASSERT_EQ(pairing::runRepeatedTest(
                ctx, dir_, [&] { ++refreshes; }, &log),
            0);
  for (int r = 0; r < 5; ++r)
    for (int row = 0; row < 10; ++row) {
      int o = t->table.opponent[row][r];
      ASSERT_GE(o, 0);
      EXPECT_EQ(t->table.opponent[o][r], row);
      EXPECT_EQ(t->table.result[row][r] + t->table.result[o][r], data::kWin + data::kLoss);
    }
  const std::string content = testing::readFile(log);
  EXPECT_EQ(count(content, "No."), 256);
  EXPECT_EQ(count(content, text::sj("平均時間")), 1);
  EXPECT_NE(content.find("V0.60\ncup 10" + text::sj("名") + "\nNo.  1 No.  2 "), std::string::npos);
  EXPECT_EQ(content.back(), '\n');
  EXPECT_EQ(t->ui.statuses().back(), "連続抽選を終了しました。");
  ASSERT_FALSE(t->ui.messages.empty());
  EXPECT_EQ(t->ui.messages.back().kind, services::RecordedMessage::Kind::Viewer);
  EXPECT_GE(refreshes, 256);
}

TEST_F(RepeatedTest, NoChangesNothingAndOddFieldIsRefused) {
  auto t = testing::makeTournament(3);
  for (int i = 0; i < 5; ++i) t->addParticipant("P" + std::to_string(i));
  t->table.opponent[0][0] = data::kBye;
  t->ui.answers = {false};
  auto ctx = t->context();
  EXPECT_EQ(pairing::runRepeatedTest(ctx, dir_, {}), -1);
  EXPECT_TRUE(fs::is_empty(dir_));
  EXPECT_EQ(t->table.opponent[0][0], data::kBye);

  EXPECT_EQ(pairing::runRepeatedTest(ctx, dir_, {}), -1);
  EXPECT_EQ(t->ui.errors().back(), "参加者が奇数です。");
  EXPECT_EQ(t->table.opponent[0][0], data::kUnpaired);  // cleared before the refusal
}

// Services whose user closes the window after a number of runs.
class StoppingServices : public services::RecordingServices {
 public:
  explicit StoppingServices(int afterRuns) : left_(afterRuns) {}
  void processEvents() override { --left_; }
  bool stopRequested() const override { return left_ <= 0; }

 private:
  int left_;
};

TEST_F(RepeatedTest, AStopBetweenRunsEndsTheTestWithoutASummary) {
  auto t = testing::makeTournament(3);
  for (int i = 0; i < 8; ++i) t->addParticipant("P" + std::to_string(i));
  StoppingServices ui(3);
  pairing::PairingContext ctx{t->table, t->players, t->options, t->random, ui};
  fs::path log;
  EXPECT_EQ(pairing::runRepeatedTest(ctx, dir_, {}, &log), -2);
  const std::string content = testing::readFile(log);
  EXPECT_EQ(count(content, "No."), 3);
  EXPECT_EQ(count(content, text::sj("平均時間")), 0);
  for (const auto& m : ui.messages) EXPECT_NE(m.kind, services::RecordedMessage::Kind::Viewer);
  // The table holds the whole third run.
  for (int row = 0; row < 8; ++row) EXPECT_GE(t->table.opponent[row][2], 0);
}

}  // namespace
}  // namespace toq
