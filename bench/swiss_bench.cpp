// The Swiss attempts on a full table: round 9 of 99 rows after eight paired and resulted
// rounds, once as an ordinary round and once with an odd number of open rows, so that all 199
// attempts do their whole work and fail.

#include <benchmark/benchmark.h>

#include "pairing/driver.h"
#include "pairing/meeting_cache.h"
#include "pairing/standings.h"
#include "pairing/swiss.h"
#include "support/simulate.h"

namespace {

/// 99 rows (amateurs, a few of them on two boards) after eight rounds; round 8 is open.
std::unique_ptr<toq::testing::Tournament> fullField(bool odd) {
  toq::testing::FieldShape shape;
  shape.amateurs = 99;
  shape.games = 9;
  shape.draws = true;
  auto t = toq::testing::generateField(shape, 5);
  if (toq::testing::playRounds(*t, 8, 13, true) != 8) return nullptr;
  for (int row = 0; row < t->table.participantCount; ++row)
    t->table.opponent[row][8] = toq::data::kUnpaired;
  if (!odd) toq::testing::setByeIfOdd(*t, 8, 3);
  return t;
}

// The driver as the pairing command runs it.
void BM_DriverRound9Of99(benchmark::State& state) {
  auto t = fullField(state.range(0) != 0);
  if (!t) {
    state.SkipWithError("the first eight rounds did not pair");
    return;
  }
  const toq::data::Table before = t->table;
  int rc = 0;
  for (auto _ : state) {
    t->table = before;
    t->ui.clear();
    auto ctx = t->context();
    rc = toq::pairing::runPairing(ctx, 8, {});
  }
  state.SetLabel((state.range(0) ? "99 open rows, rc " : "98 open rows, rc ") + std::to_string(rc) +
                 ", attempts " + std::to_string(t->ui.statuses().size()));
}
BENCHMARK(BM_DriverRound9Of99)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Only the 199 attempts of the driver (restore, seed, attempt), all failing on 99 open rows.
void BM_AllAttemptsFailOn99(benchmark::State& state) {
  auto t = fullField(true);
  if (!t) {
    state.SkipWithError("the first eight rounds did not pair");
    return;
  }
  const int standings = toq::pairing::computeStandings(t->table, t->players, 7);
  const toq::data::Table before = t->table;
  toq::pairing::MeetingCache cache;
  cache.build(before, t->players, 8);
  int failures = 0;
  for (auto _ : state) {
    failures = 0;
    auto ctx = t->context();
    for (int seed = 1; seed <= 199; ++seed) {
      t->table = before;
      t->random.seed(static_cast<std::uint32_t>(seed));
      failures += toq::pairing::pairAttempt(ctx, cache, 8, seed, standings) != 0;
    }
  }
  state.SetLabel(std::to_string(failures) + " of 199 failed");
}
BENCHMARK(BM_AllAttemptsFailOn99)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
