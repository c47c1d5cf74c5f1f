// What a saved change costs on this machine: the table file of a full event (99 rows, 32
// rounds) written as every command writes it (backup, flushed temporary file, rename, flushed
// folder), the same steps without any flush for comparison, and the check of the files that
// runs before every change. The files go to TOQ_BENCH_DIR, or to a fresh folder under the
// system's temporary folder (which must be on a disk, not in memory, for the figures to mean
// anything).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/safe_write.h"
#include "data/table_file.h"
#include "edit/file_freshness.h"
#include "edit/unsaved.h"
#include "support/builders.h"

namespace fs = std::filesystem;

namespace {

fs::path benchFolder() {
  if (const char* dir = std::getenv("TOQ_BENCH_DIR")) {
    fs::path p = fs::path(dir) / "toq-table-write";
    fs::create_directories(p);
    return p;
  }
  return toq::testing::makeTempDir();
}

// A full event: 99 rows, 32 rounds, every entry filled so that every field has its widest form.
std::unique_ptr<toq::edit::Workspace> fullEvent(const fs::path& folder) {
  auto ws = std::make_unique<toq::edit::Workspace>();
  toq::services::RecordingServices quiet;
  ws->table.numberOfGames = toq::data::kMaxRounds;
  for (int i = 0; i < toq::data::kMaxParticipants; ++i) {
    toq::data::Player p;
    p.name = "Player " + std::to_string(i + 1);
    ws->players.AddPlayer(p);
    ws->table.AddParticipant(ws->players.at(ws->players.count()).number, quiet);
  }
  toq::data::Table& t = ws->table;
  for (int r = 0; r < t.participantCount; ++r)
    for (int k = 0; k < t.numberOfGames; ++k) {
      const int partner = (r % 2 == 0) ? r + 1 : r - 1;
      t.opponent[r][k] = static_cast<std::int16_t>(partner < t.participantCount ? partner : -2);
      t.side[r][k] = static_cast<std::int16_t>(r % 2 == 0 ? 1 : 2);
      t.handicap[r][k] = static_cast<std::int16_t>(r % 2 == 0 ? -10 : 10);
      t.result[r][k] = static_cast<std::int16_t>(r % 2 == 0 ? 3 : 1);
    }
  t.SetTableFile(folder / "full.tai");
  ws->playerFile = folder / "full.ply";
  return ws;
}

// As every command saves: through the edit layer's one write path.
void BM_TableWriteDurable(benchmark::State& state) {
  const fs::path folder = benchFolder();
  auto ws = fullEvent(folder);
  toq::services::RecordingServices quiet;
  for (auto _ : state) {
    quiet.clear();
    if (toq::edit::writeTable(*ws, quiet) != 0) state.SkipWithError("the table was not written");
  }
  state.SetLabel(std::to_string(fs::file_size(ws->table.filePath)) + " bytes");
  fs::remove_all(folder);
}
BENCHMARK(BM_TableWriteDurable)->Unit(benchmark::kMillisecond)->UseRealTime();

// A first save, with no previous file to keep: the share of the backup copy in the above.
void BM_TableWriteDurableNoBackup(benchmark::State& state) {
  const fs::path folder = benchFolder();
  auto ws = fullEvent(folder);
  toq::services::RecordingServices quiet;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(ws->table.filePath);
    quiet.clear();
    state.ResumeTiming();
    if (toq::edit::writeTable(*ws, quiet) != 0) state.SkipWithError("the table was not written");
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_TableWriteDurableNoBackup)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes and the same steps (backup, temporary file, rename) without a single flush:
// what the save would cost if the operating system were trusted to write it some time later.
void BM_TableWriteUnflushed(benchmark::State& state) {
  const fs::path folder = benchFolder();
  auto ws = fullEvent(folder);
  toq::services::RecordingServices quiet;
  if (toq::edit::writeTable(*ws, quiet) != 0) state.SkipWithError("the table was not written");
  const fs::path target = ws->table.filePath;
  std::string content;
  {
    std::ifstream in(target, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), {});
  }
  const fs::path temp = fs::path(target) += ".toq-tmp";
  for (auto _ : state) {
    std::ifstream in(target, std::ios::binary);
    std::string previous((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(toq::data::backupPath(target) += ".toq-tmp", std::ios::binary) << previous;
    fs::rename(toq::data::backupPath(target) += ".toq-tmp", toq::data::backupPath(target));
    std::ofstream(temp, std::ios::binary) << content;
    fs::rename(temp, target);
  }
  state.SetLabel(std::to_string(content.size()) + " bytes");
  fs::remove_all(folder);
}
BENCHMARK(BM_TableWriteUnflushed)->Unit(benchmark::kMillisecond)->UseRealTime();

// The check before every change, on files that no other program touched.
void BM_FreshnessCheckUnchanged(benchmark::State& state) {
  const fs::path folder = benchFolder();
  auto ws = fullEvent(folder);
  toq::services::RecordingServices quiet;
  if (toq::edit::writeTable(*ws, quiet) != 0 || toq::edit::writePlayers(*ws, quiet) != 0)
    state.SkipWithError("the files were not written");
  for (auto _ : state) benchmark::DoNotOptimize(toq::edit::rereadChangedFiles(*ws, quiet));
  fs::remove_all(folder);
}
BENCHMARK(BM_FreshnessCheckUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
