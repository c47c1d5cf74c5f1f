#include <gtest/gtest.h>

#include <random>

#include "pairing/compat.h"
#include "pairing/meeting_cache.h"
#include "pairing_fixture.h"

namespace toq {
namespace {

TEST(MeetingCache, AnswersLikeTheDirectTests) {
  std::mt19937 rng(20240611);
  for (int table = 0; table < 150; ++table) {
    auto t = testing::scrambled(rng);
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
