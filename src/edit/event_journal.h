#pragma once
// The door's journal: every pass that changed the event is appended to the journal beside the
// table file before the pass answers, with who made it; opening a table gives back the undo
// steps of before a restart; any step's state can be made the event's again.
//
// A journal that is missing, locked or damaged never stops the table from opening or a change
// from being saved: the user is warned once, a damaged journal is set aside and a new one
// begun.

#include <cstdint>
#include <optional>
#include <string>

#include "edit/history.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "journal/journal.h"
#include "services/services.h"

namespace toq::edit {

/// What the door saw of one pass, for the journal.
struct PassRecord {
  const Snapshot* before = nullptr;  ///< the state the command started from (after a re-read)
  bool reread = false;               ///< files another program changed were read first
  std::string step;                  ///< the undo step's name, empty when none was kept
  bool fresh = false;                ///< the step replaced the document
  std::size_t undoBefore = 0;        ///< the history's steps done before the command
  const std::vector<Disagreement>* disagreed = nullptr;  ///< the disagreements before it
  bool opensDocument = false;  ///< the command opened or started a document (maybe the same)
};

/// Opens the journal of the workspace's table when it is not the one open: a journal that does
/// not end with the table's state gets the state as a step "他のプログラムによる変更" (or, when
/// it is new, as its start); then, unless the link asks for none, the undo history is built
/// again from it.
void attachJournal(Workspace& ws, services::Services& ui, const journal::Who& who);
/// The same without building the history again: the door's before a change, which keeps the
/// history in memory.
void catchUpJournal(Workspace& ws, services::Services& ui, const journal::Who& who);
/// Builds the undo history again from the journal: the steps of before a restart with their
/// names, as many as the history keeps, the undone ones ready for redo.
void rebuildHistory(Workspace& ws);
/// Appends what one pass did (the door calls it before it answers).
void journalPass(Workspace& ws, services::Services& ui, const journal::Who& who,
                 const PassRecord& pass);
/// The event's state as the files hold it.
journal::State stateOf(const data::Table& table, const data::Register& players);

/// Makes the state after journal step `n` the event's, written through the one write path; run
/// it through the door as one new step named "履歴 n の時点に戻す" (the journal is never
/// rewritten). The outcome's `other` is n (edit::steps::restore names the step from it); a
/// step the journal does not have, or whose state does not read, is refused with a message.
Outcome restoreStep(Workspace& ws, services::Services& ui, std::int64_t n);
/// The step rule's name for restoreStep.
std::string restoreLabel(std::int64_t n);

/// The table and register a journal state holds, the table named `tableFile`; nullopt when the
/// bytes do not read whole.
struct ReadState {
  std::shared_ptr<const data::Table> table;
  std::shared_ptr<const data::Register> players;
};
std::optional<ReadState> readState(const journal::State& state,
                                   const std::filesystem::path& tableFile);

}  // namespace toq::edit
