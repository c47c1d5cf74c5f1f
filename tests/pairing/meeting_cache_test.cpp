#include <gtest/gtest.h>

#include <random>

#include "pairing/compat.h"
#include "pairing/meeting_cache.h"
#include "support/builders.h"

namespace toq {
namespace {

/// A table with random players (some sharing rows, some multi-board or professional, some not
/// in the register) and random opponent codes, corrupt ones included, in every round.
std::unique_ptr<testing::Tournament> scrambled(std::mt19937& rng) {
  auto t = testing::makeTournament(data::kMaxRounds);
  const int players = 2 + static_cast<int>(rng() % 20);
  for (int i = 0; i < players; ++i)
    t->addPlayer("P" + std::to_string(i), 1600, 1 + static_cast<int>(rng() % 3 == 0),
                 rng() % 5 == 0);
  auto& tb = t->table;
  const int rows = 1 + static_cast<int>(rng() % 30);
  for (int row = 0; row < rows; ++row) {
    // Mostly registered numbers, sometimes the previous row's, sometimes an unknown one.
    const int pick = static_cast<int>(rng() % 10);
    const int number = pick == 0 && row > 0 ? tb.participants[row - 1]
                       : pick == 1          ? 900 + row
                                            : 1 + static_cast<int>(rng() % players);
    tb.participants[row] = number;
  }
  tb.participantCount = rows;
  const std::int16_t codes[] = {data::kUnpaired, data::kBye, data::kAbsent, -7, 150, 99};
  for (int row = 0; row < data::kMaxRows; ++row)
    for (int k = 0; k < data::kMaxRounds; ++k)
      tb.opponent[row][k] =
          rng() % 4 == 0 ? codes[rng() % 6] : static_cast<std::int16_t>(rng() % (rows + 2));
  return t;
}

TEST(MeetingCache, AnswersLikeTheDirectTests) {
  std::mt19937 rng(20240611);
  for (int table = 0; table < 150; ++table) {
    auto t = scrambled(rng);
    const auto& tb = t->table;
    for (int probe = 0; probe < 4; ++probe) {
      const int round = static_cast<int>(rng() % data::kMaxRounds);
      pairing::MeetingCache cache;
      cache.build(tb, t->players, round);
      for (int a = 0; a < tb.participantCount; ++a)
        for (int b = 0; b < tb.participantCount; ++b) {
          ASSERT_EQ(cache.haveMet(a, b), pairing::haveMet(tb, round, a, b))
              << table << " " << round << " " << a << " " << b;
          ASSERT_EQ(cache.canPair(tb, a, b), pairing::canPair(tb, t->players, round, a, b))
              << table << " " << round << " " << a << " " << b;
        }
    }
  }
}

TEST(MeetingCache, ReadsTheRoundItselfLiveAndRefusesBadRows) {
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->play(0, 0, 1, data::kWin);
  pairing::MeetingCache cache;
  cache.build(t->table, t->players, 1);
  EXPECT_TRUE(cache.haveMet(1, 0));
  EXPECT_TRUE(cache.canPair(t->table, 0, 2));
  t->table.setPair(1, 2, 3);  // pairs of the round being paired count at once
  EXPECT_FALSE(cache.canPair(t->table, 0, 2));
  EXPECT_FALSE(cache.canPair(t->table, -1, 2));
  EXPECT_FALSE(cache.canPair(t->table, 0, data::kMaxRows));
  EXPECT_FALSE(cache.haveMet(0, 1000));
}

}  // namespace
}  // namespace toq
