#include "ui/application.h"

#include "data/player_file.h"
#include "data/table_file.h"
#include "text/format.h"
#include "text/paths.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr const char* kSecondCopy = "２重起動です。";
constexpr const char* kPlayerFileUnread = "対局者ファイル(%s)を読み込めませんでした。";
constexpr const char* kPlayerFileUnsaved = "対局者ファイル(%s)を保存できませんでした。";

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
}

void Application::loadRememberedFiles() {
  const QString entry = settings_->playerFile();
  ws_->playerFile = toPath(entry);
  if (!entry.isEmpty()) {
    if (data::LoadPlayerFile(ws_->players, ws_->playerFile) != 0) {
      unreadRegister_ = ws_->players.all();
      ui_->errorBox(text::format(kPlayerFileUnread, toUtf8(entry).c_str()),
                    services::kErrorCaption);
    }
  }
  const QString tableFile = settings_->tableFile();
  listFont_ = settings_->listFont(listFont_);
  if (!tableFile.isEmpty()) {
    ws_->table.SetTableFile(toPath(tableFile));
    data::ReadTableFile(ws_->table, {}, *ui_);
  }
}

void Application::exit() {
  if (finished_ || !window_) return;
  finished_ = true;
  window_->view()->saveViewState(*settings_);
  window_->savePlacement();
  settings_->setTableFile(fromPath(ws_->table.filePath));
  settings_->setPlayerFile(fromPath(ws_->playerFile));
  settings_->setAllowSixPieceHandicaps(ws_->options.allowSixPieceHandicaps ? 1 : 0);
  settings_->sync();

  const bool untouched = unreadRegister_ && *unreadRegister_ == ws_->players.all();
  if (!ws_->playerFile.empty() && !untouched &&
      data::WritePlayerFile(ws_->players, ws_->playerFile) != 0)
    ui_->errorBox(text::format(kPlayerFileUnsaved, text::pathToUtf8(ws_->playerFile).c_str()),
                  services::kErrorCaption);

  window_->closing_ = true;
  window_->close();
  emit exited();
}

}  // namespace toq::ui
