// Timings of the pairing engine on whole tables: a late round of a full field, the fallback
// after 199 failed attempts, and the repeated lottery test.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "pairing/driver.h"
#include "pairing/repeat_test.h"
#include "support/simulate.h"

namespace {

using toq::testing::FieldShape;

// Round 9 of a 98-row field after eight paired and resulted rounds.
void BM_RoundOf98AfterEightRounds(benchmark::State& state) {
  FieldShape shape;
  shape.amateurs = state.range(0) ? 92 : 98;
  shape.professionals = state.range(0) ? 3 : 0;
  shape.maxBoards = 2;
  shape.games = 9;
  shape.draws = true;
  auto t = toq::testing::generateField(shape, 7);
  while (t->table.participantCount < 98) t->table.AddParticipant(t->addPlayer("X"), t->ui);
  if (toq::testing::playRounds(*t, 8, 11, true) != 8) {
    state.SkipWithError("the first eight rounds did not pair");
    return;
  }
  toq::testing::setByeIfOdd(*t, 8, 3);
  const toq::data::Table before = t->table;
  for (auto _ : state) {
    t->table = before;
    auto ctx = t->context();
    benchmark::DoNotOptimize(toq::pairing::runPairing(ctx, 8, {}));
  }
  state.SetLabel(state.range(0) ? "with professionals" : "amateurs only");
}
BENCHMARK(BM_RoundOf98AfterEightRounds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 40 rows of which 22 belong to professionals: every attempt fails in the professional step,
// then both exact searches run and fail.
void BM_FallbackAfter199FailedAttempts(benchmark::State& state) {
  auto t = toq::testing::makeTournament(9);
  for (int i = 0; i < 18; ++i) t->addParticipant("A" + std::to_string(i), 1500 + 10 * i);
  for (int i = 0; i < 11; ++i) t->addParticipant("P" + std::to_string(i), 2800, 2, true);
  const toq::data::Table before = t->table;
  for (auto _ : state) {
    t->table = before;
    t->ui.clear();
    auto ctx = t->context();
    benchmark::DoNotOptimize(toq::pairing::runPairing(ctx, 0, {}));
  }
}
BENCHMARK(BM_FallbackAfter199FailedAttempts)->Unit(benchmark::kMillisecond);

// The repeated lottery test: 256 runs of nine rounds on 40 rows.
void BM_RepeatedTest256x9On40(benchmark::State& state) {
  auto dir = std::filesystem::temp_directory_path() / "toq-bench-repeat";
  std::filesystem::create_directories(dir);
  auto t = toq::testing::makeTournament(9);
  for (int i = 0; i < 40; ++i) t->addParticipant("A" + std::to_string(i), 1200 + 25 * i);
  for (auto _ : state) {
    t->ui.clear();
    auto ctx = t->context();
    benchmark::DoNotOptimize(toq::pairing::runRepeatedTest(ctx, dir, {}));
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RepeatedTest256x9On40)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
