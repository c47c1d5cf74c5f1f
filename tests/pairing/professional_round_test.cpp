// The prepared answers of a pairing run against the direct tests they stand for, on scrambled
// tables, before and after games are placed in the round.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "pairing/compat.h"
#include "pairing/meeting_cache.h"
#include "pairing/professional.h"
#include "pairing/professional_round.h"
#include "pairing_fixture.h"

namespace toq {
namespace {

/// Every answer of the round state equals the direct test on the table as it is now.
void expectSameAnswers(const testing::Tournament& t, const pairing::ProfessionalRound& state,
                       const pairing::PairingOptions& options, int round) {
  const data::Table& tb = t.table;
  ASSERT_EQ(state.allProfessionalsPlaced(), pairing::allProfessionalsPlaced(tb, t.players, round));
  for (int a = 0; a < tb.participantCount; ++a)
    for (int b = 0; b < tb.participantCount; ++b)
      ASSERT_EQ(state.canPairAgain(options, a, b),
                pairing::canPairAgain(tb, t.players, options, round, a, b))
          << round << " " << a << " " << b;
}

TEST(MeetingCache, PlayerFactsAndHistoryLikeTheDirectCounts) {
  std::mt19937 rng(4711);
  for (int table = 0; table < 150; ++table) {
    auto t = testing::scrambled(rng);
    const auto& tb = t->table;
    const int round = static_cast<int>(rng() % data::kMaxRounds);
    pairing::MeetingCache cache;
    cache.build(tb, t->players, round);
    ASSERT_EQ(cache.rows(), tb.participantCount);
    for (int a = 0; a < tb.participantCount; ++a) {
      ASSERT_EQ(cache.professional(a), pairing::isProfessional(tb, t->players, a));
      ASSERT_EQ(cache.woman(a), pairing::isWomanProfessional(tb, t->players, a));
      ASSERT_EQ(cache.entries(a), pairing::entriesOf(tb, t->players, a));
      ASSERT_EQ(cache.gamesAgainstProfessionals(a),
                pairing::gamesAgainstProfessionals(tb, t->players, round, a));
      ASSERT_EQ(cache.gamesAgainstWomen(a), pairing::gamesAgainstWomen(tb, t->players, round, a));
      ASSERT_EQ(cache.previousOpponent(a), round > 0 ? tb.opponentRow(a, round - 1) : -1);
      for (int b = 0; b < tb.participantCount; ++b) {
        ASSERT_EQ(cache.timesMet(a, b), std::min(pairing::meetings(tb, round, a, b), 2))
            << table << " " << a << " " << b;
        ASSERT_EQ(cache.player(a) == cache.player(b), tb.participants[a] == tb.participants[b]);
      }
    }
    EXPECT_EQ(cache.timesMet(-1, 0), 0);
    EXPECT_EQ(cache.timesMet(0, data::kMaxRows), 0);
  }
}

TEST(ProfessionalRound, AnswersLikeTheDirectTestsAsGamesArePlaced) {
  std::mt19937 rng(99);
  for (int table = 0; table < 120; ++table) {
    auto t = testing::scrambled(rng);
    auto& tb = t->table;
    const int round = static_cast<int>(rng() % data::kMaxRounds);
    pairing::PairingOptions options;
    options.play2 = rng() % 2 == 0;
    options.womanProfessionalTwice = rng() % 2 == 0;
    pairing::MeetingCache cache;
    cache.build(tb, t->players, round);
    pairing::ProfessionalRound state(tb, cache);
    ASSERT_NO_FATAL_FAILURE(expectSameAnswers(*t, state, options, round));
    // Pair unpaired rows two by two, as the step does, and ask again after each game.
    for (int placed = 0; placed < 4; ++placed) {
      int a = -1;
      int b = -1;
      for (int row = 0; row < tb.participantCount; ++row) {
        if (tb.opponent[row][round] != data::kUnpaired || rng() % 3 == 0) continue;
        (a < 0 ? a : b) = row;
        if (b >= 0) break;
      }
      if (b < 0) break;
      state.pair(a, b);
      ASSERT_TRUE(testing::paired(tb, round, a, b));
      ASSERT_NO_FATAL_FAILURE(expectSameAnswers(*t, state, options, round));
    }
  }
}

TEST(ProfessionalRound, ARoundOutsideThePlanesLeavesNoRows) {
  auto t = testing::fieldOf(4);
  pairing::MeetingCache cache;
  cache.build(t->table, t->players, data::kMaxRounds);
  const pairing::ProfessionalRound state(t->table, cache);
  EXPECT_EQ(state.rows(), 0);
  EXPECT_TRUE(state.allProfessionalsPlaced());
  EXPECT_FALSE(state.canPairAgain({}, 0, 1));
}

}  // namespace
}  // namespace toq
