#pragma once
// The readers of the three text formats, working on bytes already in memory. The file
// functions (player_file.h, table_file.h, name_list.h) read the file and call these; tests and
// fuzz targets call them directly.

#include <ostream>
#include <string_view>

#include "data/read_fault.h"
#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Adds the records of a player file's text to the register: 0 when every line was read; -1
/// when a line held a NUL or was not a record (the other records are added and the first such
/// line goes to `fault`); -2 when records met a full register.
int parsePlayerText(Register& players, std::string_view text, ReadFault* fault = nullptr);

/// How the reading of a table text ended.
enum class TableTextResult {
  Ok,             ///< every line read
  BadRow,         ///< a row line without a player number; the rows before it stay
  TooManyRows,    ///< a row line beyond the 99th; the 99 rows stay
  BadGames,       ///< a number of games outside 1..32; the table is half read, discard it
  Nul,            ///< a line holding a NUL; the table is half read, discard it
  CountMismatch,  ///< the stated count of rows differs from the rows read
};
/// Reads a table text into `table` (participantCount becomes the rows read, even when it
/// stops early). Parse into a copy: after BadGames the copy is not to be used.
/// The first fault goes to `fault`, with its line.
TableTextResult parseTableText(Table& table, std::string_view text, ReadFault* fault = nullptr);

/// Adds the players of a name list's text to the register and their rows to the table, as the
/// import does; "名前がない" goes to `out`, other complaints to `err` (UTF-8, with line numbers).
void parseNameListText(Register& players, Table& table, std::string_view text,
                       services::Services& ui, std::ostream& out, std::ostream& err);

}  // namespace toq::data
