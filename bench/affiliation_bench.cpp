// The option that keeps players of one affiliation apart, on a full field: a 99-row round
// whose players belong to ten affiliations, paired with the option on and off.

#include <benchmark/benchmark.h>

#include <string>

#include "pairing/driver.h"
#include "support/simulate.h"

namespace {

constexpr int kAffiliations = 10;

// Round `round` (0-based) of a 99-row field after the rounds before it, paired without the
// option (argument 0), with it (1), or with it where 60 players share one affiliation, so that
// no pairing keeps them apart and the round is searched twice (2).
void BM_AffiliationsRoundOf99(benchmark::State& state) {
  const int round = static_cast<int>(state.range(1));
  toq::testing::FieldShape shape;
  shape.amateurs = 99;
  shape.games = 9;
  shape.draws = true;
  auto t = toq::testing::generateField(shape, 7);
  for (int position = 1; position <= t->players.count(); ++position)
    t->players.at(position).affiliation = state.range(0) == 2 && position <= 60
                                              ? "C"
                                              : "C" + std::to_string(position % kAffiliations);
  t->options.avoidAffiliationRounds = state.range(0) ? toq::pairing::kAffiliationEveryRound : 0;
  if (toq::testing::playRounds(*t, round, 11, true) != round) {
    state.SkipWithError("the earlier rounds did not pair");
    return;
  }
  toq::testing::setByeIfOdd(*t, round, 3);
  const toq::data::Table before = t->table;
  for (auto _ : state) {
    t->table = before;
    auto ctx = t->context();
    benchmark::DoNotOptimize(toq::pairing::runPairing(ctx, round, {}));
  }
  static const char* const kLabels[] = {"option off", "option on, ten affiliations",
                                        "option on, 60 of one affiliation"};
  state.SetLabel(std::string(kLabels[state.range(0)]) + ", round " + std::to_string(round + 1));
}
BENCHMARK(BM_AffiliationsRoundOf99)
    ->ArgsProduct({{0, 1, 2}, {0, 4}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
