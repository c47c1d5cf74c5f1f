#pragma once
// The one door of every change, whoever asks for it: a menu, a key, the result sheet, undo and
// redo, a request from the network. Files another program changed are read first, the
// command runs, a command that changed the table or the register becomes one undo step, and
// the answer says what changed, so that a front end reacts to it in one place:
//
//   const edit::Passed p = edit::runCommand(ws, ui, edit::StepRule{texts::kLabelBye},
//                                           [&] { return edit::setBye(ws, ui, row); });
//   if (p.changes.any()) refreshEverything();
//
// The command's own writes go through the one write path (edit/unsaved.h).

#include <functional>
#include <string>

#include "edit/history.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Names an undo step once its command ran: from the state before it and what it answered.
using StepNamer = std::string (*)(const Snapshot& before, const Outcome& done);

/// Whether and how a command is kept in the undo history.
struct StepRule {
  const char* label = nullptr;  ///< UTF-8 fixed name of the step
  StepNamer namer = nullptr;    ///< or a name decided after the command
  bool fresh = false;           ///< the command replaces the document: earlier steps forgotten

  /// False for a command kept out of the history (it changes nothing itself, or it is undo).
  bool recorded() const { return label || namer; }
  std::string name(const Snapshot& before, const Outcome& done) const;
};

/// What a pass through the door changed, seen from the state before it (re-read included).
struct Changes {
  bool table = false;     ///< the table differs
  bool players = false;   ///< the register or its file differs
  bool reread = false;    ///< a file another program changed was read again
  bool document = false;  ///< another document: a file read again, or other file names

  bool any() const { return table || players; }
};

/// The door's answer: the command's outcome and what changed.
struct Passed {
  Outcome outcome;
  Changes changes;
};

/// Runs a command through the door; see the top of this file. `command` answers its Outcome.
/// Undo and redo pass with a rule that records nothing: the answer says what they restored.
Passed runCommand(Workspace& ws, services::Services& ui, const StepRule& step,
                  const std::function<Outcome()>& command);

/// Namers of the steps that carry a round or a game in their name.
namespace steps {
/// "2回戦の組み合わせ": the round the pairing command paired.
std::string pairing(const Snapshot& before, const Outcome& done);
/// "2回戦の組み合わせの取り消し": the latest paired round before the command.
std::string cancelRound(const Snapshot& before, const Outcome& done);
/// "変更禁止の設定" or "変更禁止の解除": the lock flag's new state.
std::string lock(const Snapshot& before, const Outcome& done);
/// "2回戦の結果の一括入力": the round of the result sheet.
std::string resultSheet(const Snapshot& before, const Outcome& done);
/// "3回戦 第5局 青山–南条 の結果": the game whose result was entered, its players by their
/// short names as the list shows them.
std::string result(const Snapshot& before, const Outcome& done);
}  // namespace steps

}  // namespace toq::edit
