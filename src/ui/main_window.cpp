#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "edit/unsaved.h"
#include "ui/actions.h"
#include "ui/elided_label.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/plain_text_rule.h"
#include "ui/qt_text.h"
#include "ui/window_placement.h"
#include "view/result_keys.h"

namespace toq::ui {

namespace {

constexpr const char* kUntitled = "無題";

}  // namespace

MainWindow::MainWindow(edit::Workspace& ws, services::Services& ui, AppSettings& settings,
                       QWidget* parent)
    : QMainWindow(parent), ws_(ws), ui_(ui), settings_(settings) {
  installPlainTextRule();
  setWindowIcon(QIcon(QStringLiteral(":/toq.png")));
  actions_ = new Actions(this);
  actions_->buildMenus(this);
  view_ = new MainView(ws, ui, this);
  setCentralWidget(view_);

  // The message pane, then the keyboard state indicators of the status bar. The pane takes
  // what room the indicators leave and shortens a long message at a character, with the whole
  // message as its tooltip.
  auto* message = new ElidedLabel(QStringLiteral("レディ"), statusBar(), 100);
  message->setObjectName(QString::fromUtf8(kStatusPaneName));
  statusBar()->addWidget(message, 1);
  resultKeysHint_ = new ElidedLabel(QString::fromUtf8(view::kResultKeysHint), statusBar());
  resultKeysHint_->setObjectName(QStringLiteral("resultKeysHint"));
  resultKeysHint_->hide();
  statusBar()->addPermanentWidget(resultKeysHint_);
  connect(view_, &MainView::roundCellCurrent, resultKeysHint_, &QWidget::setVisible);
  unsaved_ = new QLabel(QString::fromUtf8(kNotSaved), statusBar());
  unsaved_->setStyleSheet(QStringLiteral("color: #c00000;"));
  unsaved_->hide();
  statusBar()->addPermanentWidget(unsaved_);
  for (const char* indicator : {"かな", "CAP", "NUM", "SCRL"}) {
    auto* label = new QLabel(QString::fromUtf8(indicator), statusBar());
    label->setEnabled(false);
    statusBar()->addPermanentWidget(label);
  }

  QAction* toolBarAction = actions_->action(view::Command::ToolBar);
  QAction* statusBarAction = actions_->action(view::Command::StatusBar);
  toolBarAction->setChecked(true);
  statusBarAction->setChecked(true);
  connect(actions_->toolBar(), &QToolBar::visibilityChanged, toolBarAction, &QAction::setChecked);

  connect(view_, &MainView::selectionChanged, this, &MainWindow::updateCommandStates);
  connect(view_, &MainView::modeChanged, this, &MainWindow::updateCommandStates);
  // Entries are evaluated again when a menu opens, in case the table changed meanwhile.
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
  rebuildRecentMenu();
  updateCommandStates();
}

void MainWindow::setDocumentPath(const QString& path) {
  documentPath_ = path;
  restoreTitle();
  if (!path.isEmpty()) addRecentFile(path);
}

void MainWindow::addRecentFile(const QString& path) {
  settings_.setRecentFiles(withRecentFile(settings_.recentFiles(), path));
  rebuildRecentMenu();
}

void MainWindow::restoreTitle() {
  const QString name =
      documentPath_.isEmpty() ? QString::fromUtf8(kUntitled) : QFileInfo(documentPath_).fileName();
  setWindowTitle(name + QStringLiteral(" - TOQ"));
}

void MainWindow::rebuildRecentMenu() {
  QMenu* menu = actions_->recentMenu();
  for (QAction* a : recentActions_) {
    menu->removeAction(a);
    a->deleteLater();
  }
  recentActions_.clear();
  const QStringList files = settings_.recentFiles();
  int n = 1;
  for (const QString& path : files) {
    auto* a = new QAction(QString("&%1 %2").arg(n++).arg(QDir::toNativeSeparators(path)), menu);
    connect(a, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
    menu->insertAction(actions_->recentSeparator(), a);
    recentActions_ << a;
  }
  if (files.isEmpty()) {
    auto* none = new QAction(QStringLiteral("最近使ったファイル"), menu);
    none->setEnabled(false);
    menu->insertAction(actions_->recentSeparator(), none);
    recentActions_ << none;
  }
}

view::ViewState MainWindow::viewState() const {
  view::ViewState state;
  state.tableMode = view_->tableMode();
  state.selectedLines = view_->selectedLineCount();
  state.canUndo = ws_.history.canUndo();
  state.canRedo = ws_.history.canRedo();
  return state;
}

void MainWindow::updateCommandStates() {
  actions_->updateEnabled(viewState(), ws_.table);
  QAction* undo = actions_->action(view::Command::Undo);
  undo->setText(QString::fromStdString(edit::undoText(ws_.history, true)));
  undo->setToolTip(plainToolTip(QString::fromStdString(edit::undoText(ws_.history))));
  QAction* redo = actions_->action(view::Command::Redo);
  redo->setText(QString::fromStdString(edit::redoText(ws_.history, true)));
  redo->setToolTip(plainToolTip(QString::fromStdString(edit::redoText(ws_.history))));
  actions_->action(view::Command::StatusBar)->setChecked(!statusBar()->isHidden());
  actions_->action(view::Command::ToolBar)->setChecked(!actions_->toolBar()->isHidden());
}

void MainWindow::showChanges(const edit::Changes& changes, Told told) {
  const bool changed = changes.any() || changes.document;
  if (changes.document) {
    view_->fill();
  } else {
    // The names show in both lists.
    if (changes.table || changes.players) view_->refreshTable();
    if (changes.players) view_->refreshPlayers();
  }
  if (changed) view_->enableControlsForMode();
  updateCommandStates();
  showUnsaved(edit::hasUnsavedChanges(ws_));
  if (!changed) return;
  emit changesShown();
  if (told == Told::ByWindow) emit eventChanged();
}

void MainWindow::showUnsaved(bool unsaved) {
  unsaved_->setVisible(unsaved);
}

bool MainWindow::unsavedShown() const {
  return !unsaved_->isHidden();
}

void MainWindow::showServing(const QString& publicUrl) {
  if (publicUrl.isEmpty()) {
    // Gone at once, so that the status bar never shows a stale address.
    delete serving_;
    serving_ = nullptr;
    return;
  }
  if (!serving_) {
    // The status message has room first: the address takes a quarter and shortens.
    serving_ = new ElidedLabel(QString(), statusBar(), 25);
    serving_->setObjectName(QStringLiteral("servingLabel"));
    statusBar()->insertPermanentWidget(0, serving_);
  }
  serving_->setText(QStringLiteral("会場公開中: %1").arg(publicUrl));
}

void MainWindow::restorePlacement() {
  QList<QRect> screens;
  for (QScreen* s : QGuiApplication::screens()) screens << s->geometry();
  const QByteArray bars = settings_.barState();
  if (!bars.isEmpty()) restoreState(bars);
  statusBar()->setVisible(settings_.statusBarVisible());
  applyPlacement(*this, ui::restorePlacement(settings_.placement(), screens));
  updateCommandStates();
}

void MainWindow::savePlacement() {
  settings_.setPlacement(ui::savePlacement(placementOf(*this)));
  settings_.setBarState(saveState(), !statusBar()->isHidden());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The application decides (it may be busy, or the organiser may keep it open); when it
  // ended the program, the window closes.
  if (!closing_) emit closeRequested();
  if (!closing_) {
    event->ignore();
    return;
  }
  emit closing();
  QMainWindow::closeEvent(event);
}

}  // namespace toq::ui
