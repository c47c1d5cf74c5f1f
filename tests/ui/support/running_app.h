#pragma once
// The program running on a sandbox, for the tests that drive its commands: the sample event
// imported and opened, with helpers to select lines, right-click a cell and read the files.

#include <QAction>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "data/table.h"
#include "ui/application.h"
#include "ui/support/ui_fixture.h"
#include "view/commands.h"

namespace toq::ui {
class MainView;
class MainWindow;
}  // namespace toq::ui

namespace toq::testing {

struct RunningApp {
  UiSandbox box;
  std::filesystem::path tai;  ///< the table file (empty without the sample)
  std::unique_ptr<ui::Application> app;

  /// Starts the program, shown (off screen), on the imported sample event or on nothing.
  explicit RunningApp(bool sample = true);
  ~RunningApp();

  edit::Workspace& ws();
  ui::MainWindow* window();
  ui::MainView* view();
  QAction* action(view::Command command);

  /// Selects exactly these lines of the list (none for an empty list).
  void select(std::initializer_list<int> lines);
  /// Right-clicks a cell of the list as the mouse does: the view records the cell and the
  /// context menu opens (drive it with Await::popup beforehand).
  void rightClick(int line, int column);
  /// The table as its file holds it; none when it cannot be read.
  std::unique_ptr<data::Table> onDisk() const;
  /// The file's bytes.
  std::string bytes(const std::filesystem::path& file) const;
};

}  // namespace toq::testing
