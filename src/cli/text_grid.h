#pragma once
// Lines of cells laid out in columns for the terminal. Cells are CP932, where a double-byte
// character is two columns wide, as many as its bytes: padding by bytes aligns the columns,
// and each line is converted to UTF-8 only when it is complete.

#include <string>
#include <vector>

#include "view/grid.h"

namespace toq::cli {

using GridLine = std::vector<std::string>;

/// The lines in UTF-8, each column as wide as its widest cell, columns one space apart,
/// trailing spaces dropped, every line ended by "\n". Columns marked in `rightAligned` (by
/// index; missing entries are false) are padded on the left, as numbers are.
std::string layOutColumns(const std::vector<GridLine>& lines,
                          const std::vector<bool>& rightAligned = {});

/// The main view's grid as lines of texts: the header line, then every line of the grid.
std::vector<GridLine> gridLines(const view::Grid& grid);

}  // namespace toq::cli
