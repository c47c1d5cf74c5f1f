// One result key in the window on the largest table (99 participants, 32 rounds): the key
// event on the list's current cell, the files checked for another program's change, the result
// entered, the undo step, the table written durably, the list refilled and the current cell
// moved on. Argument 1 writes the table file (a durable write: the data flushed to the disk);
// 0 runs the same cycle with no file named, for the figure without the write.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>

#include "support/recording_services.h"
#include "support/simulate.h"
#include "ui/app_settings.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace {

std::unique_ptr<toq::edit::Workspace> fullTable() {
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
  auto ws = std::make_unique<toq::edit::Workspace>();
  ws->players = t->players;
  ws->table = t->table;
  return ws;
}

int firstGameRow(const toq::data::Table& t) {
  for (int row = 0; row < t.participantCount; ++row)
    if (t.opponentRow(row, 31) >= 0) return row;
  return 0;
}

void BM_ResultKeyInTheWindow(benchmark::State& state) {
  const bool write = state.range(0) != 0;
  QTemporaryDir dir;
  auto ws = fullTable();
  if (write) ws->table.SetTableFile(std::filesystem::path(dir.filePath("bench.tai").toStdString()));
  toq::services::RecordingServices ui;
  toq::ui::AppSettings settings(dir.filePath("TOQ.ini"));
  toq::ui::MainWindow window(*ws, ui, settings);
  toq::ui::Commands commands(window, *ws, ui, settings);
  toq::ui::MainView& view = *window.view();
  window.resize(1280, 900);
  view.firstUpdate(settings, {});
  QTableView* list = view.list();
  const int row = firstGameRow(ws->table);
  std::int64_t i = 0;
  for (auto _ : state) {
    view.setCurrentCell(toq::view::firstLineOfRow(row), toq::view::columnOfRound(31));
    // Win and loss in turn, so that every key changes the table.
    const bool loss = i++ % 2 != 0;
    QKeyEvent key(QEvent::KeyPress, loss ? Qt::Key_L : Qt::Key_W, Qt::NoModifier,
                  loss ? QStringLiteral("l") : QStringLiteral("w"));
    QApplication::sendEvent(list, &key);
    ui.clear();
  }
  if (ws->table.result[row][31] == 0) state.SkipWithError("no result was entered");
  state.counters["undoSteps"] = static_cast<double>(ws->history.undoCount());
  state.SetLabel(write ? "durable write" : "no write");
}
BENCHMARK(BM_ResultKeyInTheWindow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
