#include "ui/support/running_app.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QTableView>

#include "data/table_file.h"
#include "support/builders.h"
#include "ui/actions.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/table_model.h"

namespace toq::testing {

RunningApp::RunningApp(bool sample) {
  // The file dialogs are Qt's own, so that the tests can fill them in.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  if (sample) tai = box.importSample();
  app = box.makeApp();
  app->start(tai.empty() ? QString() : ui::fromPath(tai), true);
}

RunningApp::~RunningApp() {
  if (app && !app->finished()) app->exit();
}

edit::Workspace& RunningApp::ws() {
  return app->workspace();
}

ui::MainWindow* RunningApp::window() {
  return app->window();
}

ui::MainView* RunningApp::view() {
  return app->window()->view();
}

QAction* RunningApp::action(view::Command command) {
  return window()->actions()->action(command);
}

void RunningApp::select(std::initializer_list<int> lines) {
  QTableView* list = view()->list();
  list->clearSelection();
  for (int line : lines)
    list->selectionModel()->select(list->model()->index(line, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void RunningApp::rightClick(int line, int column) {
  QTableView* list = view()->list();
  const QModelIndex index = list->model()->index(line, column);
  list->scrollTo(index);
  const QPoint at = list->visualRect(index).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(list->viewport(), &event);
}

std::unique_ptr<data::Table> RunningApp::onDisk() const {
  auto t = std::make_unique<data::Table>();
  services::RecordingServices quiet;
  if (data::ReadTableFile(*t, tai, quiet) != 0) return nullptr;
  return t;
}

std::string RunningApp::bytes(const std::filesystem::path& file) const {
  return readFile(file);
}

}  // namespace toq::testing
