#include <gtest/gtest.h>

#include <array>
#include <random>

#include "pairing/brute_force_pairing.h"
#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing/same_affiliation.h"
#include "pairing_fixture.h"
#include "text/cp932.h"

namespace toq {
namespace {

using pairing::AffiliationRule;

/// Small random tournaments whose players mostly belong to one of a few affiliations, written
/// with the spaces organisers type; the option covers 0 to 3 rounds.
std::unique_ptr<testing::Tournament> entrants(std::mt19937& rng, bool professionals) {
  static const char* const kAffiliations[] = {"", "青山道場", " 青山道場", "南小学校　", "北"};
  auto t = testing::makeTournament(2 + static_cast<int>(rng() % 4));
  for (int i = 0, players = 2 + static_cast<int>(rng() % 9); i < players; ++i) {
    const bool pro = professionals && rng() % 6 == 0;
    const int number = t->addParticipant("P" + std::to_string(i), 1600, rng() % 6 ? 1 : 2, pro);
    t->players.at(t->players.positionOf(number)).affiliation = text::sj(kAffiliations[rng() % 5]);
  }
  t->options.avoidAffiliationRounds = static_cast<int>(rng() % 4);
  return t;
}

/// True when the open rows of the round can all be paired without a game of one affiliation.
bool apartPossible(const testing::Tournament& t, int round) {
  std::vector<int> start;
  for (int row = 0; row < t.table.participantCount; ++row)
    start.push_back(t.table.opponent[row][round]);
  const auto key = [&](int row) {
    return data::affiliationKey(pairing::playerOf(t.table, t.players, row)->affiliation);
  };
  const auto allowed = [&](int a, int b) {
    return pairing::canPair(t.table, t.players, round, a, b) &&
           (key(a).empty() || key(a) != key(b));
  };
  return testing::bruteForcePairing(start, allowed, [](const std::vector<int>&) {
           return 0;
         }).count > 0;
}

/// A copy of the tournament paired in one round, with or without the affiliations.
struct Paired {
  std::unique_ptr<testing::Tournament> t = std::make_unique<testing::Tournament>();
  pairing::PairingWay way;
  int rc = 0;
  Paired(const testing::Tournament& from, int round, int avoid, bool affiliations) {
    t->players = from.players;
    for (int pos = 1; !affiliations && pos <= t->players.count(); ++pos)
      t->players.at(pos).affiliation.clear();
    t->table = from.table;
    t->options.avoidAffiliationRounds = avoid;
    auto ctx = t->context();
    rc = pairing::runPairing(ctx, round, {}, &way);
  }
};

/// Rounds by what the option did (AffiliationRule), to see that the generator reaches each.
using Tally = std::array<int, 3>;

/// Pairs a round with the option, checks what it promises against today's pairing (no
/// affiliations, option off) and against the brute force, and leaves the round paired.
void pairAndCheck(testing::Tournament& t, int round, bool exact, Tally& tally) {
  const int avoid = t.options.avoidAffiliationRounds;
  const Paired today(t, round, 0, false), off(t, round, 0, true), on(t, round, avoid, true);
  EXPECT_EQ(off.t->table.opponent, today.t->table.opponent);
  EXPECT_EQ(off.way, today.way);
  const AffiliationRule rule = on.way.affiliations;
  ++tally[static_cast<std::size_t>(rule)];
  // Not covered, nobody with an affiliation, or none kept apart: exactly today's pairing.
  EXPECT_TRUE(rule == AffiliationRule::Kept || on.t->table.opponent == today.t->table.opponent);
  if (rule != AffiliationRule::NotAsked) {
    const auto boards = pairing::sameAffiliationBoards(on.t->table, on.t->players, round);
    EXPECT_EQ(rule == AffiliationRule::Impossible, !boards.empty());
  }
  // The first round's split tests no compatibility, so it may keep them apart where the strict
  // test finds no way; from the second round on the two agree.
  if (exact && pairing::keepsAffiliationsApart(t.options, round)) {
    const bool possible = apartPossible(t, round);
    EXPECT_TRUE(!possible || (on.rc == 0 && rule != AffiliationRule::Impossible));
    EXPECT_TRUE(possible || round == 0 || rule != AffiliationRule::Kept);
  }
  for (int row = 0; row < t.table.participantCount; ++row) {
    const int o = on.t->table.opponent[row][round];
    if (o < 0) continue;
    EXPECT_EQ(on.t->table.opponent[o][round], row);
    EXPECT_NE(t.table.participants[row], t.table.participants[o]);
    const bool pro = pairing::isProfessional(t.table, t.players, row);
    EXPECT_FALSE(pro && pairing::isProfessional(t.table, t.players, o));
    const bool amateurs = !pro && !pairing::isProfessional(t.table, t.players, o);
    EXPECT_FALSE(amateurs && pairing::haveMet(t.table, round, row, o));
  }
  const Paired again(t, round, avoid, true);  // the same table gives the same pairing
  EXPECT_EQ(again.t->table.opponent, on.t->table.opponent);
  t.table = on.t->table;
}

void playTournaments(unsigned seed, int count, bool professionals, Tally& tally) {
  std::mt19937 rng(seed);
  for (int i = 0; i < count && !::testing::Test::HasFailure(); ++i) {
    auto t = entrants(rng, professionals);
    for (int round = 0; round < t->table.numberOfGames; ++round) {
      SCOPED_TRACE("tournament " + std::to_string(i) + " round " + std::to_string(round));
      if (t->table.unpairedRows(round) % 2 != 0) t->table.opponent[0][round] = data::kBye;
      pairAndCheck(*t, round, !professionals, tally);
      if (t->table.UnpairedCount(round) != 0) break;
      for (int row = 0; row < t->table.participantCount; ++row)
        if (t->table.opponent[row][round] > row)
          t->setResult(round, row, rng() % 2 ? data::kWin : data::kLoss);
    }
  }
}

TEST(AffiliationProperty, ApartWheneverAPairingAllowsItAndOtherwiseAsToday) {
  Tally amateurs{}, professionals{};
  playTournaments(33, 1200, false, amateurs);
  playTournaments(34, 400, true, professionals);
  EXPECT_GT(amateurs[1], 800);  // kept apart
  EXPECT_GT(amateurs[2], 80);   // impossible
  EXPECT_GT(professionals[1], 0);
}

}  // namespace
}  // namespace toq
