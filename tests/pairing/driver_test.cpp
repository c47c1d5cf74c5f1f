#include <gtest/gtest.h>

#include <random>

#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing/standings.h"
#include "pairing_fixture.h"

namespace toq {
namespace {

using data::kLoss;
using data::kWin;
using services::RecordedMessage;

constexpr const char* kFailed = "組み合わせられませんでした。";
constexpr const char* kProsFailed = "棋士と組み合わせられませんでした。";
constexpr const char* kProsFailedHint =
    "棋士と組み合わせられませんでした。設定で棋士と２回対戦可能にできます。";

/// Runs the driver and notes how many messages had been shown when the refresh came.
struct DriverRun {
  int rc = 0;
  int refreshes = 0;
  std::size_t messagesAtRefresh = 0;
};

DriverRun runDriver(testing::Tournament& t, int round) {
  DriverRun run;
  auto ctx = t.context();
  run.rc = pairing::runPairing(ctx, round, [&] {
    ++run.refreshes;
    run.messagesAtRefresh = t.ui.messages.size();
  });
  return run;
}

TEST(Driver, FirstAttemptThatSucceedsEndsTheRun) {
  auto t = testing::fieldOf(8);
  DriverRun run = runDriver(*t, 0);
  EXPECT_EQ(run.rc, 0);
  EXPECT_EQ(run.refreshes, 0);
  EXPECT_EQ(t->ui.statuses(), std::vector<std::string>{"組み合わせ中です... 1"});
  EXPECT_TRUE(t->ui.errors().empty());
  EXPECT_EQ(testing::pairsOf(t->table, 0).size(), 4u);
}

TEST(Driver, FailureAfterEveryAttemptAndSearch) {
  // The only two rows met in the first round.
  auto t = testing::fieldOf(2, 3);
  t->play(0, 0, 1, kWin);
  t->table.title = "keep";
  DriverRun run = runDriver(*t, 1);
  EXPECT_EQ(run.rc, -2);
  const auto statuses = t->ui.statuses();
  ASSERT_EQ(statuses.size(), 200u);
  for (int s = 1; s <= 199; ++s)
    EXPECT_EQ(statuses[static_cast<std::size_t>(s - 1)],
              "組み合わせ中です... " + std::to_string(s));
  EXPECT_EQ(statuses.back(), "組み合わせ中です... *");
  EXPECT_EQ(run.refreshes, 1);
  EXPECT_EQ(run.messagesAtRefresh, t->ui.messages.size() - 1);  // the error came after it
  EXPECT_EQ(t->ui.errors(), std::vector<std::string>{kFailed});
  EXPECT_EQ(t->ui.messages.back().caption, "エラー");
  EXPECT_EQ(t->table.opponent[0][1], data::kUnpaired);
  EXPECT_EQ(t->table.opponent[1][1], data::kUnpaired);
  EXPECT_EQ(t->table.title, "keep");
  EXPECT_TRUE(testing::paired(t->table, 0, 0, 1));
}

TEST(Driver, RefusesRoundsOutsideTheTable) {
  auto t = testing::fieldOf(4, 3);
  for (int round : {-1, 3, 32}) {
    t->ui.clear();
    if (round == 32) t->table.numberOfGames = 40;
    EXPECT_EQ(runDriver(*t, round).rc, -2) << round;
    EXPECT_EQ(t->ui.errors(), std::vector<std::string>{kFailed});
    EXPECT_TRUE(t->ui.statuses().empty());
  }
  for (int k = 0; k < data::kMaxRounds; ++k) EXPECT_EQ(t->table.opponent[0][k], data::kUnpaired);
  auto empty = testing::makeTournament(2);
  EXPECT_EQ(runDriver(*empty, 0).rc, 0);
  EXPECT_EQ(runDriver(*empty, 1).rc, 0);
}

TEST(Driver, SameTableSamePairing) {
  // Twelve rows after two rounds, with a bye and an absence in the paired round.
  auto build = [] {
    auto t = testing::fieldOf(12, 5);
    for (int k = 0; k < 2; ++k) {
      auto ctx = t->context();
      EXPECT_EQ(pairing::runPairing(ctx, k, {}), 0);
      for (int row = 0; row < 12; ++row)
        if (t->table.opponent[row][k] > row) t->setResult(k, row, (row * 7 + k) % 3 ? kWin : kLoss);
    }
    testing::byes(*t, 2, {3});
    t->table.opponent[8][2] = data::kAbsent;
    return t;
  };
  auto a = build();
  auto b = build();
  ASSERT_EQ(runDriver(*a, 2).rc, 0);
  ASSERT_EQ(runDriver(*b, 2).rc, 0);
  EXPECT_EQ(a->table.opponent, b->table.opponent);
  EXPECT_EQ(a->ui.statuses(), b->ui.statuses());
  EXPECT_EQ(a->table.opponent[3][2], data::kBye);
  EXPECT_EQ(a->table.opponent[8][2], data::kAbsent);
  EXPECT_EQ(testing::pairsOf(a->table, 2).size(), 5u);
}

TEST(Driver, KeepsPairsMadeByHand) {
  auto t = testing::fieldOf(8);
  t->table.setPair(0, 0, 1);
  ASSERT_EQ(runDriver(*t, 0).rc, 0);
  EXPECT_TRUE(testing::paired(t->table, 0, 0, 1));
  EXPECT_EQ(testing::pairsOf(t->table, 0),
            (std::vector<std::pair<int, int>>{{0, 1}, {2, 5}, {3, 6}, {4, 7}}));
}

/// Rows: professional P1 (row 0), professional P2 (row 1), amateurs A (row 2) and B (row 3).
/// P2 has met A and B `times` times each; P1 and the idle amateur sat out.
std::unique_ptr<testing::Tournament> professionalsField(int times) {
  auto t = testing::makeTournament(2 * times + 1);
  t->addParticipant("P1", 2000, 1, true);
  t->addParticipant("P2", 2000, 1, true);
  t->addParticipant("A");
  t->addParticipant("B");
  for (int k = 0; k < 2 * times; ++k) {
    const int amateur = 2 + k % 2;
    t->play(k, 1, amateur, kWin);
    testing::byes(*t, k, {0, 5 - amateur});
  }
  return t;
}

TEST(Driver, ProfessionalFailureMessagesFollowPlay2) {
  {
    auto t = professionalsField(1);
    DriverRun run = runDriver(*t, 2);
    EXPECT_EQ(run.rc, -2);
    EXPECT_EQ(t->ui.errors(), std::vector<std::string>{kProsFailedHint});
    const auto statuses = t->ui.statuses();
    // The searches may add statuses of their own in between.
    ASSERT_GE(statuses.size(), 201u);
    EXPECT_EQ(statuses[198], "組み合わせ中です... 199");
    EXPECT_EQ(statuses[199], "棋士と組み合わせ中です... *");
    EXPECT_EQ(statuses.back(), "組み合わせ中です... *");
    EXPECT_EQ(run.refreshes, 1);
    // The professional step of the last search placed P1; the rest stays unpaired.
    EXPECT_GE(t->table.opponent[0][2], 2);
    EXPECT_EQ(t->table.opponent[1][2], data::kUnpaired);
    EXPECT_EQ(testing::pairsOf(t->table, 2).size(), 1u);
  }
  {
    // With play2 a second game is possible, a third never.
    auto t = professionalsField(2);
    t->options.play2 = true;
    EXPECT_EQ(runDriver(*t, 4).rc, -2);
    EXPECT_EQ(t->ui.errors(), std::vector<std::string>{kProsFailed});
  }
  {
    auto t = professionalsField(1);
    t->options.play2 = true;
    EXPECT_EQ(runDriver(*t, 2).rc, 0);
    EXPECT_TRUE(t->ui.errors().empty());
  }
}

TEST(Driver, ProfessionalSearchRescuesTheStep) {
  // Rows A, B, P2, P1. P2 met B. P1, visited first, takes A (B played a professional), and
  // P2 is left with no one in every attempt; the search over the whole round finds P1-B, P2-A.
  auto t = testing::makeTournament(3);
  t->addParticipant("A");
  t->addParticipant("B");
  t->addParticipant("P2", 2000, 1, true);
  t->addParticipant("P1", 2000, 1, true);
  t->play(0, 2, 1, kWin);
  testing::byes(*t, 0, {0, 3});
  DriverRun run = runDriver(*t, 1);
  ASSERT_EQ(run.rc, 0);
  EXPECT_TRUE(testing::paired(t->table, 1, 0, 2));
  EXPECT_TRUE(testing::paired(t->table, 1, 1, 3));
  const auto statuses = t->ui.statuses();
  ASSERT_GE(statuses.size(), 201u);
  EXPECT_EQ(statuses[199], "棋士と組み合わせ中です... *");
  const std::string& done = statuses.back();
  EXPECT_EQ(done.rfind("棋士と組み合わせ終了 ", 0), 0u) << done;
  EXPECT_NE(done.find(" ms "), std::string::npos);
  EXPECT_EQ(done.substr(done.size() - 4), " 秒");
  EXPECT_EQ(run.refreshes, 0);
}

TEST(Driver, DamagedTablesNeitherCrashNorReportFalseSuccess) {
  std::mt19937 rng(99);
  int paired = 0;
  for (int i = 0; i < 60; ++i) {
    auto t = testing::scrambled(rng);
    auto& tb = t->table;
    const int round = static_cast<int>(rng() % 6);
    tb.numberOfGames = round + 1 + static_cast<int>(rng() % 3);
    std::vector<int> open;
    for (int row = 0; row < tb.participantCount; ++row) {
      if (rng() % 4 != 0) tb.opponent[row][round] = data::kUnpaired;
      if (tb.opponent[row][round] == data::kUnpaired) open.push_back(row);
    }
    const int rc = runDriver(*t, round).rc;
    ASSERT_TRUE(rc == 0 || rc == -2) << i;
    if (rc != 0) continue;
    paired += !open.empty();
    for (int row : open) {
      const int o = tb.opponent[row][round];
      ASSERT_TRUE(o >= 0 && o < tb.participantCount) << i << " row " << row;
      EXPECT_EQ(tb.opponent[o][round], row) << i;
    }
  }
  EXPECT_GT(paired, 5);
}

}  // namespace
}  // namespace toq
