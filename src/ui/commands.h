#pragma once
// What every command of the window does: each a thin slot that gathers the user's choice and
// calls the core's operation; the window shows what changed in one place. The command table
// (view/command_table.h) describes the commands; handlers() names the member that runs each.
// Commands chosen from the context menu run without the menu bar's enabling rules.

#include <QObject>
#include <QPoint>
#include <QString>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "edit/command_door.h"
#include "edit/new_event.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"
#include "ui/held_boxes.h"
#include "ui/prepared.h"
#include "view/commands.h"

namespace toq::ui {

class MainWindow;
class MainView;
class RepeatedTestRun;
class VenueLink;

class Commands : public QObject {
  Q_OBJECT

 public:
  Commands(MainWindow& window, edit::Workspace& ws, services::Services& ui, AppSettings& settings,
           QObject* parent = nullptr);

  /// The cell a command acts on (its row and round; -1 for none) and, for a result key, the
  /// result code it enters.
  struct CellKey {
    int row = -1;
    int round = -1;
    int result = 0;
  };

  /// The member that runs a command, and how the command is kept in the undo history. A
  /// command that may change the table or the register names its undo step here (the rule is
  /// not optional; undo and redo pass StepRule{}, which records nothing). A command with a
  /// dialog asks first and answers the change it then makes (Prepared); one without runs
  /// whole inside the pass.
  struct Handler {
    using Show = void (Commands::*)();
    using Change = edit::Outcome (Commands::*)();
    using Prepare = Prepared (Commands::*)();
    using OnCell = edit::Outcome (Commands::*)(const CellKey&);
    using PrepareOnCell = Prepared (Commands::*)(const CellKey&);

    constexpr Handler(view::Command c, Show run) : command(c), show(run) {}
    constexpr Handler(view::Command c, Change run, edit::StepRule rule)
        : command(c), change(run), step(rule) {}
    constexpr Handler(view::Command c, Prepare run, edit::StepRule rule)
        : command(c), prepare(run), step(rule) {}
    constexpr Handler(view::Command c, OnCell run, edit::StepRule rule)
        : command(c), onCell(run), step(rule) {}
    constexpr Handler(view::Command c, PrepareOnCell run, edit::StepRule rule)
        : command(c), prepareOnCell(run), step(rule) {}

    /// True for a command that may change the table or the register.
    constexpr bool changes() const { return change || prepare || onCell || prepareOnCell; }

    view::Command command;
    Show show = nullptr;
    Change change = nullptr;
    Prepare prepare = nullptr;
    OnCell onCell = nullptr;
    PrepareOnCell prepareOnCell = nullptr;
    edit::StepRule step;  ///< the undo step: its label or the namer beside the handler
  };
  /// One handler per command of the command table.
  static std::span<const Handler> handlers();

  /// Runs a command: every command of the window comes here (menus, toolbar, accelerators,
  /// context menu, the pairing button, the lock box, the result keys) and passes the edit
  /// layer's door (edit/command_door.h); the window then shows what changed.
  void run(view::Command command);
  /// Runs a command on a cell: from the context menu, the result sheet opens on the cell's round.
  void runAt(view::Command command, const CellKey& at);
  /// A result key on a round cell: the result code for (row, round), through the door; the
  /// current cell then goes on to the next game without a result.
  void resultKey(int row, int round, int result);

  /// Loads a file as the command line, the recent-file list, Ctrl+O and a second start do: a
  /// table (.tai, with the player file beside it) or a register (.ply). Asks first about
  /// changes no file has received (mayReplaceDocument). False when nothing was read.
  bool openFile(const QString& path);
  /// When a file of the event did not read whole: says so with the file's name and line and
  /// offers its backup (".bak") or the event as read, read-only. Asked once per fault. Records
  /// of an older file that hold a control character are named once, to be mended.
  void offerBackupWhenNotWhole();
  /// Before another document replaces the one held (every way to open or start one): changes
  /// that no file has received bring the question "保存されていない変更があります。保存しますか？".
  /// True when the replacing may go on.
  bool mayReplaceDocument();

  /// The print format flag ("印刷形式２"): on at every start.
  bool printFormat2() const { return printFormat2_; }

