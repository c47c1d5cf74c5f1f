#include "pairing/professional.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "pairing/compat.h"
#include "support/builders.h"

namespace toq::pairing {
namespace {

using testing::makeTournament;
using testing::Tournament;

constexpr bool kPro = true;
constexpr bool kWoman = true;

/// A generator in the state `seed` leaves after `draws` draws.
std::uint32_t stateAfter(std::uint32_t seed, int draws) {
  Random r;
  r.seed(seed);
  for (int i = 0; i < draws; ++i) r.next();
  return r.state();
}

/// Amateur rows chosen for professional row p over seeds 1..n.
std::set<int> choicesOver(Tournament& t, int round, int p, int n) {
  std::set<int> rows;
  for (int s = 1; s <= n; ++s) {
    t.random.seed(s);
    auto ctx = t.context();
    if (auto c = chooseAmateur(ctx, round, p, false)) rows.insert(*c);
  }
  return rows;
}

TEST(CanPairAgain, EveryRuleAndGuard) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 2, kPro);          // rows 0, 1
  t->addParticipant("W", 1600, 1, kPro, kWoman);  // row 2
  t->addParticipant("A");                         // row 3
  t->addParticipant("B");                         // row 4
  t->addParticipant("M", 1600, 2);                // rows 5, 6
  t->addParticipant("C");                         // row 7
  t->addParticipant("D");                         // row 8
  t->play(0, 0, 3, data::kWin);
  t->play(0, 1, 8, data::kWin);  // P has met D once
  t->play(0, 2, 4, data::kWin);
  t->play(1, 1, 3, data::kWin);  // A has met P twice
  t->play(1, 2, 7, data::kWin);
  const auto& tb = t->table;
  const auto& pl = t->players;
  PairingOptions off, on;
  on.play2 = true;
  PairingOptions both = on;
  both.womanProfessionalTwice = true;

  EXPECT_TRUE(canPairAgain(tb, pl, off, 2, 0, 4));
  EXPECT_FALSE(canPairAgain(tb, pl, off, 2, 0, 1));  // one player
  EXPECT_FALSE(canPairAgain(tb, pl, off, 2, 0, 2));  // two professionals
  EXPECT_FALSE(canPairAgain(tb, pl, off, 2, 0, 5));  // two multi-board players
  EXPECT_FALSE(canPairAgain(tb, pl, on, 2, 0, 3));   // a third meeting, never
  EXPECT_TRUE(canPairAgain(tb, pl, on, 2, 0, 8));    // the second one, with play2
  EXPECT_FALSE(canPairAgain(tb, pl, off, 2, 0, 8));
  EXPECT_FALSE(canPairAgain(tb, pl, on, 2, 2, 4));   // a woman professional again...
  EXPECT_TRUE(canPairAgain(tb, pl, both, 2, 2, 4));  // ...only with her own option

  // Never the same amateur player twice for one professional in a round.
  auto u = makeTournament();
  u->addParticipant("P", 1600, 2, kPro);
  const int m = u->addPlayer("M");  // one board in the register, two rows in the table
  u->table.AddParticipant(m, u->ui);
  u->table.AddParticipant(m, u->ui);
  u->table.setPair(0, 0, 2);
  EXPECT_FALSE(canPairAgain(u->table, u->players, both, 0, 1, 3));
  EXPECT_FALSE(canPairAgain(u->table, u->players, both, 0, 3, 1));
  EXPECT_FALSE(canPairAgain(u->table, u->players, both, 0, 1, 2));  // row 2 is taken

  for (auto [r, a, b] : {std::tuple{-1, 0, 4}, std::tuple{32, 0, 4}, std::tuple{2, -1, 4},
                         std::tuple{2, 0, 9}, std::tuple{2, 99, 4}})
    EXPECT_FALSE(canPairAgain(tb, pl, both, r, a, b));
}

