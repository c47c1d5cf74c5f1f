#pragma once
// "テスト：繰り返し組み合わせ(&T)": the repeated pairing test in the window, with its own state:
// whether it runs, whether the closing window asked it to stop, and where its log goes.

#include <QObject>
#include <filesystem>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::ui {

class MainWindow;

class RepeatedTestRun : public QObject {
  Q_OBJECT

 public:
  RepeatedTestRun(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                  QObject* parent = nullptr);

  /// Runs the test (the window greyed but its frame, its progress in the title).
  edit::Outcome run();
  /// True while it runs.
  bool running() const { return running_; }
  /// Where the log goes (the tests point it at a scratch folder); empty: the program's own.
  void setLogFolder(const std::filesystem::path& folder) { logFolder_ = folder; }

 private:
  void setBusy(bool busy);

  MainWindow& window_;
  edit::Workspace& ws_;
  services::Services& ui_;
  std::filesystem::path logFolder_;
  bool running_ = false;
  bool stop_ = false;  ///< the window is closing: the test stops after its run
};

}  // namespace toq::ui
