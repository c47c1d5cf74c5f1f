#pragma once
// Nothing typed is lost: which of the table and the register hold changes that no file has
// received, the one path by which the edit layer writes each of them, and the save of
// everything still pending (before the program ends).

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// What no file has received yet.
struct UnsavedChanges {
  bool table = false;    ///< the tournament table
  bool players = false;  ///< the player register

  bool any() const { return table || players; }
  bool operator==(const UnsavedChanges&) const = default;
};

/// What the workspace holds that no file has received: changes made before any file was
/// named, changes whose write failed, changes their command does not write.
UnsavedChanges unsavedChanges(const Workspace& ws);
/// True while the table or the register holds such changes. A program that only read its
/// files has none.
bool hasUnsavedChanges(const Workspace& ws);
/// True when something is unsaved that has no file to go to: the front end asks for the
/// event's file (NewEventDialog, then saveEventAs).
bool needsEventFile(const Workspace& ws);

/// Marks a change of the table that its command leaves to a later save.
void markTableChanged(Workspace& ws);

/// Writes the table to its own file after a change: 0; -1 or -2 as the table writer (which has
/// told the user); -3 when no table file is named (the status bar says that it is not saved).
/// A table without rows is written only with `evenEmpty`, and stays unsaved otherwise.
int writeTable(Workspace& ws, services::Services& ui, bool evenEmpty = false);
/// Writes the register to the remembered player file after a change: 0; -2 when it could not
/// be written (with a message); -3 when no player file is named (status message).
int writePlayers(Workspace& ws, services::Services& ui);

/// Writes whatever is unsaved: 0 when nothing is left unsaved; -1 when something has no file
/// to go to ("保存先のファイルが指定されていません。", nothing written); -2 when a write failed
/// (the writer's message). A register without a file of its own goes beside the table file,
/// where opening the table looks for it.
int saveAll(Workspace& ws, services::Services& ui);

}  // namespace toq::edit
