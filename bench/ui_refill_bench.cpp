// The main view's full refill of the largest table: 99 participants, 32 rounds (37 columns,
// 198 lines): the grid decided by the view layer, the model reset, and one paint of the list
// into an offscreen image.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include "support/recording_services.h"
#include "support/simulate.h"
#include "ui/main_view.h"
#include "ui/table_model.h"
#include "view/grid.h"

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
  toq::testing::playRounds(*t, 31, 9, true);
  auto ws = std::make_unique<toq::edit::Workspace>();
  ws->players = t->players;
  ws->table = t->table;
  return ws;
}

void BM_GridOnly(benchmark::State& state) {
  auto ws = fullTable();
  for (auto _ : state) benchmark::DoNotOptimize(toq::view::tableGrid(ws->table, ws->players));
}
BENCHMARK(BM_GridOnly)->Unit(benchmark::kMillisecond);

void BM_FullRefillAndPaint(benchmark::State& state) {
  auto ws = fullTable();
  toq::services::RecordingServices ui;
  toq::ui::MainView view(*ws, ui);
  view.resize(1280, 900);
  view.list()->resize(1268, 850);
  QImage image(view.list()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    view.fillTable();
    QPainter painter(&image);
    view.list()->render(&painter);
  }
  state.counters["lines"] = view.model()->rowCount();
  state.counters["columns"] = view.model()->columnCount();
}
BENCHMARK(BM_FullRefillAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
