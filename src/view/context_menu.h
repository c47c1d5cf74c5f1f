#pragma once
// The list's context menu: which entries of the command table it shows in each mode, for the
// selected line and the clicked column. Its commands run without the menu bar's enabling rules.

#include <vector>

#include "data/table.h"
#include "view/command_table.h"
#include "view/menus.h"

namespace toq::view {

/// What the context menu's rules read for this selection and click. `selectedLine` is the first
/// selected line (-1 when none; table mode takes participant row 0 then), `clickedColumn` the
/// column of the right click (-1 when it hit no cell).
ContextState contextState(const ViewState& state, int selectedLine, int clickedColumn,
                          const data::Table& table);

/// The entries in menu order, with their context-menu texts.
std::vector<MenuItem> contextMenu(const ViewState& state, int selectedLine, int clickedColumn,
                                  const data::Table& table);

}  // namespace toq::view
