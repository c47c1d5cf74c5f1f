// The exhaustive search of a round: the literal enumeration against the exact method on the
// same 20-row round, and the exact method alone on 40, 60 and 98 open rows.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "pairing/brute_force_pairing.h"
#include "pairing/compat.h"
#include "pairing/exhaustive.h"
#include "pairing/min_cost_matching.h"
#include "pairing/random_tournament.h"

namespace {

using toq::testing::Tournament;

/// A round to pair: `open` amateurs (one row of the table without opponent each) after
/// `round` played rounds, so that score keys run 0..2*round with many equal keys.
std::unique_ptr<Tournament> makeRound(int open, int round, unsigned seed) {
  std::mt19937 rng(seed);
  toq::testing::TournamentRecipe recipe;
  recipe.amateurs = open;
  recipe.round = round;
  recipe.byePercent = 0;
  return toq::testing::randomTournament(rng, recipe);
}

/// The enumeration as described, with the pairing test asked once per pair beforehand.
toq::testing::BruteForceResult enumerate(const Tournament& t, int round) {
  const toq::data::Table& table = t.table;
  const int n = table.participantCount;
  std::vector<int> start(n);
  std::vector<int> key(n);
  std::vector<char> allowed(n * n);
  for (int a = 0; a < n; ++a) {
    start[a] = table.opponent[a][round];
    key[a] = toq::pairing::scoreKey(table, round, a);
    for (int b = 0; b < n; ++b)
      allowed[a * n + b] = a != b && toq::pairing::canPair(table, t.players, round, a, b);
  }
  return toq::testing::bruteForcePairing(
      start, [&](int d, int i) { return allowed[d * n + i] != 0; },
      [&](const std::vector<int>& work) {
        std::int64_t cost = 0;
        for (int a = 0; a < n; ++a)
          if (work[a] > a) cost += std::abs(key[a] - key[work[a]]);
        return cost;
      });
}

/// Runs the exact search on a fresh copy of the table each time.
void runExact(benchmark::State& state, const Tournament& original, int round) {
  auto t = std::make_unique<Tournament>(original);
  for (auto _ : state) {
    state.PauseTiming();
    t->table = original.table;
    state.ResumeTiming();
    toq::pairing::PairingContext ctx = t->context();
    const int result = toq::pairing::pairRoundExhaustively(ctx, round);
    if (result != 0) state.SkipWithError("no pairing");
    benchmark::DoNotOptimize(t->table.opponent[0][round]);
  }
}

constexpr int kRound20 = 5;
const Tournament& twentyRows() {
  static const std::unique_ptr<Tournament> t = makeRound(20, kRound20, 2020);
  return *t;
}

void BM_Enumeration20(benchmark::State& state) {
  for (auto _ : state) {
    const auto kept = enumerate(twentyRows(), kRound20);
    state.counters["assignments"] = static_cast<double>(kept.count);
    benchmark::DoNotOptimize(kept.cost);
  }
}
BENCHMARK(BM_Enumeration20)->Unit(benchmark::kMillisecond);

void BM_Exact20(benchmark::State& state) {
  // Both must keep the same pairing; check once before timing.
  const auto kept = enumerate(twentyRows(), kRound20);
  auto t = std::make_unique<Tournament>(twentyRows());
  toq::pairing::PairingContext ctx = t->context();
  toq::pairing::pairRoundExhaustively(ctx, kRound20);
  for (int row = 0; row < 20; ++row)
    if (t->table.opponent[row][kRound20] != kept.assignment[row])
      state.SkipWithError("the exact search kept another pairing");
  runExact(state, twentyRows(), kRound20);
}
BENCHMARK(BM_Exact20)->Unit(benchmark::kMillisecond);

// Open rows after seven rounds (keys 0..14: many equal costs), and in the first round (every
// cost 0: every pairing ties).
void BM_Exact(benchmark::State& state) {
  const int open = static_cast<int>(state.range(0));
  const int round = static_cast<int>(state.range(1));
  const auto t = makeRound(open, round, 4000 + static_cast<unsigned>(open));
  runExact(state, *t, round);
}
BENCHMARK(BM_Exact)
    ->Args({40, 7})
    ->Args({60, 7})
    ->Args({98, 7})
    ->Args({98, 0})
    ->Args({98, 20})
    ->Unit(benchmark::kMillisecond);

// The matching alone at full capacity: 128 vertices, every pair allowed, costs 0..3 (many
// ties) or up to 2^30 (almost none).
void BM_FirstMinCostMatching(benchmark::State& state) {
  const int n = toq::pairing::kMaxMatchingVertices;
  std::mt19937_64 rng(7);
  std::vector<toq::pairing::MatchingEdge> edges;
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      edges.push_back({a, b, static_cast<std::int64_t>(rng() % (state.range(0) + 1))});
  for (auto _ : state) {
    const auto m = toq::pairing::firstMinCostPerfectMatching(n, edges);
    if (!m) state.SkipWithError("no matching");
    benchmark::DoNotOptimize(m->cost);
  }
}
BENCHMARK(BM_FirstMinCostMatching)->Arg(3)->Arg(1 << 30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
