#pragma once
// The command table: every command of the window described once — its menu and place, text,
// shortcut, toolbar button, check mark, the rule that greys it in the menu bar and its entry in
// the list's context menu. The menu bar, the toolbar, the accelerators, the context menu and
// the enabling are all built from it (view/menus.h, view/context_menu.h); the window adds only
// a handler per id (ui/command_handlers.cpp).
//
// A new command is an id in view/commands.h, one entry in command_table.cpp and its handler:
// a member of ui::Commands and its line in Commands::handlers().

#include <span>
#include <string>

#include "data/table.h"
#include "view/commands.h"

namespace toq::view {

/// A menu of the menu bar; None for commands without a menu entry.
enum class Menu { None, File, Edit, Show, Table, Players, Help };

/// A title of the menu bar.
struct MenuTitle {
  Menu menu = Menu::None;
  const char* text = nullptr;  ///< UTF-8 with its mnemonic
  int recentFilesBefore = -1;  ///< the recent-file list stands before this section of the menu
};

/// The picture of a toolbar button, one of the platform's standard icons; None shows the text.
enum class ToolIcon { None, CancelAll, Open, Save, Print, About, Undo, Redo };

/// What the clicked cell of the context menu's row holds.
enum class ClickedCell {
  None,      ///< no round cell (the number, the name, outside the list)
  Unpaired,  ///< a round without an opponent yet
  Bye,       ///< a bye
  Game,      ///< a game, or an absence
};

/// What the context menu's rules read.
struct ContextState {
  ViewState view{};
  /// Table mode: the row of the selected line (row 0 without one) is a participant.
  bool participant = false;
  /// That row's entry in the round of the clicked column.
  ClickedCell cell = ClickedCell::None;
};

/// The menu bar's rule: true when the command is enabled for this state and table.
using EnablingRule = bool (*)(const ViewState& state, const data::Table& table);
/// The context menu's rule: true when the command is offered there.
using ContextRule = bool (*)(const ContextState& state);

/// A toolbar button: the buttons stand by section, then by order within the section, with a
/// separator between sections.
struct ToolButton {
  int section = -1;  ///< -1: no button
  int order = 0;
  ToolIcon icon = ToolIcon::None;

  bool shown() const { return section >= 0; }
};

/// An entry of the context menu, which shows the entries whose rule holds by their order.
/// Commands chosen there run without the menu bar's rules (each applies its own checks).
struct ContextEntry {
  const char* text = nullptr;  ///< UTF-8 with its mnemonic (it may differ from the menu's)
  int order = 0;
  bool separatorBefore = false;  ///< a separator stands before it whenever it is shown
  ContextRule shown = nullptr;   ///< null: not in the context menu
};

/// One command.
struct CommandEntry {
  Command command = Command::Pair;
  Menu menu = Menu::None;  ///< its menu
  /// A menu shows its sections in ascending order (any int, also negative), each section's
  /// entries in table order, with a separator between sections.
  int section = 0;
  const char* text = nullptr;      ///< the menu text with its mnemonic (UTF-8)
  const char* shortcut = nullptr;  ///< "Ctrl+P"; several are separated by "; "
  ToolButton tool{};               ///< its toolbar button, when it has one
  bool checkable = false;          ///< the entry shows a check mark
  EnablingRule enabled = nullptr;  ///< null: never greyed (accelerators without an entry)
  ContextEntry context{};          ///< its context-menu entry, when it has one

  /// The front end makes an action for it: a menu entry, a toolbar button or a shortcut.
  bool hasAction() const { return menu != Menu::None || tool.shown() || shortcut; }
  /// An accelerator of the window only: a shortcut without a menu entry or button.
  bool acceleratorOnly() const { return hasAction() && menu == Menu::None && !tool.shown(); }
};

/// Every command, in menu order.
std::span<const CommandEntry> commandTable();
/// The entry of a command; null when the table has none.
const CommandEntry* findCommand(Command command);
/// The menu bar, left to right.
std::span<const MenuTitle> menuBar();

/// True when the command is enabled in the menu bar for this state and table.
bool commandEnabled(Command command, const ViewState& state, const data::Table& table);

/// Why the command is grey in the menu bar for this state and table (UTF-8), for its tooltip
/// and the status bar; empty when it is enabled.
std::string disabledReason(Command command, const ViewState& state, const data::Table& table);

}  // namespace toq::view