  /// After a change made outside the door's answer (the tests' direct edits): the window's one
  /// reaction, as for a change of the table.
  void afterTableChange();

  /// Where the repeated test writes its log (the tests point it at a scratch folder).
  void setLogFolder(const std::filesystem::path& folder);

 signals:
  /// The user chose "終了".
  void exitRequested();

 private:
  // The handlers, in the order of the command table.
  Prepared openTable();
  Prepared importNameList();
  void saveTableAs();
  void saveCsv();
  void saveWebPage();
  void savePdf();
  void venue();
  void togglePrintFormat2();
  void print();
  void printPreview();
  void printSetup();
  void printSlips();
  void saveSlipsPdf();
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
  Prepared addParticipant();
  Prepared removeParticipant();
  Prepared cancelLatestRound();
  Prepared cancelAllPairings();
  Prepared changeNumberOfGames();
  edit::Outcome exchangeByes();
  Prepared setOpponent();
  Prepared setBye();
  Prepared cancelPairing();
  Prepared enterResult();
  Prepared randomResults();
  edit::Outcome repeatedTest();
  Prepared registerPlayer();
  Prepared editPlayer();
  Prepared deletePlayers();
  void manual();
  void about();
  Prepared editRowPlayer();
  Prepared handicapAndResult();
  Prepared handicap();
  Prepared pair();
  // Plans changing during the day (commands_absences.cpp).
  Prepared sitOut();
  Prepared withdraw();
  Prepared takeBackAbsence();
  Prepared sortByRating();
  Prepared absence(bool fromOn, bool takeBack);
  edit::Outcome setLock();
  edit::Outcome enterResultKey(const CellKey& key);
  // The morning of the event (commands_reception.cpp).
  Prepared importEntries();
  void reception();
  void printReceptionList();
  void saveReceptionListPdf();
  // The end of the day (commands_print.cpp).
  void printStandings();
  void saveStandingsPdf();
  Prepared resultSheet(const CellKey& at);
  edit::Outcome undo();
  /// "履歴": the dialog, then the chosen step's state made the event's as one new step.
  Prepared history();
  edit::Outcome redo();
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
  /// Runs a command's handler: its questions first, then its change through the door; shows
  /// what changed.
  edit::Outcome runThroughDoor(const Handler& handler, const CellKey& key);
  /// One pass through the edit layer's door: the change as one step, then (`before`) what the
  /// window sets up for it, then the window shows what changed; boxes wait until then.
  edit::Passed pass(const edit::StepRule& step, const std::function<edit::Outcome()>& change,
                    const std::function<void()>& before = {});
  /// The questions of a handler that asks first, after a look at the files that another
  /// program changed (so that its dialog shows what the files hold).
  Prepared prepare(const Handler& handler, const CellKey& key);
  /// After a result key on (row, round): the current cell goes on to the round's next game
  /// without a result.
  void goOnFromResult(int row, int round);
  /// The participant row of the selected row; -1 when no line is selected.
  int selectedParticipant() const;
  /// The participant row and round of the clicked cell; false when it is no round cell of a
  /// participant.
  bool clickedRoundCell(int& row, int& round) const;
  /// The new event's dialog's try: the question about what it replaces, then one pass.
  edit::Outcome makeNewEvent(const edit::NewEventChoice& choice);
  /// Opens PlayerDialog on the record at a register position; the change stores its answer.
  Prepared editPlayerAt(int position);

  MainWindow& window_;
  MainView& view_;
  edit::Workspace& ws_;
  /// Names the register's records that an older file left with a control character.
  void nameOffendingRecords();
  std::string offeredFault_;  ///< the fault offerBackupWhenNotWhole last asked about
  std::string namedRecords_;  ///< the records nameOffendingRecords last named
  HeldBoxes boxes_;           ///< the window's services, with boxes held while a pass is open
  services::Services& ui_;
  AppSettings& settings_;
  bool printFormat2_ = true;
  int nameListFilter_ = 0;  ///< the import dialog's filter chosen last time
  RepeatedTestRun* repeatedTest_ = nullptr;
  VenueLink* venue_ = nullptr;  ///< the venue's server beside the window
};

}  // namespace toq::ui
