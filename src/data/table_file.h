#pragma once
// The table file (".tai"): six header lines and one line of numbers per row.

#include <filesystem>

#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Writes the table (empty path: its file path), keeping the previous file as ".bak" and never
/// leaving a half-written file: 0 (also for a table without rows, which writes nothing unless
/// `evenEmpty`: the command that removed the last row saves the emptied table), -1 cannot
/// write (with a message), -2 write error.
int WriteTableFile(const Table& table, const std::filesystem::path& path, services::Services& ui,
                   bool evenEmpty = false);
/// Reads a table file (empty path: its file path): 0, -1 (with a message).
int ReadTableFile(Table& table, const std::filesystem::path& path, services::Services& ui);
/// Opens a table as the program does: the player file of the same base name into an emptied
/// register, then the table file. `playerFile` becomes base.ply.
int OpenTableFile(Register& players, Table& table, const std::filesystem::path& path,
                  std::filesystem::path& playerFile, services::Services& ui);

}  // namespace toq::data
