#pragma once
// Every command of the menu bar and the toolbar as a QAction, created in one place with its
// text, shortcut and check mark; the menus and the toolbar are built from them here too. What a
// command does lives in Commands; whether it is enabled is asked of the view layer.

#include <QObject>
#include <QString>
#include <map>

#include "view/commands.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace toq::ui {

class Actions : public QObject {
  Q_OBJECT

 public:
  explicit Actions(QMainWindow* window);

  /// The action of a command; null for commands that have no menu entry.
  QAction* action(view::Command command) const;
  /// Builds the menu bar and the toolbar "メイン" into the window.
  void buildMenus(QMainWindow* window);
  /// Greys out the entries whose rule does not hold for this state and table.
  void updateEnabled(const view::ViewState& state, const data::Table& table);

  QMenu* recentMenu() const { return recentMenu_; }
  QMenu* fileMenu() const { return fileMenu_; }
  QToolBar* toolBar() const { return toolBar_; }
  /// Actions that the generic file commands use (accelerators only, no menu entry).
  QAction* newDocument() const { return newDocument_; }
  QAction* openDocument() const { return openDocument_; }
  QAction* saveDocument() const { return saveDocument_; }
  /// Filled in by the recent-file list: the entries between the print entries and "終了".
  QAction* recentSeparator() const { return recentSeparator_; }

 signals:
  /// A menu entry, toolbar button or accelerator chose a command.
  void triggered(view::Command command);

 private:
  QAction* make(view::Command command, const QString& text, const QString& shortcut = {});

  std::map<view::Command, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QAction* newDocument_ = nullptr;
  QAction* openDocument_ = nullptr;
  QAction* saveDocument_ = nullptr;
  QAction* recentSeparator_ = nullptr;
};

}  // namespace toq::ui
