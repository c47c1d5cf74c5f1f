#pragma once
// Undo and redo: the history of the commands that changed the table or the register, kept as
// snapshots of both, so that any change can be taken back exactly and brought back again.
//
// Every front end runs every command through the door of edit/command_door.h, which records
// the step; `recorded` below is the same without the re-read of changed files, for callers
// that have none to fear:
//
//   edit::Outcome o = edit::recorded(ws, edit::texts::kLabelBye,
//                                    [&] { return edit::setBye(ws, ui, row); });
//
// A step is kept only when the table or the register differs afterwards, so a command that
// was refused, declined or cancelled leaves no step behind.

#include <cstddef>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "data/register.h"
#include "data/table.h"
#include "edit/outcome.h"
#include "services/services.h"

namespace toq::edit {

struct Workspace;

/// What a command can change: the table and the register. The parts are shared between steps
/// and never changed in place. The files they were taken with tell a pass that another
/// document was opened; a step never restores them: undo changes what the event holds, never
/// which files it lives in.
struct Snapshot {
  std::shared_ptr<const data::Table> table;
  std::shared_ptr<const data::Register> players;
  std::filesystem::path playerFile;
};

/// One command that changed something.
struct Step {
  std::string label;  ///< UTF-8, names the command: "2回戦の組み合わせ"
  Snapshot before;    ///< what undo restores
  Snapshot after;     ///< what redo restores
  /// The step switched the lock flag: it may be undone and redone while the table is locked.
  bool switchesLock() const;
  /// The step changed the table (not only the register).
  bool changesTable() const;
  /// The step changed the register.
  bool changesPlayers() const;
};

/// The steps of one open document, oldest first, with the place between the steps done and
/// the steps undone.
class History {
 public:
  /// Steps kept; recording one more drops the oldest.
  static constexpr std::size_t kDefaultLimit = 100;

  explicit History(std::size_t limit = kDefaultLimit) : limit_(limit < 1 ? 1 : limit) {}

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  /// The step undo would take back, or null.
  const Step* undoStep() const { return canUndo() ? &steps_[done_ - 1] : nullptr; }
  /// The step redo would bring back, or null.
  const Step* redoStep() const { return canRedo() ? &steps_[done_] : nullptr; }
  std::size_t undoCount() const { return done_; }
  std::size_t redoCount() const { return steps_.size() - done_; }
  std::size_t limit() const { return limit_; }

  /// Forgets every step: another table was opened.
  void clear();

  /// A snapshot of the workspace's state, sharing the parts that equal the latest step's.
  Snapshot snapshot(const data::Table& table, const data::Register& players,
                    const std::filesystem::path& playerFile) const;
  /// Keeps a new step after the steps done; the steps undone are forgotten.
  void record(Step step);
  /// Takes the steps of an earlier run of the program (read from the event's journal), the
  /// first `done` of them done.
  void rebuild(std::deque<Step> steps, std::size_t done);
  /// Moves the place one step back or forward (after undo or redo restored it).
  void stepBack();
  void stepForward();

 private:
  std::deque<Step> steps_;
  std::size_t done_ = 0;  ///< steps_[0, done_) are done, the rest undone
  std::size_t limit_;
};

/// The workspace's state before a command.
Snapshot snapshotOf(const Workspace& ws);
/// Records the command that ran since `before` when the table or the register differs now;
/// with `fresh`, the history is cleared first (the command started a new document). True when
/// a step was recorded.
bool recordIfChanged(Workspace& ws, std::string label, Snapshot before, bool fresh = false);

/// Runs a command that may change the table or the register and records it as one step named
/// `label` when it changed anything. Answers what the command answers.
template <class Command>
auto recorded(Workspace& ws, std::string label, Command&& command) {
  Snapshot before = snapshotOf(ws);
  if constexpr (std::is_void_v<std::invoke_result_t<Command&>>) {
    command();
    recordIfChanged(ws, std::move(label), std::move(before));
  } else {
    auto result = command();
    recordIfChanged(ws, std::move(label), std::move(before));
    return result;
  }
}

/// The same for a command that replaces the whole document (the import of a name list): when
/// it changed anything, the earlier steps are forgotten and the command is the one step that
/// can be undone, back to the document before it.
template <class Command>
auto recordedFresh(Workspace& ws, std::string label, Command&& command) {
  Snapshot before = snapshotOf(ws);
  auto result = command();
  recordIfChanged(ws, std::move(label), std::move(before), true);
  return result;
}

/// Restores the state before the latest step and writes it through the one write path
/// (writeTable, writePlayers): the table file at once (as it was before that command), the
/// player file when the step changed the register and a player file is named; a write that
/// fails leaves its part unsaved. Refused by the lock flag when the step changed the table,
/// unless the step is the lock flag's own switch. Status "元に戻しました: <label>".
Outcome undo(Workspace& ws, services::Services& ui);
/// Restores the state after the next undone step, written like undo. Status
/// "やり直しました: <label>".
Outcome redo(Workspace& ws, services::Services& ui);

/// The menu texts: "元に戻す: <label>" and "やり直し: <label>", or the bare verb when there is
/// nothing to undo or redo. With `mnemonic`, the verb carries its access key: "元に戻す(&U)".
std::string undoText(const History& history, bool mnemonic = false);
std::string redoText(const History& history, bool mnemonic = false);

/// Labels that name a round (UTF-8): the pairing of the round the pairing command would pair
/// ("2回戦の組み合わせ"), the cancelling of the latest paired round, a round's result sheet.
std::string pairingLabel(const data::Table& table);
std::string cancelRoundLabel(const data::Table& table);
std::string resultSheetLabel(int round);
/// "変更禁止の設定" or "変更禁止の解除".
std::string lockLabel(bool locked);

}  // namespace toq::edit
