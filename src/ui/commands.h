#pragma once
// What every command of the window does: each a thin slot that gathers the user's choice,
// calls the core's operation and refreshes the view. The command table (view/command_table.h)
// describes the commands; handlers() names the member that runs each. Commands chosen from the
// context menu run without the menu bar's enabling rules.

#include <QObject>
#include <QPoint>
#include <QString>
#include <filesystem>
#include <span>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"
#include "view/commands.h"

namespace toq::ui {

class MainWindow;
class MainView;
class VenueDialog;

class Commands : public QObject {
  Q_OBJECT

 public:
  Commands(MainWindow& window, edit::Workspace& ws, services::Services& ui, AppSettings& settings,
           QObject* parent = nullptr);

  /// How a command is kept in the undo history.
  enum class Step {
    None,         ///< it changes neither table nor register (or it is undo/redo itself)
    Named,        ///< one step named by the handler's label
    Fresh,        ///< one step that replaces the document: the earlier steps are forgotten
    Pairing,      ///< named after the round it pairs ("2回戦の組み合わせ")
    CancelRound,  ///< named after the latest paired round
    Lock,         ///< named after the lock box's new state
    Sheet,        ///< named after the round of the result sheet
  };

  /// The member that runs a command, and the undo step it makes.
  struct Handler {
    view::Command command;
    void (Commands::*run)();
    Step step = Step::None;
    const char* label = nullptr;  ///< UTF-8 label of a Named or Fresh step
  };
  /// One handler per command of the command table.
  static std::span<const Handler> handlers();

  /// Runs a command: every command of the window comes here (menus, toolbar, accelerators,
  /// context menu, the pairing button, the lock box, the result keys). Files another program
  /// changed are read first; a command that changes the table or the register is one undo step.
  void run(view::Command command);
  /// A result key on a round cell: the result code for (row, round), through run().
  void resultKey(int row, int round, int result);

  /// Loads a file as the command line and the recent-file list do: a table (.tai, with the
  /// player file beside it) or a register (.ply). False when nothing could be read.
  bool openFile(const QString& path);

  /// The print format flag ("印刷形式２"): on at every start.
  bool printFormat2() const { return printFormat2_; }

  /// After a command that changed the table: refresh the list, update the pairing button and
  /// the menu entries.
  void afterTableChange();

  /// Where the repeated test writes its log (the tests point it at a scratch folder).
  void setLogFolder(const std::filesystem::path& folder) { logFolder_ = folder; }

 signals:
  /// The user chose "終了".
  void exitRequested();

 private:
  // The handlers, in the order of the command table.
  void openTable();
  void importNameList();
  void saveTableAs();
  void saveCsv();
  void saveWebPage();
  void savePdf();
  void venue();
  void togglePrintFormat2();
  void print();
  void printPreview();
  void printSetup();
  void exitProgram();
  void settingsSheet();
  void showRoundList();
  void showResults();
  void showStandings();
  void showRatingData();
  void explainPairing();
  void explainBoard();
  void toggleToolBar();
  void toggleStatusBar();
  void tableFont();
  void newTable();
  void addParticipant();
  void removeParticipant();
  void cancelLatestRound();
  void cancelAllPairings();
  void changeNumberOfGames();
  void exchangeByes();
  void setOpponent();
  void setBye();
  void cancelPairing();
  void enterResult();
  void randomResults();
  void repeatedTest();
  void registerPlayer();
  void editPlayer();
  void deletePlayers();
  void manual();
  void about();
  void editRowPlayer();
  void handicapAndResult();
  void handicap();
  void pair();
  void setLock();
  void enterResultKey();
  void resultSheet();
  void undo();
  void redo();
  void newDocument();
  void openDocument();
  void saveDocument();
  /// コピー: the selected lines as tab-separated text on the clipboard.
  void copyCells();
  /// The entries that have no action in this program.
  void noAction() {}

  /// The list's context menu at a screen position (the clicked cell is already recorded).
  void showContextMenu(const QPoint& globalPos);

  // Helpers of the commands.
  /// The undo step's label, from the table before the command.
  std::string stepLabel(const Handler& handler) const;
  /// After undo or redo: both lists, the form's controls and the menu entries.
  void afterRestore();
  /// After a table or register was read: fill the list in the current mode, its controls and
  /// the menu entries.
  void afterDocumentChange();
  /// The participant row of the selected row; -1 when no line is selected.
  int selectedParticipant() const;
  /// The participant row and round of the clicked cell; false when it is no round cell of a
  /// participant.
  bool clickedRoundCell(int& row, int& round) const;
  /// Opens PlayerDialog on the record at a register position and stores what it answers.
  void editPlayerAt(int position);
  /// Greys the whole window but its frame while the repeated test runs.
  void setBusy(bool busy);

  MainWindow& window_;
  MainView& view_;
  edit::Workspace& ws_;
  services::Services& ui_;
  AppSettings& settings_;
  bool printFormat2_ = true;
  int nameListFilter_ = 0;           ///< the import dialog's filter chosen last time
  std::filesystem::path logFolder_;  ///< empty: the program's own log folder
  bool testRunning_ = false;
  bool stopTest_ = false;  ///< the window is closing: the repeated test stops after its run
  struct KeyPress {
    int row = -1;
    int round = -1;
    int result = 0;
  } key_;                         ///< the result key that ResultKey enters
  int sheetRound_ = -1;           ///< the round the result sheet entered
  VenueDialog* venue_ = nullptr;  ///< made when first asked for; serves the event
  /// The round of the context menu's cell while a command chosen there runs; -1 otherwise.
  int contextRound_ = -1;
};

}  // namespace toq::ui
