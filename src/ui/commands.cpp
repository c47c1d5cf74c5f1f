#include "ui/commands.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/pair_command.h"
#include "edit/participants.h"
#include "services/program_directory.h"
#include "text/format.h"
#include "text/paths.h"
#include "ui/actions.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

using view::Command;

Commands::Commands(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                   AppSettings& settings, QObject* parent)
    : QObject(parent),
      window_(window),
      view_(*window.view()),
      ws_(ws),
      ui_(ui),
      settings_(settings) {
  Actions* actions = window.actions();
  connect(actions, &Actions::triggered, this, &Commands::run);
  connect(actions->newDocument(), &QAction::triggered, this, &Commands::newDocument);
  connect(actions->openDocument(), &QAction::triggered, this, &Commands::openDocument);
  connect(actions->saveDocument(), &QAction::triggered, this, &Commands::saveDocument);
  connect(&window, &MainWindow::recentFileChosen, this, &Commands::openFile);
  connect(&view_, &MainView::pairRequested, this, &Commands::pair);
  connect(&view_, &MainView::lockToggled, this, &Commands::setLock);
  connect(&view_, &MainView::contextMenuRequested, this, &Commands::showContextMenu);
  // Closing the window during the repeated test stops the test after its current run.
  connect(&window, &MainWindow::closeRequested, this, [this] { stopTest_ = testRunning_; });
  connect(&view_, &MainView::modeChanged, this, [this](bool tableMode) {
    window_.setDocumentPath(tableMode ? fromPath(ws_.table.filePath) : fromPath(ws_.playerFile));
  });
  actions->action(Command::PrintFormat2)->setChecked(printFormat2_);
}

void Commands::run(Command command) {
  switch (command) {
    case Command::OpenTable:
      return openTable();
    case Command::ImportNameList:
      return importNameList();
    case Command::SaveTableAs:
      return saveTableAs();
    case Command::SaveCsv:
      return saveCsv();
    case Command::SaveWebPage:
      return saveWebPage();
    case Command::SavePdf:
      return savePdf();
    case Command::PrintFormat2:
      return togglePrintFormat2();
    case Command::Print:
      return print();
    case Command::PrintPreview:
      return printPreview();
    case Command::PrintSetup:
      return printSetup();
    case Command::Exit:
      emit exitRequested();
      return;
    case Command::Settings:
      return settingsSheet();
    case Command::ShowRoundList:
    case Command::ShowResults:
    case Command::ShowStandings:
    case Command::ShowRatingData:
      return showReport(command);
    case Command::ToolBar:
      return toggleToolBar();
    case Command::StatusBar:
      return toggleStatusBar();
    case Command::TableFont:
      return tableFont();
    case Command::AddParticipant:
      return addParticipant();
    case Command::RemoveParticipant:
      return removeParticipant();
    case Command::CancelLatestRound:
      return cancelLatestRound();
    case Command::CancelAllPairings:
      return cancelAllPairings();
    case Command::ChangeNumberOfGames:
      return changeNumberOfGames();
    case Command::ExchangeByes:
      return exchangeByes();
    case Command::SetOpponent:
      return setOpponent();
    case Command::SetBye:
      return setBye();
    case Command::CancelPairing:
      return cancelPairing();
    case Command::EnterResult:
      return enterResult();
    case Command::RandomResults:
      return randomResults();
    case Command::RepeatedTest:
      return repeatedTest();
    case Command::RegisterPlayer:
      return registerPlayer();
    case Command::EditPlayer:
      return editPlayer();
    case Command::DeletePlayers:
      return deletePlayers();
    case Command::Manual:
      return manual();
    case Command::About:
      return about();
    case Command::EditRowPlayer:
      return editRowPlayer();
    case Command::HandicapAndResult:
      return handicapAndResult();
    case Command::Handicap:
      return handicap();
    case Command::Pair:
      return pair();
    // Entries that have no action in this program.
    case Command::MakeRatingData:
    case Command::PrintSettings:
    case Command::ShowLotteryConditions:
    case Command::AnalyseLottery:
    case Command::NewTable:
      return;
  }
}

void Commands::afterTableChange() {
  view_.refreshTable();
  view_.updatePairingButton();
  window_.updateCommandStates();
}

void Commands::newDocument() {
  window_.setDocumentPath({});
  view_.fill();
  view_.enableControlsForMode();
}

void Commands::openDocument() {
  const QString path = QFileDialog::getOpenFileName(
      &window_, QStringLiteral("開く"), fromPath(ws_.table.directory()),
      QStringLiteral("対戦ファイル (*.tai);;対局者ファイル (*.ply);;すべてのファイル (*.*)"));
  if (!path.isEmpty()) openFile(path);
}

bool Commands::openFile(const QString& path) {
  const std::filesystem::path file = toPath(path);
  const bool isPlayerFile = QFileInfo(path).suffix().compare("ply", Qt::CaseInsensitive) == 0;
  int code = 0;
  if (isPlayerFile) {
    code = data::LoadPlayerFile(ws_.players, file);
    if (code != 0)
      ui_.errorBox(text::format("対局者ファイル(%s)を読み込めませんでした。", toUtf8(path).c_str()),
                   services::kErrorCaption);
    ws_.playerFile = file;
    view_.setTableMode(false);
  } else {
    code = data::OpenTableFile(ws_.players, ws_.table, file, ws_.playerFile, ui_);
    view_.setTableMode(true);
  }
  window_.setDocumentPath(path);
  view_.fill();
  view_.enableControlsForMode();
  window_.updateCommandStates();
  return code == 0;
}

void Commands::saveDocument() {
  // The table is written to its own file; a table without rows is never written over it.
  if (ws_.table.filePath.empty() || ws_.table.rows() == 0) return;
  if (data::WriteTableFile(ws_.table, {}, ui_) == 0 && ws_.table.rows() > 0)
    ui_.statusMessage(
        text::format("%s を保存しました。", text::pathToUtf8(ws_.table.filePath).c_str()));
}

void Commands::togglePrintFormat2() {
  printFormat2_ = !printFormat2_;
  window_.actions()->action(Command::PrintFormat2)->setChecked(printFormat2_);
}

void Commands::settingsSheet() {
  if (runSettingsSheet(&window_, ws_.options)) settings_.setPlay2(ws_.options.play2 ? 1 : 0);
}

void Commands::toggleToolBar() {
  QToolBar* bar = window_.actions()->toolBar();
  bar->setHidden(!bar->isHidden());
  window_.updateCommandStates();
}

void Commands::toggleStatusBar() {
  window_.statusBar()->setHidden(!window_.statusBar()->isHidden());
  window_.updateCommandStates();
}

void Commands::manual() {
  // Beside the executable, or where the package puts it; a missing manual is not reported.
  const QString file = fromPath(services::manualPath(services::programDirectory(nullptr)));
  if (QFileInfo::exists(file)) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void Commands::about() {
  AboutDialog(&window_).exec();
}

void Commands::pair() {
  view_.readOptions();
  edit::pairNextRound(ws_, ui_, [this] { view_.refreshTable(); });
  afterTableChange();
}

void Commands::setLock(bool locked) {
  edit::setLockFlag(ws_, ui_, locked);
  view_.lockBox()->setChecked(ws_.table.lockFlag != 0);
  window_.updateCommandStates();
}

}  // namespace toq::ui
