#pragma once
// The table file (".tai"): six header lines and one line of numbers per row.

#include <filesystem>
#include <string>

#include "data/file_stamp.h"
#include "data/read_fault.h"
#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Writes the table (empty path: its file path), keeping the previous file as ".bak" and never
/// leaving a half-written file: 0 (also for a table without rows, which writes nothing unless
/// `evenEmpty`: the command that removed the last row saves the emptied table), -1 cannot
/// write (with a message), -2 write error. `written`, when given, receives the stamp of the
/// file written (and is left alone when nothing was written).
int WriteTableFile(const Table& table, const std::filesystem::path& path, services::Services& ui,
                   bool evenEmpty = false, FileStamp* written = nullptr);
/// The bytes WriteTableFile would write for the table at `target` (the event's journal keeps
/// them).
std::string tableFileBytes(const Table& table, const std::filesystem::path& target);
/// Reads a table file (empty path: its file path): 0, -1 (with a message naming the file and,
/// for a file that did not read whole, the line and what is wrong there; `fault` receives it).
/// `read`, when given, receives the stamp of the bytes read, also when they held no valid
/// table (the program has seen that version); it is left alone when the file could not be
/// read at all.
int ReadTableFile(Table& table, const std::filesystem::path& path, services::Services& ui,
                  FileStamp* read = nullptr, ReadFault* fault = nullptr);

/// The faults of the two files of an event that did not read whole.
struct OpenFaults {
  ReadFault players;  ///< the player file (no message shown: the caller decides)
  ReadFault table;    ///< the table file (its message already shown)
};

/// Opens a table as the program does: the player file of the same base name into an emptied
/// register, then the table file. `playerFile` becomes base.ply. The stamps, when given, as
/// for ReadTableFile and ReadPlayerFile. -1 when the table could not be read or either file
/// did not read whole (`faults` says which; what could be read is kept for viewing). A
/// missing player file is an event without players.
int OpenTableFile(Register& players, Table& table, const std::filesystem::path& path,
                  std::filesystem::path& playerFile, services::Services& ui,
                  FileStamp* tableRead = nullptr, FileStamp* playersRead = nullptr,
                  OpenFaults* faults = nullptr);

}  // namespace toq::data
