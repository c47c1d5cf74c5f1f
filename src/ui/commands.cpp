#include "ui/commands.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>
#include <QToolBar>

#include "edit/bye_proposal.h"
#include "edit/event_journal.h"
#include "edit/file_commands.h"
#include "edit/history.h"
#include "edit/pair_command.h"
#include "edit/participants.h"
#include "edit/rating_order.h"
#include "services/program_directory.h"
#include "ui/actions.h"
#include "ui/desktop_opener.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/bye_dialog.h"
#include "ui/dialogs/history_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/repeated_test_run.h"
#include "ui/venue_link.h"

namespace toq::ui {

using view::Command;

Commands::Commands(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                   AppSettings& settings, QObject* parent)
    : QObject(parent),
      window_(window),
      view_(*window.view()),
      ws_(ws),
      boxes_(ui),
      ui_(boxes_),
      settings_(settings) {
  Actions* actions = window.actions();
  connect(actions, &Actions::triggered, this, &Commands::run);
  connect(&window, &MainWindow::recentFileChosen, this, &Commands::openFile);
  connect(&view_, &MainView::pairRequested, this, [this] { run(Command::Pair); });
  connect(&view_, &MainView::lockToggled, this, [this] { run(Command::Lock); });
  connect(&view_, &MainView::resultKeyPressed, this, &Commands::resultKey);
  connect(&view_, &MainView::contextMenuRequested, this, &Commands::showContextMenu);
  connect(&view_, &MainView::modeChanged, this, [this](bool tableMode) {
    window_.setDocumentPath(tableMode ? fromPath(ws_.table.filePath) : fromPath(ws_.playerFile));
  });
  actions->action(Command::PrintFormat2)->setChecked(printFormat2_);
  venue_ = new VenueLink(window, ws, ui, this);
  repeatedTest_ = new RepeatedTestRun(window, ws, ui_, this);
}

edit::Outcome Commands::repeatedTest() {
  return repeatedTest_->run();
}

void Commands::setLogFolder(const std::filesystem::path& folder) {
  repeatedTest_->setLogFolder(folder);
}

void Commands::venue() {
  venue_->show();
}

void Commands::afterTableChange() {
  edit::Changes changes;
  changes.table = true;
  window_.showChanges(changes);
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
  if (!mayReplaceDocument()) return false;
  edit::OpenedDocument opened;
  pass(
      edit::StepRule::newDocument(),
      [&] {
        opened = edit::openDocument(ws_, ui_, toPath(path));
        edit::Outcome o;
        o.code = opened.code;
        return o;
      },
      [&] {
        view_.setTableMode(opened.kind == edit::DocumentKind::Table);
        window_.setDocumentPath(path);
      });
  // At start-up the window is not shown yet: the question comes once it is.
  if (window_.isVisible()) offerBackupWhenNotWhole();
  return opened.done();
}

void Commands::saveDocument() {
  edit::saveDocument(ws_, ui_);
}

void Commands::togglePrintFormat2() {
  printFormat2_ = !printFormat2_;
  window_.actions()->action(Command::PrintFormat2)->setChecked(printFormat2_);
}

void Commands::exitProgram() {
  emit exitRequested();
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
  // Beside the executable, or where the package puts it.
  const QString file = fromPath(services::manualPath(services::programDirectory(nullptr)));
  const QString shown = QDir::toNativeSeparators(file);
  if (!QFileInfo::exists(file)) {
    ui_.errorBox(toUtf8(QStringLiteral("使い方(%1)が見つかりません。").arg(shown)),
                 services::kErrorCaption);
    return;
  }
  openWithDesktop(this, file, [this, shown] {
    ui_.errorBox(
        toUtf8(
            QStringLiteral("使い方(%1)を開けませんでした。ブラウザで開いてください。").arg(shown)),
        services::kErrorCaption);
  });
}

void Commands::about() {
  AboutDialog(&window_).exec();
}

Prepared Commands::pair() {
  view_.readOptions();
  // Before round 1, rows not in rating order (the reception's order of arrival) may be put in
  // order first, in the same change as the pairing.
  bool sortFirst = false;
  if (const std::optional<std::string> offer = edit::sortBeforePairingQuestion(ws_)) {
    const auto answer = ui_.askYesNoCancel(*offer);
    if (answer == services::Services::Answer::Cancel) return Prepared::stop(edit::Stop::Declined);
    sortFirst = answer == services::Services::Answer::Yes;
  }
  auto sort = [this, sortFirst] {
    if (sortFirst) edit::sortByRating(ws_, ui_);
  };
  // An odd round asks for its bye first, then the bye and the pairing are one change; an even
  // one asks whether to pair (after the checks that may refuse it).
  if (const std::optional<edit::ByeNeed> need = edit::byeNeeded(ws_, ui_)) {
    const std::optional<int> row = ByeChoiceDialog::ask(*need, ws_, ui_, &window_);
    if (!row) return Prepared::stop(edit::Stop::Declined);
    // The bye is the player chosen, wherever the sort puts their row.
    const int number = ws_.table.participants[*row];
    return Prepared::to([this, need = *need, number, sort] {
      sort();
      const edit::Outcome bye = edit::setRoundBye(ws_, ui_, need, edit::rowOfPlayer(ws_, number));
      if (!bye.changed) return bye;
      return edit::pairAskedRound(
          ws_, ui_, [this] { view_.refreshTable(); }, need.round);
    });
  }
  const std::optional<int> round = edit::askToPair(ws_, ui_);
  if (!round) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, round = *round, sort] {
    sort();
    return edit::pairAskedRound(
        ws_, ui_, [this] { view_.refreshTable(); }, round);
  });
}

edit::Outcome Commands::setLock() {
  const edit::Outcome o = edit::setLockFlag(ws_, ui_, view_.lockBox()->isChecked());
  view_.lockBox()->setChecked(ws_.table.lockFlag != 0);
  return o;
}

Prepared Commands::history() {
  const std::optional<std::int64_t> step = HistoryDialog::choose(ws_, &window_);
  if (!step) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, n = *step] { return edit::restoreStep(ws_, ui_, n); });
}

edit::Outcome Commands::undo() {
  return edit::undo(ws_, ui_);
}

edit::Outcome Commands::redo() {
  return edit::redo(ws_, ui_);
}

}  // namespace toq::ui
