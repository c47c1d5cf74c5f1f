#pragma once
// Checks and steps shared by the editing commands: the lock check, argument guards, row names
// for messages, and the save after a change.

#include <string>
#include <string_view>

#include "data/table.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

/// Refusal shown when the table's lock flag is set.
inline constexpr std::string_view kLockedMessage = "変更は禁止されています。";

/// The guard in front of every command that changes the table: true when changes are allowed.
/// When the table is locked it shows the refusal as a warning box captioned "TOQ" and answers
/// false.
bool lockCheck(const data::Table& table, services::Services& ui);

/// Rows and rounds in use, bounded by the planes whatever the counts hold.
int usedRows(const data::Table& table);
int usedRounds(const data::Table& table);

/// True for a row in use; otherwise "行番号が範囲外です。" and false.
bool checkRow(const data::Table& table, int row, services::Services& ui);
/// True for a round of the table; otherwise "回戦が範囲外です。" and false.
bool checkRound(const data::Table& table, int round, services::Services& ui);

/// The first round in which the row has no opponent yet, or -1.
int firstFreeRound(const data::Table& table, int row);

/// The name of a row's player (CP932); the register's lookup message when it has no record.
std::string rowName(const Workspace& ws, int row, services::Services& ui);
/// The same name as UTF-8, for messages.
std::string rowNameUtf8(const Workspace& ws, int row, services::Services& ui);

/// printf into CP932: the format is one of the layer's UTF-8 texts, the arguments CP932 names.
/// (No CP932 trail byte is '%', so the converted format keeps its directives.)
template <class... Args>
std::string formatCp932(const char* utf8Format, Args... args) {
  return text::format(text::sj(utf8Format).c_str(), args...);
}

/// Writes the table to its own file after a change (writeTable) and completes the outcome:
/// code 0 and saved, or -2 when it was not written (the user has been told).
Outcome saveTable(Workspace& ws, services::Services& ui, Outcome done);
/// The outcome of a change that the command does not write.
Outcome unsaved(Outcome done);

}  // namespace toq::edit
