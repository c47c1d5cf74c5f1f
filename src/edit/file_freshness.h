#pragma once
// Two programs on one table (the window and toq-cli, or two windows) never silently undo each
// other's edits: the workspace remembers what the table file and the player file held when
// this program last read or wrote them, and before every change a front end asks whether the
// files still hold that. The readers here are the ones that remember.

#include <filesystem>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Called by a front end before every change (before its dialog, whose lists come from the
/// table). A file that another program changed is read again, with the status message
/// "対戦表ファイルが他のプログラムで変更されていたため、読み直しました。" (or the player
/// file's); a file that vanished or can no longer be read is reported once and its data kept in
/// memory as unsaved; a file changed while this program holds unsaved changes is not read
/// (they are kept, the user is told). True when the table or the register now differs from before:
/// refresh the view.
bool rereadChangedFiles(Workspace& ws, services::Services& ui);

/// Opens a table with the player file of the same base name (data::OpenTableFile) and
/// remembers both files: 0, or -1 after the reader's message. Unsaved changes of the previous
/// table and register are the caller's to settle first.
int openTable(Workspace& ws, services::Services& ui, const std::filesystem::path& path);
/// Reads the table's own file (at start-up) and remembers it: 0, or -1 after the message.
int readTable(Workspace& ws, services::Services& ui);
/// Empties the register, reads a player file, makes it the remembered one and remembers what
/// it held: 0, -1 cannot open or malformed (records read so far stay), -2 register full.
int loadPlayers(Workspace& ws, const std::filesystem::path& file);

}  // namespace toq::edit
