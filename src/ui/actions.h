#pragma once
// Every command of the command table as a QAction with its text, shortcut, icon and check mark,
// and the menus, the toolbar and the accelerators built from the table's layout. What a
// command does lives in Commands; whether it is enabled is asked of the view layer.

#include <QList>
#include <QObject>
#include <map>

#include "data/table.h"
#include "view/commands.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace toq::ui {

class Actions : public QObject {
  Q_OBJECT

 public:
  /// Creates the actions; the accelerators without a menu entry go to the window at once.
  explicit Actions(QMainWindow* window);

  /// The action of a command; null for commands that have no menu entry, button or shortcut.
  QAction* action(view::Command command) const;
  /// Builds the menu bar and the toolbar "メイン" into the window.
  void buildMenus(QMainWindow* window);
  /// Greys out the entries whose rule does not hold for this state and table.
  void updateEnabled(const view::ViewState& state, const data::Table& table);

  /// The menu that holds the recent-file list, and the separator that closes the list (the
  /// list's entries are inserted before it).
  QMenu* recentMenu() const { return recentMenu_; }
  QAction* recentSeparator() const { return recentSeparator_; }
  QToolBar* toolBar() const { return toolBar_; }
  /// The window's accelerators that have no menu entry or button (Ctrl+N, Ctrl+O, Ctrl+S).
  const QList<QAction*>& accelerators() const { return accelerators_; }
  QAction* newDocument() const { return action(view::Command::NewDocument); }
  QAction* openDocument() const { return action(view::Command::OpenDocument); }
  QAction* saveDocument() const { return action(view::Command::SaveDocument); }

 signals:
  /// A menu entry, toolbar button or accelerator chose a command.
  void triggered(view::Command command);

 private:
  std::map<view::Command, QAction*> actions_;
  QList<QAction*> accelerators_;
  QMenu* recentMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QToolBar* toolBar_ = nullptr;
};

}  // namespace toq::ui