TEST(GamesAgainstProfessionals, CountsGamesNotByesNorDamagedEntries) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 1, kPro);
  t->addParticipant("W", 1600, 1, kPro, kWoman);
  t->addParticipant("A");
  t->addParticipant("B");
  t->play(0, 2, 0, data::kWin);
  t->table.opponent[2][1] = data::kBye;
  t->play(2, 2, 1, data::kLoss);
  t->table.opponent[2][3] = 250;
  t->table.opponent[2][4] = -7;
  t->play(5, 2, 3, data::kWin);
  const auto& tb = t->table;
  EXPECT_EQ(gamesAgainstProfessionals(tb, t->players, 9, 2), 2);
  EXPECT_EQ(gamesAgainstWomen(tb, t->players, 9, 2), 1);
  EXPECT_EQ(gamesAgainstProfessionals(tb, t->players, 2, 2), 1);  // only rounds before
  EXPECT_EQ(gamesAgainstWomen(tb, t->players, 2, 2), 0);
  EXPECT_EQ(gamesAgainstProfessionals(tb, t->players, 100, 2), 2);
  EXPECT_EQ(gamesAgainstProfessionals(tb, t->players, 9, 4), 0);
  EXPECT_EQ(gamesAgainstProfessionals(tb, t->players, 9, -3), 0);
}

TEST(ChooseAmateur, FewestGamesAgainstProfessionalsRandomAmongEquals) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 1, kPro);  // row 0
  t->addParticipant("Q", 1600, 1, kPro);  // row 1
  t->addParticipant("A");                 // row 2: two games against Q
  t->addParticipant("B");                 // row 3
  t->addParticipant("C");                 // row 4
  t->play(0, 1, 2, data::kWin);
  t->play(1, 1, 2, data::kWin);
  std::set<int> seen;
  for (int s = 1; s <= 40; ++s) {
    t->random.seed(s);
    auto ctx = t->context();
    auto c = chooseAmateur(ctx, 2, 0, false);
    ASSERT_TRUE(c);
    Random ref;
    ref.seed(s);
    EXPECT_EQ(*c, ref.choose(2) == 0 ? 3 : 4) << "seed " << s;  // B and C in table order
    EXPECT_EQ(t->random.state(), ref.state());                  // exactly one draw
    seen.insert(*c);
  }
  EXPECT_EQ(seen, (std::set<int>{3, 4}));
  // No eligible amateur: none, and no draw.
  t->table.setPair(2, 1, 3);
  t->table.opponent[4][2] = data::kBye;
  t->table.opponent[2][2] = data::kBye;
  t->options.play2 = true;
  t->random.seed(5);
  auto ctx = t->context();
  EXPECT_FALSE(chooseAmateur(ctx, 2, 0, false));
  EXPECT_FALSE(chooseAmateur(ctx, 2, 0, true));
  EXPECT_EQ(t->random.state(), 5u);
  EXPECT_FALSE(chooseAmateur(ctx, 2, 7, true));
  EXPECT_FALSE(chooseAmateur(ctx, 40, 0, true));
}

TEST(ChooseAmateur, WomanProfessionalPrefersWhoMetOnlyMen) {
  auto t = makeTournament();
  t->addParticipant("W", 1600, 1, kPro, kWoman);  // row 0
  t->addParticipant("M", 1600, 1, kPro);          // row 1
  t->addParticipant("V", 1600, 1, kPro, kWoman);  // row 2
  t->addParticipant("K", 1600, 1, kPro);          // row 3
  t->addParticipant("X");                         // row 4: met a man, 10P-1 = 9
  t->addParticipant("Y");                         // row 5: met a woman, 10P+W = 11
  t->play(0, 1, 4, data::kWin);
  t->play(0, 2, 5, data::kWin);
  EXPECT_EQ(choicesOver(*t, 2, 0, 30), (std::set<int>{4}));
  // For a man professional both cost 10.
  EXPECT_EQ(choicesOver(*t, 2, 3, 30), (std::set<int>{4, 5}));
  // The exact costs: eleven games against men (10 x 11 - 1 = 109) come before ten against a
  // woman (10 x 10 + 10 = 110).
  {
    auto u = makeTournament(32);
    u->addParticipant("W", 1600, 1, kPro, kWoman);  // row 0
    u->addParticipant("M", 1600, 1, kPro);          // row 1
    u->addParticipant("V", 1600, 1, kPro, kWoman);  // row 2
    u->addParticipant("X");                         // row 3
    u->addParticipant("Y");                         // row 4
    for (int k = 0; k < 11; ++k) u->play(k, 1, 3, data::kWin);
    for (int k = 0; k < 10; ++k) u->play(k, 2, 4, data::kWin);
    EXPECT_EQ(choicesOver(*u, 12, 0, 30), (std::set<int>{3}));
  }
  // Somebody who has met no professional comes before both.
  t->addParticipant("Z");
  EXPECT_EQ(choicesOver(*t, 2, 0, 30), (std::set<int>{6}));
}

