#pragma once
// What one running program works on: the register, the table, the options and the generator,
// owned by the front end and passed by reference to every command.

#include <filesystem>
#include <string>

#include <vector>
#include "data/file_stamp.h"
#include "data/register.h"
#include "data/table.h"

#include "edit/disagreements.h"
#include "edit/history.h"
#include "edit/journal_link.h"
#include "pairing/context.h"
#include "pairing/options.h"
#include "pairing/random.h"

namespace toq::edit {

/// The program's one register and one table with their settings.
struct Workspace {
  data::Register players;
  data::Table table;
  pairing::PairingOptions options;
  pairing::Random random;
  std::filesystem::path playerFile;  ///< the remembered player file
  bool decideSides = true;           ///< decide sides after pairing ("先手後手決定")
  bool deriveHandicaps = false;      ///< derive handicaps after pairing ("駒落ち")
  History history;                   ///< undo and redo of the open document's commands
  JournalLink journal;               ///< every change on disk, with who made it
  /// Boards whose players reported different results at the desk, oldest first.
  std::vector<Disagreement> disagreements;

  /// Changes that no file has received (no file named, a failed write, a change not written
  /// by its command); set and cleared by the edit layer's writers (edit/unsaved.h).
  bool tableUnsaved = false;
  bool playersUnsaved = false;
  /// The table file and the player file as this program last read or wrote them, so that a
  /// change by another program is read before it is written over (edit/file_freshness.h).
  data::FileStamp tableOnDisk;
  data::FileStamp playersOnDisk;
  /// A file of the event that did not read whole: what is wrong there, naming the file and the
  /// line (UTF-8; empty when it read whole). While one is set nothing is written and every
  /// change is refused; what could be read is there to be looked at.
  std::string tableNotWhole;
  std::string playersNotWhole;
  /// Passes through the door running now (edit/command_door.h): work from the network or a
  /// file watcher waits while one is open.
  int openPasses = 0;

  /// Why the event may not be changed because a file did not read whole; empty when it may.
  const std::string& notReadWhole() const {
    return playersNotWhole.empty() ? tableNotWhole : playersNotWhole;
  }

  pairing::PairingContext context(services::Services& ui) {
    return {table, players, options, random, ui};
  }
};

}  // namespace toq::edit
