#pragma once
// The readers of the three text formats, working on bytes already in memory. The file
// functions (player_file.h, table_file.h, name_list.h) read the file and call these; tests and
// fuzz targets call them directly.

#include <ostream>
#include <string_view>

#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Adds the records of a player file's text to the register: 0; -1 at a malformed line (the
/// records before it stay); -2 when the last record met a full register.
int parsePlayerText(Register& players, std::string_view text);

/// How the reading of a table text ended.
enum class TableTextResult {
  Ok,           ///< every line read
  BadRow,       ///< a row line without a player number; the rows before it stay
  TooManyRows,  ///< a row line beyond the 99th; the 99 rows stay
  BadGames,     ///< a number of games outside 1..32; the table is half read, discard it
};
/// Reads a table text into `table` (participantCount becomes the rows read, even when it
/// stops early). Parse into a copy: after BadGames the copy is not to be used.
TableTextResult parseTableText(Table& table, std::string_view text);

/// Adds the players of a name list's text to the register and their rows to the table, as the
/// import does; "名前がない" goes to `out`, other complaints to `err` (UTF-8, with line numbers).
void parseNameListText(Register& players, Table& table, std::string_view text,
                       services::Services& ui, std::ostream& out, std::ostream& err);

}  // namespace toq::data