TEST(ChooseAmateur, OneMoreForTheSameKindInThePreviousRound) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 1, kPro);          // row 0
  t->addParticipant("M", 1600, 1, kPro);          // row 1
  t->addParticipant("V", 1600, 1, kPro, kWoman);  // row 2
  t->addParticipant("W", 1600, 1, kPro, kWoman);  // row 3
  t->addParticipant("X");                         // row 4: a man in the previous round
  t->addParticipant("Y");                         // row 5: a man two rounds ago
  t->addParticipant("U");                         // row 6: a woman in the previous round
  t->play(2, 1, 4, data::kWin);
  t->play(0, 1, 5, data::kWin);
  t->play(2, 2, 6, data::kWin);
  // Man P: X 11, Y 10, U 10. Woman W: X 9, Y 9, U 10+1+1 = 12.
  EXPECT_EQ(choicesOver(*t, 3, 0, 40), (std::set<int>{5, 6}));
  EXPECT_EQ(choicesOver(*t, 3, 3, 40), (std::set<int>{4, 5}));
}

TEST(ChooseAmateur, RelaxedStageAllowsASecondGameButNotTwoInOneRound) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 2, kPro);  // rows 0, 1
  const int m = t->addPlayer("M");        // listed twice: rows 2, 3
  t->table.AddParticipant(m, t->ui);
  t->table.AddParticipant(m, t->ui);
  t->addParticipant("A");  // row 4
  t->play(0, 0, 2, data::kWin);
  t->play(0, 1, 4, data::kWin);
  t->table.setPair(1, 0, 2);  // P already plays M in round 1
  t->options.play2 = true;
  EXPECT_EQ(choicesOver(*t, 1, 1, 20), (std::set<int>{}));  // the strict stage finds nobody
  for (int s = 1; s <= 20; ++s) {
    t->random.seed(s);
    auto ctx = t->context();
    EXPECT_EQ(chooseAmateur(ctx, 1, 1, true), 4);
  }
}

TEST(ProfessionalStep, VisitingOrderFollowsTheOptions) {
  struct Case {
    bool play2;
    bool womanTwice;
    int firstRow;  // the professional row visited first gets the cheaper amateur
  };
  for (const Case& c :
       {Case{false, false, 3}, Case{true, false, 0}, Case{true, true, 3}, Case{false, true, 3}}) {
    auto t = makeTournament();
    t->addParticipant("P1", 1600, 1, kPro);  // row 0
    t->addParticipant("A");                  // row 1: fresh, cost 0
    t->addParticipant("B");                  // row 2: met R, cost 11
    t->addParticipant("P2", 1600, 1, kPro);  // row 3
    t->addParticipant("R", 1600, 1, kPro);   // row 4: sits out round 1
    t->play(0, 4, 2, data::kWin);
    t->table.opponent[4][1] = data::kBye;
    t->options.play2 = c.play2;
    t->options.womanProfessionalTwice = c.womanTwice;
    t->random.seed(9);
    auto ctx = t->context();
    ASSERT_EQ(professionalStep(ctx, 1), 0);
    const int other = c.firstRow == 0 ? 3 : 0;
    EXPECT_EQ(t->table.opponent[c.firstRow][1], 1);
    EXPECT_EQ(t->table.opponent[other][1], 2);
    EXPECT_EQ(t->table.opponent[1][1], c.firstRow);
    EXPECT_EQ(t->table.opponent[4][1], data::kBye);
    EXPECT_EQ(t->random.state(), stateAfter(9, 2));
  }
}

