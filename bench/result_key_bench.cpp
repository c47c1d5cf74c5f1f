// One result key on the largest table (99 participants, 32 rounds): the result entered and the
// table file written, the view's grid refilled, with and without the undo step around it; and
// the parts on their own: the snapshot and comparison of the undo history, the table write.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/table_file.h"
#include "edit/history.h"
#include "edit/result_entry.h"
#include "edit/results.h"
#include "edit/workspace.h"
#include "support/recording_services.h"
#include "support/simulate.h"
#include "view/grid.h"

namespace {

namespace fs = std::filesystem;
using toq::services::RecordingServices;

// 99 rows, 32 rounds, the first 31 paired and played; the last round paired without results.
// With `players` > 0 the register is filled up to that many records.
std::unique_ptr<toq::edit::Workspace> fullTable(const fs::path& dir, int players = 0) {
  toq::testing::FieldShape shape;
  shape.amateurs = 90;
  shape.professionals = 3;
  shape.maxBoards = 3;
  shape.womenProfessionals = 1;
  shape.games = 32;
  auto t = toq::testing::generateField(shape, 5);
  while (t->table.participantCount < 99) t->table.AddParticipant(t->addPlayer("X"), t->ui);
  toq::testing::playRounds(*t, 32, 9, true);
  for (int row = 0; row < t->table.participantCount; ++row) t->table.result[row][31] = 0;
  while (t->players.count() < players) t->addPlayer("Y");
  auto ws = std::make_unique<toq::edit::Workspace>();
  ws->players = t->players;
  ws->table = t->table;
  ws->table.SetTableFile(dir / "bench.tai");
  return ws;
}

fs::path benchDir() {
  const fs::path dir = fs::temp_directory_path() / "toq_result_key_bench";
  fs::create_directories(dir);
  return dir;
}

// The row whose game gets the key: the first row of round 32 with an opponent.
int firstGameRow(const toq::data::Table& t) {
  for (int row = 0; row < t.participantCount; ++row)
    if (t.opponentRow(row, 31) >= 0) return row;
  return 0;
}

// Win and loss in turn, so that every key changes the table.
std::int16_t keyResult(std::int64_t i) {
  return i % 2 ? toq::data::kLoss : toq::data::kWin;
}

void BM_ResultKeyCycle(benchmark::State& state) {
  const bool withUndo = state.range(0) != 0;
  auto ws = fullTable(benchDir());
  RecordingServices ui;
  const int row = firstGameRow(ws->table);
  std::int64_t i = 0;
  for (auto _ : state) {
    const auto enter = [&] { return toq::edit::enterResultCode(*ws, ui, row, 31, keyResult(i)); };
    const toq::edit::Outcome o = withUndo ? toq::edit::recorded(*ws, "結果の入力", enter) : enter();
    if (o.code != 0) state.SkipWithError("the result was not entered");
    benchmark::DoNotOptimize(toq::view::tableGrid(ws->table, ws->players));
    ui.clear();
    ++i;
  }
  state.SetLabel(withUndo ? "with the undo step" : "without undo");
}
BENCHMARK(BM_ResultKeyCycle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TableWrite(benchmark::State& state) {
  auto ws = fullTable(benchDir());
  RecordingServices ui;
  for (auto _ : state) {
    benchmark::DoNotOptimize(toq::data::WriteTableFile(ws->table, {}, ui));
    ui.clear();
  }
}
BENCHMARK(BM_TableWrite)->Unit(benchmark::kMillisecond);

void BM_GridRefill(benchmark::State& state) {
  auto ws = fullTable(benchDir());
  for (auto _ : state) benchmark::DoNotOptimize(toq::view::tableGrid(ws->table, ws->players));
}
BENCHMARK(BM_GridRefill)->Unit(benchmark::kMillisecond);

// What recorded() adds to a command that changed one result: the snapshot before (shared with
// the previous step), the comparison after and the copy of the changed table. The argument is
// the register's size.
void BM_SnapshotAndCompare(benchmark::State& state) {
  auto ws = fullTable(benchDir(), static_cast<int>(state.range(0)));
  const int row = firstGameRow(ws->table);
  const int other = ws->table.opponentRow(row, 31);
  std::int64_t i = 0;
  for (auto _ : state) {
    toq::edit::Snapshot before = toq::edit::snapshotOf(*ws);
    ws->table.result[row][31] = keyResult(i);
    ws->table.result[other][31] = toq::data::oppositeResult(keyResult(i));
    benchmark::DoNotOptimize(toq::edit::recordIfChanged(*ws, "結果の入力", std::move(before)));
    ++i;
  }
  state.counters["players"] = ws->players.count();
  state.counters["tableBytes"] = sizeof(toq::data::Table);
}
BENCHMARK(BM_SnapshotAndCompare)->Arg(0)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The parts: one whole copy of the table, one comparison of two equal tables.
void BM_TableCopy(benchmark::State& state) {
  auto ws = fullTable(benchDir());
  for (auto _ : state)
    benchmark::DoNotOptimize(std::make_shared<const toq::data::Table>(ws->table));
}
BENCHMARK(BM_TableCopy)->Unit(benchmark::kMicrosecond);

void BM_TableCompare(benchmark::State& state) {
  auto ws = fullTable(benchDir());
  auto copy = std::make_unique<toq::data::Table>(ws->table);
  for (auto _ : state) benchmark::DoNotOptimize(toq::data::sameContents(ws->table, *copy));
}
BENCHMARK(BM_TableCompare)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
