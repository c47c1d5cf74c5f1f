// Timings of the explanation of a round: round 9 of a 99-row field with professionals, as the
// program paired it (the defaults reproduce it at once), and with two boards swapped by hand,
// so that every option combination is paired before the verdict.

#include <benchmark/benchmark.h>

#include "pairing/driver.h"
#include "pairing/explanation.h"
#include "pairing/sides.h"
#include "reports/explanation_text.h"
#include "support/simulate.h"

namespace {

using toq::testing::FieldShape;

/// 99 rows after eight played rounds, round 9 paired with handicaps; nullptr on failure.
std::unique_ptr<toq::testing::Tournament> field() {
  FieldShape shape;
  shape.amateurs = 90;
  shape.professionals = 4;
  shape.womenProfessionals = 1;
  shape.maxBoards = 3;
  shape.games = 9;
  shape.draws = true;
  auto t = toq::testing::generateField(shape, 7);
  while (t->table.participantCount < 99) t->table.AddParticipant(t->addPlayer("X"), t->ui);
  if (toq::testing::playRounds(*t, 8, 11, true) != 8) return nullptr;
  toq::testing::setByeIfOdd(*t, 8, 3);
  auto ctx = t->context();
  if (toq::pairing::runPairing(ctx, 8, {}) != 0) return nullptr;
  toq::pairing::assignHandicaps(ctx, 8);
  return t;
}

/// Two boards of amateurs exchange opponents.
void swapTwoBoards(toq::data::Table& t, int round) {
  int a = -1, c = -1;
  for (int row = 0; row < t.participantCount && c < 0; ++row) {
    if (t.opponentRow(row, round) <= row) continue;
    (a < 0 ? a : c) = row;
  }
  const int b = t.opponent[a][round];
  const int d = t.opponent[c][round];
  t.setPair(round, a, d);
  t.setPair(round, c, b);
}

void BM_ExplainRoundOf99(benchmark::State& state) {
  auto t = field();
  if (!t) {
    state.SkipWithError("the field did not pair");
    return;
  }
  const bool byHand = state.range(0) != 0;
  if (byHand) swapTwoBoards(t->table, 8);
  int tried = 0;
  for (auto _ : state) {
    const auto e = toq::pairing::explainRound(t->table, t->players, 8);
    tried = e ? e->combinationsTried : 0;
    benchmark::DoNotOptimize(toq::reports::explanationText(*e));
  }
  state.SetLabel(std::to_string(tried) + (tried == 1 ? " combination" : " combinations"));
}
BENCHMARK(BM_ExplainRoundOf99)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
