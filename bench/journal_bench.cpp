// The event's journal on a full event: 99 rows, 9 rounds played, 2,000 result steps. Appending
// one step through the door beside the table's own durable save (p99 of both, and of the
// append alone), opening the table with its journal and undo history, and the journal's size.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/command_door.h"
#include "edit/event_journal.h"
#include "edit/file_freshness.h"
#include "edit/result_entry.h"
#include "edit/unsaved.h"
#include "support/builders.h"
#include "support/recording_services.h"
#include "support/simulate.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kSteps = 2000;

// The played event on disk, its journal attached.
std::unique_ptr<toq::edit::Workspace> playedEvent(const fs::path& dir) {
  toq::testing::FieldShape shape;
  shape.amateurs = 99;
  shape.games = 9;
  shape.draws = true;
  auto t = toq::testing::generateField(shape, 7);
  toq::testing::playRounds(*t, 9, 11, true);
  auto ws = std::make_unique<toq::edit::Workspace>();
  ws->players = t->players;
  ws->table = t->table;
  ws->table.SetTableFile(dir / "cup.tai");
  ws->playerFile = dir / "cup.ply";
  toq::services::RecordingServices quiet;
  toq::edit::writeTable(*ws, quiet);
  toq::edit::writePlayers(*ws, quiet);
  toq::edit::attachJournal(*ws, quiet, toq::journal::Who::window());
  return ws;
}

// One result changed through the door, as the desk sends it.
double resultStep(toq::edit::Workspace& ws, int i) {
  toq::services::RecordingServices quiet;
  const int round = i % 9;
  int row = (i * 37) % 99;
  while (ws.table.opponentRow(row, round) < 0) row = (row + 1) % 99;
  const int code =
      ws.table.result[row][round] == toq::data::kWin ? toq::data::kLoss : toq::data::kWin;
  const auto start = Clock::now();
  toq::edit::runCommand(
      ws, quiet, toq::edit::StepRule{nullptr, toq::edit::steps::result},
      [&] { return toq::edit::enterResultCode(ws, quiet, row, round, code); },
      toq::journal::Who::desk(round, 1, "192.168.1.7"));
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double p99(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

// A result step through the door: the table's durable save and the journal's append.
void BM_ResultStep(benchmark::State& state) {
  const fs::path dir = toq::testing::makeTempDir();
  auto ws = playedEvent(dir);
  std::vector<double> times;
  int i = 0;
  for (auto _ : state) times.push_back(resultStep(*ws, i++));
  state.counters["p99_ms"] = p99(times);
  ws.reset();
  fs::remove_all(dir);
}
BENCHMARK(BM_ResultStep)->Iterations(500)->Unit(benchmark::kMillisecond);

// The table's own durable save alone, and the journal's append alone (its own transaction,
// flushed to the disk), each step one result further.
void BM_SaveOrAppend(benchmark::State& state) {
  const fs::path dir = toq::testing::makeTempDir();
  auto ws = playedEvent(dir);
  toq::services::RecordingServices quiet;
  std::vector<double> times;
  int i = 0;
  for (auto _ : state) {
    const int round = i % 9, row = (i * 37) % 99;
    ws->table.result[row][round] = static_cast<std::int16_t>(1 + i++ % 3);
    const auto start = Clock::now();
    if (state.range(0) == 0) {
      toq::data::WriteTableFile(ws->table, {}, quiet);
    } else {
      toq::journal::Entry e;
      e.label = "step";
      e.rows = {row};
      e.rounds = {round};
      e.state = toq::edit::stateOf(ws->table, ws->players);
      std::string why;
      ws->journal.journal->append(e, why);
    }
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  state.counters["p99_ms"] = p99(times);
  ws.reset();
  fs::remove_all(dir);
}
BENCHMARK(BM_SaveOrAppend)->Arg(0)->Arg(1)->Iterations(500)->Unit(benchmark::kMillisecond);

// Opening the table with a journal of 2,000 steps and building its undo history again.
void BM_OpenWith2000Steps(benchmark::State& state) {
  const fs::path dir = toq::testing::makeTempDir();
  {
    auto ws = playedEvent(dir);
    for (int i = 0; i < kSteps; ++i) resultStep(*ws, i);
  }
  const fs::path journal = toq::journal::Journal::beside(dir / "cup.tai");
  for (auto _ : state) {
    auto ws = std::make_unique<toq::edit::Workspace>();
    toq::services::RecordingServices quiet;
    toq::edit::openTable(*ws, quiet, dir / "cup.tai");
    toq::edit::attachJournal(*ws, quiet, toq::journal::Who::window());
    benchmark::DoNotOptimize(ws->history.undoCount());
  }
  state.counters["journal_MB"] = static_cast<double>(fs::file_size(journal)) / 1e6;
  fs::remove_all(dir);
}
BENCHMARK(BM_OpenWith2000Steps)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