TEST(ProfessionalStep, SecondMeetingOnlyWhenAllowedAndFromPass25) {
  // P1 and P2 have each met A and B once; row 4 sits out.
  auto build = [](bool play2) {
    auto t = makeTournament();
    t->addParticipant("P1", 1600, 1, kPro);  // row 0
    t->addParticipant("P2", 1600, 1, kPro);  // row 1
    t->addParticipant("A");                  // row 2
    t->addParticipant("B");                  // row 3
    t->addParticipant("D");                  // row 4
    t->play(0, 0, 2, data::kWin);
    t->play(0, 1, 3, data::kWin);
    t->play(1, 0, 3, data::kWin);
    t->play(1, 1, 2, data::kWin);
    t->table.opponent[4][2] = data::kBye;
    t->options.play2 = play2;
    return t;
  };
  for (int s = 1; s <= 30; ++s) {
    auto t = build(false);
    t->random.seed(s);
    auto ctx = t->context();
    EXPECT_EQ(professionalStep(ctx, 2), -1);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(t->table.opponent[row][2], data::kUnpaired);
    EXPECT_EQ(t->random.state(), static_cast<std::uint32_t>(s));  // nobody was ever eligible

    // With play2 the 25th pass (odd, so visited backwards from row 4) first reaches P2, which
    // draws between A and B; P1 gets the other one 25 passes later.
    t = build(true);
    t->random.seed(s);
    auto ctx2 = t->context();
    ASSERT_EQ(professionalStep(ctx2, 2), 0);
    Random ref;
    ref.seed(s);
    const int forP2 = ref.choose(2) == 0 ? 2 : 3;
    EXPECT_EQ(t->table.opponent[1][2], forP2) << "seed " << s;
    EXPECT_EQ(t->table.opponent[0][2], forP2 == 2 ? 3 : 2);
    EXPECT_EQ(t->random.state(), stateAfter(s, 2));
  }
  // A third meeting never happens.
  auto t = makeTournament();
  t->addParticipant("P", 1600, 1, kPro);
  t->addParticipant("A");
  t->play(0, 0, 1, data::kWin);
  t->play(1, 0, 1, data::kWin);
  t->options.play2 = t->options.womanProfessionalTwice = true;
  auto ctx = t->context();
  EXPECT_EQ(professionalStep(ctx, 2), -1);
  EXPECT_EQ(t->table.opponent[0][2], data::kUnpaired);
}

TEST(ProfessionalStep, WomanProfessionalAgainOnlyWithHerOption) {
  for (bool twice : {false, true}) {
    auto t = makeTournament();
    t->addParticipant("W", 1600, 1, kPro, kWoman);
    t->addParticipant("A");
    t->play(0, 0, 1, data::kWin);
    t->options.play2 = true;
    t->options.womanProfessionalTwice = twice;
    auto ctx = t->context();
    EXPECT_EQ(professionalStep(ctx, 1), twice ? 0 : -1);
    EXPECT_EQ(t->table.opponent[0][1], twice ? 1 : data::kUnpaired);
  }
}

