#pragma once
// "新規対戦表": a new event started in the program, without any file prepared. The event is a
// table file and the player file of the same base name beside it; its name is the file's
// base name. The same pair of files can be given to what the program already holds (a
// register and a table built before any file was named).

#include <filesystem>

#include "data/table.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// What NewEventDialog asks.
struct NewEventChoice {
  std::filesystem::path tableFile;          ///< the event's table file (".tai" added)
  int numberOfGames = data::kDefaultGames;  ///< 1..32
  bool keepRegister = true;                 ///< false: start with an empty register
  /// The organiser has already answered for the changes no file has received (the window
  /// asks before every new document): nothing is asked again.
  bool settled = false;
};

/// Starts an empty table with the chosen file and number of games, the register kept or
/// emptied; writes both files at once (the table even without participants, the register
/// beside it as base.ply), makes them the remembered files, names the event after the file
/// and clears the undo history. Refused, with a message and nothing changed, for a number of
/// games outside 1..32, no file, a file name that Shift-JIS cannot hold, and a file that
/// cannot be written. Before the table (and an emptied register) is replaced, its unsaved
/// changes go to its own file; when it has none, the question "...破棄して新しい対戦表を作り
/// ますか？" decides (No: Declined). Outcome: `other` the number of games.
Outcome newEvent(Workspace& ws, services::Services& ui, const NewEventChoice& choice);

inline Outcome newEvent(Workspace& ws, services::Services& ui,
                        const std::filesystem::path& tableFile, int numberOfGames,
                        bool keepRegister) {
  return newEvent(ws, ui, NewEventChoice{tableFile, numberOfGames, keepRegister});
}

/// True when a new event would replace changes that no file has received: the table's, or
/// the register's unless it is kept.
bool newEventReplacesUnsaved(const Workspace& ws, bool keepRegister);

/// Gives what the program holds the event's files: the table file (".tai" added) and the
/// player file beside it become the remembered files, the event is named after the file, and
/// both are written (the table even without participants). The number of games and the
/// register stay as they are. 0; -1 refused or not written (with a message; the files and the
/// names stay as they were, nothing in memory is lost).
int saveEventAs(Workspace& ws, services::Services& ui, const std::filesystem::path& tableFile);

}  // namespace toq::edit
