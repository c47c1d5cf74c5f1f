#include "ui/application.h"

#include "edit/event_journal.h"
#include "edit/file_freshness.h"
#include "edit/unsaved.h"
#include "text/format.h"
#include "ui/actions.h"
#include "ui/commands.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/qt_text.h"
#include "ui/venue_closing.h"

namespace toq::ui {

namespace {

constexpr const char* kSecondCopy = "２重起動です。";
constexpr const char* kPlayerFileUnread = "対局者ファイル(%s)を読み込めませんでした。";

}  // namespace

Application::Application(Places places)
    : ws_(std::make_unique<edit::Workspace>()),
      settings_(places.settingsFile.isEmpty() ? std::make_unique<AppSettings>()
                                              : std::make_unique<AppSettings>(places.settingsFile)),
      slots_(places.instanceFolder.isEmpty() ? InstanceSlots::defaultFolder()
                                             : places.instanceFolder) {
  if (places.ui) {
    ui_ = places.ui;
  } else {
    qtServices_ = std::make_unique<QtServices>();
    ui_ = qtServices_.get();
  }
}

Application::Application() : Application(Places()) {}

Application::~Application() = default;

void Application::start(const QString& file, bool show) {
  // 1. The instance slot; a further copy is warned and runs on.
  slot_ = slots_.take();
  if (InstanceSlots::secondCopy(slot_)) ui_->warningBox(kSecondCopy, services::kAppCaption);

  // 5 to 8. The remembered player file, table file and list font.
  loadRememberedFiles();

  // 9. The window and the main view, the file given on the command line, the first update.
  window_ = std::make_unique<MainWindow>(*ws_, *ui_, *settings_);
  if (qtServices_) {
    qtServices_->setMainWindow(window_.get());
    qtServices_->setTitleRestorer([this] { window_->restoreTitle(); });
  }
  commands_ = new Commands(*window_, *ws_, *ui_, *settings_, this);
  connect(window_.get(), &MainWindow::closeRequested, this, &Application::exit);
  connect(commands_, &Commands::exitRequested, this, &Application::exit);
  // Connected after the commands, so that each runs first.
  connect(window_->actions(), &Actions::triggered, this, &Application::afterCommand);
  connect(window_->view(), &MainView::pairRequested, this,
          [this] { afterCommand(view::Command::Pair); });
  connect(window_->view(), &MainView::contextMenuRequested, this,
          [this] { afterCommand(view::Command::EditRowPlayer); });
  window_->setDocumentPath({});
  window_->view()->firstUpdate(*settings_, listFont_);
  if (!file.isEmpty()) commands_->openFile(file);

  // 10. The options.
  ws_->options.allowSixPieceHandicaps =
      settings_->allowSixPieceHandicaps(ws_->options.allowSixPieceHandicaps ? 1 : 0) != 0;
  ws_->options.play2 = settings_->play2(ws_->options.play2 ? 1 : 0) != 0;
  ws_->options.womanProfessionalTwice = false;

  // 11. Show, fill again in the current mode, the document's path name.
  window_->restorePlacement();
  if (show) window_->show();
  MainView* view = window_->view();
  view->fill();
  view->enableControlsForMode();
  if (file.isEmpty() && !ws_->table.filePath.empty())
    window_->setDocumentPath(fromPath(ws_->table.filePath));
  window_->updateCommandStates();
  window_->showUnsaved(edit::hasUnsavedChanges(*ws_));
  if (show) commands_->offerBackupWhenNotWhole();
}

void Application::loadRememberedFiles() {
  // The readers remember what the files held: a damaged file is never written over unless
  // the user changes what was read from it.
  const QString entry = settings_->playerFile();
  ws_->playerFile = toPath(entry);
  // A file that did not read whole is said by the question that offers its backup.
  if (!entry.isEmpty() && edit::loadPlayers(*ws_, ws_->playerFile) != 0 &&
      ws_->playersNotWhole.empty())
    ui_->errorBox(text::format(kPlayerFileUnread, toUtf8(entry).c_str()), services::kErrorCaption);
  const QString tableFile = settings_->tableFile();
  listFont_ = settings_->listFont(listFont_);
  if (!tableFile.isEmpty()) {
    ws_->table.SetTableFile(toPath(tableFile));
    // The undo steps of before the program last ended come back from the event's journal.
    if (edit::readTable(*ws_, *ui_) == 0) edit::attachJournal(*ws_, *ui_, journal::Who::window());
  }
}

void Application::afterCommand(view::Command command) {
  if (finished_ || command == view::Command::Exit) return;
  commands_->offerBackupWhenNotWhole();
  if (!edit::needsEventFile(*ws_)) {
    askedForEventFile_ = false;
  } else if (!askedForEventFile_) {
    askedForEventFile_ = true;
    if (nameEventFile(*window_, *ws_, *ui_, *settings_)) askedForEventFile_ = false;
  }
  window_->showUnsaved(edit::hasUnsavedChanges(*ws_));
}

void Application::exit() {
  if (finished_ || !window_) return;
  if (!mayCloseWhileServing(*ui_, window_->serving())) return;
  if (!settleBeforeExit(*window_, *ws_, *ui_, *settings_)) return;
  finished_ = true;
  window_->view()->saveViewState(*settings_);
  window_->savePlacement();
  settings_->setTableFile(fromPath(ws_->table.filePath));
  settings_->setPlayerFile(fromPath(ws_->playerFile));
  settings_->setAllowSixPieceHandicaps(ws_->options.allowSixPieceHandicaps ? 1 : 0);
  settings_->sync();

  window_->closing_ = true;
  window_->close();
  emit exited();
}

}  // namespace toq::ui
