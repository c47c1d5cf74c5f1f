#pragma once
// The one door of every change, whoever asks for it: a menu, a key, the result sheet, undo and
// redo, a request from the network, the look at files another program changed. Files another
// program changed are read first, the command runs, a command that changed the table or the
// register becomes one undo step, and the answer says what changed, so that a front end
// reacts to it in one place:
//
//   const edit::Passed p = edit::runCommand(ws, ui, edit::StepRule{texts::kLabelBye},
//                                           [&] { return edit::setBye(ws, ui, row); },
//                                           journal::Who::window());
//   if (p.changes.any()) refreshEverything();
//
// Every pass that changed the event is appended to the event's journal (edit/event_journal.h)
// with who asked for it, before the door answers.
//
// The command's own writes go through the one write path (edit/unsaved.h). One pass at a time:
// a command asks its questions and shows its dialogs before it passes the door, and work from
// elsewhere (the network, a file watcher) that arrives while a pass is open waits until it
// ends (passOpen).

#include <functional>
#include <string>

#include "edit/history.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "journal/who.h"
#include "services/services.h"

namespace toq::edit {

/// Names an undo step once its command ran: from the state before it, the state after it and
/// what it answered.
using StepNamer = std::string (*)(const Snapshot& before, const Workspace& after,
                                  const Outcome& done);

/// Whether and how a command is kept in the undo history.
struct StepRule {
  const char* label = nullptr;  ///< UTF-8 fixed name of the step
  StepNamer namer = nullptr;    ///< or a name decided after the command
  bool fresh = false;           ///< the command replaces the document: earlier steps forgotten
  /// The command opens or starts another document: nothing of the old one is read again
  /// first, no step is kept (the command starts the history anew).
  bool opensDocument = false;

  /// False for a command kept out of the history (it changes nothing itself, or it is undo).
  constexpr bool recorded() const { return label || namer; }
  /// The rule of a command that opens or starts another document.
  static constexpr StepRule newDocument() { return StepRule{nullptr, nullptr, false, true}; }
  std::string name(const Snapshot& before, const Workspace& after, const Outcome& done) const;
};

/// What a pass through the door changed, seen from the state before it (re-read included).
struct Changes {
  bool table = false;          ///< the table differs
  bool players = false;        ///< the register or its file differs
  bool reread = false;         ///< a file another program changed was read again
  bool document = false;       ///< another document: a file read again, or other file names
  bool disagreements = false;  ///< a board's disagreement was kept or settled

  bool any() const { return table || players; }
};

/// The door's answer: the command's outcome, what changed, and the name of the undo step it
/// made (empty when it made none).
struct Passed {
  Outcome outcome;
  Changes changes;
  std::string step;
  std::string note;  ///< a disagreement the pass kept, said for the status bar (UTF-8)
};

/// Runs a command through the door; see the top of this file. `command` answers its Outcome.
/// Undo and redo pass with a rule that records nothing: the answer says what they restored.
/// `who` is the caller the journal names.
Passed runCommand(Workspace& ws, services::Services& ui, const StepRule& step,
                  const std::function<Outcome()>& command, const journal::Who& who);

/// A pass with no command of its own: files another program changed are read again; the
/// answer says whether anything was (the look at files while the event is served).
Passed lookAtFiles(Workspace& ws, services::Services& ui);

/// True while a pass through the door runs on the workspace: work from elsewhere waits.
bool passOpen(const Workspace& ws);

/// Namers of the steps that carry a round or a game in their name.
namespace steps {
/// "2回戦の組み合わせ": the round the pairing command paired.
std::string pairing(const Snapshot& before, const Workspace& after, const Outcome& done);
/// "2回戦の組み合わせの取り消し": the latest paired round before the command.
std::string cancelRound(const Snapshot& before, const Workspace& after, const Outcome& done);
/// "変更禁止の設定" or "変更禁止の解除": the lock flag's new state.
std::string lock(const Snapshot& before, const Workspace& after, const Outcome& done);
/// "2回戦の結果の一括入力": the round of the result sheet.
std::string resultSheet(const Snapshot& before, const Workspace& after, const Outcome& done);
/// "1回戦 小林 由紀子 対 松本 修: 松本 修 の勝ち": the game whose result was entered, its
/// players by their full names, and whose result it is ("引き分け", "結果の取り消し").
std::string result(const Snapshot& before, const Workspace& after, const Outcome& done);
/// "履歴 12 の時点に戻す": the journal step whose state was made the event's again.
std::string restore(const Snapshot& before, const Workspace& after, const Outcome& done);
}  // namespace steps

}  // namespace toq::edit
