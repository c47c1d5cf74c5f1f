// The driver on 99-row tables whose professionals cannot all be placed, with a full register of
// 2000 players (the table's players last, where looking a player up takes longest): every
// attempt fails in the professional step, then both exact searches run.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "pairing/driver.h"
#include "support/builders.h"

namespace {

using toq::testing::Tournament;
namespace data = toq::data;

/// Fills the register with players who take no part, so that the table's players come last.
void fillRegister(Tournament& t, int keepFree) {
  while (t.players.count() < data::kMaxPlayers - keepFree)
    t.addPlayer("F" + std::to_string(t.players.count()));
}

/// The round the trapped professional is paired in.
constexpr int kTrapRound = 2;

/// The step's worst case. One professional X on `boards` boards; every amateur has met X
/// already or plays two boards (two multi-board players never meet), except D, whom the file
/// lists twice although the register gives one board. D's first row takes one of X's boards;
/// D's second row is then the strict stage's only candidate, can never take a second board of
/// the same professional, and is drawn again and again: every pass rejects it 25 times (the
/// relaxed stage, play2 or not, never runs while the strict stage has a candidate), and the
/// step gives up after 50 passes in each of the 199 attempts.
std::unique_ptr<Tournament> trappedProfessional(int boards, bool play2) {
  auto t = toq::testing::makeTournament(9);
  t->options.play2 = play2;
  fillRegister(*t, 60);
  data::Table& tb = t->table;
  // Singles who have met X: as many as leave an even count of rows besides the pairs.
  const int singles = (data::kMaxParticipants - boards - 2) % 2 == 0 ? 2 : 3;
  while (tb.participantCount < data::kMaxParticipants - boards - 2 - singles)
    t->addParticipant("M" + std::to_string(tb.participantCount), 1600, 2);
  const int firstSingle = tb.participantCount;
  for (int i = 0; i < singles; ++i) t->addParticipant("S" + std::to_string(i));
  const int d = t->addPlayer("D");
  tb.AddParticipant(d, t->ui);
  tb.AddParticipant(d, t->ui);
  const int x = tb.participantCount;
  t->addParticipant("X", 2800, boards, true);
  for (int i = 0; i < singles; ++i)
    t->play(i / boards, x + i % boards, firstSingle + i, data::kWin);
  // Everyone else sat the earlier rounds out: two-board amateurs may not meet each other.
  for (int k = 0; k < kTrapRound; ++k)
    for (int row = 0; row < tb.participantCount; ++row)
      if (tb.opponent[row][k] == data::kUnpaired) tb.opponent[row][k] = data::kBye;
  return t;
}

/// A field with more professional rows than amateurs: 60 rows of professionals on `boards`
/// boards each (every fourth a woman), 39 amateurs; round 0, the last amateur sits out.
std::unique_ptr<Tournament> moreBoardsThanAmateurs(int boards) {
  auto t = toq::testing::makeTournament(9);
  fillRegister(*t, 99);
  data::Table& tb = t->table;
  const int professionalRows = 60 - 60 % boards;
  for (int i = 0; tb.participantCount < professionalRows; ++i)
    t->addParticipant("P" + std::to_string(i), 2800, boards, true, i % 4 == 3);
  while (tb.participantCount < data::kMaxParticipants)
    t->addParticipant("A" + std::to_string(tb.participantCount));
  tb.opponent[data::kMaxParticipants - 1][0] = data::kBye;
  return t;
}

void runDriver(benchmark::State& state, Tournament& t, int round) {
  const data::Table before = t.table;
  int rc = 0;
  for (auto _ : state) {
    t.table = before;
    t.ui.clear();
    auto ctx = t.context();
    rc = toq::pairing::runPairing(ctx, round, {});
  }
  state.SetLabel(std::to_string(t.table.participantCount) + " rows, rc " + std::to_string(rc) +
                 ", " + std::to_string(t.ui.statuses().size()) + " status messages");
}

void BM_TrappedProfessional(benchmark::State& state) {
  auto t = trappedProfessional(static_cast<int>(state.range(0)), state.range(1) != 0);
  runDriver(state, *t, kTrapRound);
}
BENCHMARK(BM_TrappedProfessional)
    ->ArgNames({"boards", "play2"})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond);

void BM_MoreProfessionalBoardsThanAmateurs(benchmark::State& state) {
  auto t = moreBoardsThanAmateurs(static_cast<int>(state.range(0)));
  runDriver(state, *t, 0);
}
BENCHMARK(BM_MoreProfessionalBoardsThanAmateurs)
    ->ArgName("boards")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
