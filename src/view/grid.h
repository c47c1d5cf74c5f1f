#pragma once
// The main view's list, decided cell by cell: every text with its background and text colour,
// in table mode (two lines per participant) and in player mode (one line per player). Every
// front end shows this grid as it is and decides nothing of its own.

#include <string>
#include <vector>

#include "data/register.h"
#include "data/table.h"
#include "services/services.h"
#include "view/colours.h"

namespace toq::view {

/// One cell: CP932 text and its colours.
struct Cell {
  std::string text;
  Rgb background = kWhite;
  Rgb foreground = kBlack;
  const char* tip = nullptr;  ///< UTF-8 tooltip; null for none
  bool operator==(const Cell&) const = default;
};

/// A column: its CP932 header and the width it starts with, in screen pixels.
struct Column {
  std::string header;
  int width = 70;
  const char* tip = nullptr;  ///< UTF-8 tooltip of the header; null for none
};

/// The whole list; view/layout.h maps its lines and columns to rows and rounds.
struct Grid {
  std::vector<Column> columns;
  std::vector<std::vector<Cell>> lines;  ///< every line has one cell per column
  /// True when the list is coloured (table mode); player mode keeps the list's own colours.
  bool coloured = false;
  /// Table mode: the round whose standings the summary columns show, -1 when none is complete.
  int standingsRound = -1;
  /// Table mode: the table is in win-rate mode ("勝率" instead of "ソルコフ").
  bool winRateMode = false;
  /// Player numbers of table rows that the register does not hold, each once, ascending.
  std::vector<int> missingPlayers;
  /// Table mode: players whose short name another participant also shows, in table order;
  /// their name cells are marked yellow until one of the short names is changed.
  std::vector<int> lookAlikes;

  int rowCount() const { return static_cast<int>(lines.size()); }
  int columnCount() const { return static_cast<int>(columns.size()); }
  /// The cell at (line, column), or an empty white cell outside the grid.
  const Cell& at(int line, int column) const;
};

/// Widths the table mode's columns start with: 37, 110, then 70 for every further column.
int defaultTableColumnWidth(int column);

/// The table mode: every cell, with the standings of the last completed round (computed on a
/// copy of the table, which is never written). With `lookupMessages`, a player number the
/// register does not hold shows the register's lookup message once per lookup (as the command
/// line does); without, the numbers are only collected in `missingPlayers` so that a window can
/// say so once.
Grid tableGrid(const data::Table& table, const data::Register& players,
               services::Services* lookupMessages = nullptr);

/// The player mode: nine columns, one line per register position.
Grid playerGrid(const data::Register& players);

}  // namespace toq::view