TEST(ProfessionalStep, SameProfessionalNeverGetsOneAmateurTwiceInARound) {
  // The register gives M one board, but the table holds M twice: nothing else stops a second
  // row of P from taking M's other row.
  for (int s = 1; s <= 60; ++s) {
    auto t = makeTournament();
    t->addParticipant("P", 1600, 2, kPro);  // rows 0, 1
    const int m = t->addPlayer("M");
    t->table.AddParticipant(m, t->ui);  // row 2
    t->table.AddParticipant(m, t->ui);  // row 3
    t->addParticipant("A");             // row 4
    t->random.seed(s);
    auto ctx = t->context();
    ASSERT_EQ(professionalStep(ctx, 0), 0);
    const int o0 = t->table.opponent[0][0];
    const int o1 = t->table.opponent[1][0];
    ASSERT_TRUE(t->table.validRow(o0) && t->table.validRow(o1));
    EXPECT_NE(t->table.participants[o0], t->table.participants[o1]) << "seed " << s;
  }
  // Only M to give: one board stays open.
  auto t = makeTournament();
  t->addParticipant("P", 1600, 2, kPro);
  const int m = t->addPlayer("M");
  t->table.AddParticipant(m, t->ui);
  t->table.AddParticipant(m, t->ui);
  t->options.play2 = t->options.womanProfessionalTwice = true;
  auto ctx = t->context();
  EXPECT_EQ(professionalStep(ctx, 0), -1);
  EXPECT_EQ(
      (t->table.opponent[0][0] == data::kUnpaired) + (t->table.opponent[1][0] == data::kUnpaired),
      1);
}

// The fallback paths are reached only when the table's two halves of a game disagree (an entry
// written on one row only): the professional's side says they met, the amateur's does not.
TEST(ProfessionalStep, RepetitionCheckOnNearbyBoardsGivesWayAfter15Tries) {
  auto t = makeTournament();
  t->addParticipant("A1");                // row 0: met Q two rounds ago, cost 10
  t->addParticipant("A2");                // row 1: met Q last round, cost 11
  t->addParticipant("G", 1600, 3, kPro);  // rows 2, 3, 4
  t->addParticipant("Q", 1600, 1, kPro);  // row 5, sits out round 2
  t->addParticipant("C");                 // row 6: fresh, cost 0
  t->play(0, 5, 0, data::kWin);
  t->play(1, 5, 1, data::kWin);
  t->table.opponent[2][1] = 6;  // G's first board shows C in round 1; C's row shows nothing
  t->table.opponent[5][2] = data::kBye;
  t->random.seed(3);
  auto ctx = t->context();
  // Backwards from row 6: row 4 draws C 16 times (15 rejected as the round-1 opponent of row
  // 4-2), then row 3 draws A1; after the restart row 2 draws A2.
  ASSERT_EQ(professionalStep(ctx, 2), 0);
  EXPECT_EQ(t->table.opponent[4][2], 6);
  EXPECT_EQ(t->table.opponent[3][2], 0);
  EXPECT_EQ(t->table.opponent[2][2], 1);
  EXPECT_EQ(t->random.state(), stateAfter(3, 18));
}

TEST(ProfessionalStep, RejectedChoicesCountTriesThenPasses) {
  auto t = makeTournament();
  t->addParticipant("P", 1600, 1, kPro);  // row 0
  t->addParticipant("Q", 1600, 1, kPro);  // row 1, sits out round 1
  t->addParticipant("C");                 // row 2
  t->table.opponent[0][0] = 2;            // one-sided: P met C, C's row shows nothing
  t->table.opponent[1][1] = data::kBye;
  t->random.seed(11);
  auto ctx = t->context();
  EXPECT_EQ(professionalStep(ctx, 1), -1);
  EXPECT_EQ(t->table.opponent[0][1], data::kUnpaired);
  // 25 rejected draws and one more that ends the pass, in each of the 50 passes.
  EXPECT_EQ(t->random.state(), stateAfter(11, 50 * 26));
}

TEST(ProfessionalStep, NothingToDoAndBadRounds) {
  auto t = makeTournament();
  t->addParticipant("A");
  t->addParticipant("B");
  auto ctx = t->context();
  EXPECT_EQ(professionalStep(ctx, 0), 0);
  EXPECT_EQ(professionalStep(ctx, -1), -1);
  EXPECT_EQ(professionalStep(ctx, 32), -1);
  EXPECT_TRUE(allProfessionalsPlaced(t->table, t->players, 0));
  auto empty = makeTournament();
  auto ectx = empty->context();
  EXPECT_EQ(professionalStep(ectx, 0), 0);
}

}  // namespace
}  // namespace toq::pairing
