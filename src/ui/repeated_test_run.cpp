// "テスト：繰り返し組み合わせ(&T)": the repeated pairing test in the window. The window stays
// responsive between the runs, shows the progress in its title, and may be closed meanwhile:
// the test then stops after its current run, writing nothing more.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include "pairing/repeat_test.h"
#include "services/program_directory.h"
#include "ui/actions.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/repeated_test_run.h"

namespace toq::ui {

namespace {

// The window's services, telling the test to stop once the window was closed.
class StoppableServices : public services::Services {
 public:
  StoppableServices(services::Services& ui, const bool& stop) : ui_(ui), stop_(stop) {}

  void errorBox(std::string_view t, std::string_view c) override { ui_.errorBox(t, c); }
  void warningBox(std::string_view t, std::string_view c) override { ui_.warningBox(t, c); }
  void informationBox(std::string_view t, std::string_view c) override { ui_.informationBox(t, c); }
  void statusMessage(std::string_view t) override { ui_.statusMessage(t); }
  bool askYesNo(std::string_view t, std::string_view c) override { return ui_.askYesNo(t, c); }
  void questionSound() override { ui_.questionSound(); }
  void defaultSound() override { ui_.defaultSound(); }
  int openWithViewer(const std::filesystem::path& f) override { return ui_.openWithViewer(f); }
  void setWindowTitle(std::string_view title) override { ui_.setWindowTitle(title); }
  void processEvents() override { ui_.processEvents(); }
  bool stopRequested() const override { return stop_; }

 private:
  services::Services& ui_;
  const bool& stop_;
};

}  // namespace

RepeatedTestRun::RepeatedTestRun(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                                 QObject* parent)
    : QObject(parent), window_(window), ws_(ws), ui_(ui) {
  // Closing the window during the test stops it after its current run.
  connect(&window, &MainWindow::closeRequested, this, [this] { stop_ = running_; });
}

void RepeatedTestRun::setBusy(bool busy) {
  window_.menuBar()->setEnabled(!busy);
  window_.actions()->toolBar()->setEnabled(!busy);
  window_.view()->setEnabled(!busy);
  for (QAction* a : window_.actions()->accelerators()) a->setEnabled(!busy);
}

edit::Outcome RepeatedTestRun::run() {
  if (running_) return edit::stopped(edit::Stop::NothingToDo);
  const std::filesystem::path folder =
      logFolder_.empty() ? services::logFolder(services::programDirectory(nullptr)) : logFolder_;
  StoppableServices ui(ui_, stop_);
  pairing::PairingContext ctx = ws_.context(ui);
  running_ = true;
  stop_ = false;
  setBusy(true);
  const int result =
      pairing::runRepeatedTest(ctx, folder, [this] { window_.view()->refreshTable(); });
  running_ = false;
  setBusy(false);
  edit::Outcome o;
  o.code = result == 0 ? 0 : -1;
  return o;
}

}  // namespace toq::ui
