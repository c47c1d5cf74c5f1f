#pragma once
// The main window: menu bar, toolbar "メイン", the main view and the status bar with its
// message pane. Its title shows the document's path name.

#include <QMainWindow>
#include <QString>

#include "edit/command_door.h"
#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"
#include "view/commands.h"

class QLabel;

namespace toq::ui {

class Actions;
class ElidedLabel;
class MainView;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(edit::Workspace& ws, services::Services& ui, AppSettings& settings,
             QWidget* parent = nullptr);

  MainView* view() const { return view_; }
  Actions* actions() const { return actions_; }

  /// The document's path name: shown in the title and put first in the recent-file list; an
  /// empty one shows the untitled name.
  void setDocumentPath(const QString& path);
  QString documentPath() const { return documentPath_; }
  /// Puts a file first in the recent-file list without making it the document.
  void addRecentFile(const QString& path);
  /// Sets the usual title again (after the repeated test showed its progress there).
  void restoreTitle();

  /// What the commands' rules read: the list's mode and the number of selected lines.
  view::ViewState viewState() const;
  /// Greys the menu entries by their rules for the current mode, selection and table, and
  /// names the change that undo and redo would take back or bring back.
  void updateCommandStates();
  /// The status bar's hint of the result keys, shown while a round cell is current; it
  /// yields its space to the messages.
  ElidedLabel* resultKeysHint() const { return resultKeysHint_; }

  /// Who tells the served pages of a change: the window (its own commands), or the server
  /// (a change that reached the table through it, already told once).
  enum class Told { ByWindow, ByServer };
  /// The window's one reaction to what a pass through the edit layer's door changed, for
  /// every change (a command, a key, undo, redo, a re-read, the network): the list refreshed
  /// (filled anew for another document), the form's controls, the menu entries, and, for the
  /// window's own changes, the served pages told (eventChanged).
  void showChanges(const edit::Changes& changes, Told told = Told::ByWindow);

  /// Shows or hides the status bar's note that changes are not saved.
  void showUnsaved(bool unsaved);
  /// True while that note is shown.
  bool unsavedShown() const;

  /// The status bar shows that the event is served at this address; empty: no longer.
  void showServing(const QString& publicUrl);
  /// Whether the event is being served to the venue's network.
  bool serving() const { return serving_ != nullptr; }

  /// Restores the stored placement on the first show.
  void restorePlacement();
  /// Writes the placement (when the window goes).
  void savePlacement();

 signals:
  /// A recent-file entry was chosen.
  void recentFileChosen(const QString& path);
  /// The user asked to close the window; the application decides.
  void closeRequested();
  /// The program ends and the window goes: what serves the event stops now.
  void closing();
  /// The window changed its event itself: the served pages are told.
  void eventChanged();
  /// The window shows a change of its event, whoever made it (a command, a phone, a file).
  void changesShown();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void rebuildRecentMenu();

  edit::Workspace& ws_;
  services::Services& ui_;
  AppSettings& settings_;
  MainView* view_ = nullptr;
  Actions* actions_ = nullptr;
  QString documentPath_;
  QList<QAction*> recentActions_;
  ElidedLabel* resultKeysHint_ = nullptr;
  QLabel* unsaved_ = nullptr;
  ElidedLabel* serving_ = nullptr;  ///< "会場公開中: URL" while the event is served
  bool closing_ = false;

  friend class Application;
};

}  // namespace toq::ui
