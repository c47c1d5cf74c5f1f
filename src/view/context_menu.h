#pragma once
// The list's context menu: which entries it shows in each mode, for the selected line and the
// clicked column. Its commands run without the menu bar's enabling rules.

#include <vector>

#include "data/table.h"
#include "view/commands.h"

namespace toq::view {

/// One entry of the context menu; a separator has no text.
struct MenuEntry {
  Command command = Command::Pair;
  const char* text = nullptr;  ///< UTF-8 with its mnemonic; null for a separator

  bool separator() const { return text == nullptr; }
};

/// The entries in menu order. `selectedLine` is the first selected line (-1 when none; table
/// mode takes participant row 0 then), `clickedColumn` the column of the right click (-1 when
/// it hit no cell).
std::vector<MenuEntry> contextMenu(const ViewState& state, int selectedLine, int clickedColumn,
                                   const data::Table& table);

}  // namespace toq::view
