#pragma once
// The menu bar's menus and the toolbar "メイン" laid out from the command table, as lists of
// entries and separators (the context menu: view/context_menu.h).

#include <vector>

#include "view/command_table.h"

namespace toq::view {

/// One place of a menu or of the toolbar.
struct MenuItem {
  enum class Kind {
    Command,      ///< a command's entry or button
    Separator,    ///< a separator
    RecentFiles,  ///< the recent-file list, which closes with a separator of its own
  };
  Kind kind = Kind::Separator;
  Command command = Command::Pair;
  const char* text = nullptr;  ///< the command's text at this place (UTF-8); null for the others

  bool separator() const { return kind == Kind::Separator; }
};

/// The entries of a menu of the menu bar, in order.
std::vector<MenuItem> menuItems(Menu menu);

/// The buttons of the toolbar, left to right.
std::vector<MenuItem> toolBarItems();

}  // namespace toq::view
