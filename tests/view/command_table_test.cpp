// The command table and the menus laid out from it: one entry per command, menus and toolbar
// without stray separators, the greying rules on the cases the organiser meets, and the
// context menu for the clicked cell.
#include "view/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/builders.h"
#include "view/context_menu.h"
#include "view/menus.h"

namespace toq::view {
namespace {

using Kind = MenuItem::Kind;

// The key sequences of a shortcut text ("Ctrl+Y; Ctrl+Shift+Z").
std::vector<std::string> keysOf(const char* shortcut) {
  std::vector<std::string> keys;
  std::string s = shortcut ? shortcut : "";
  for (std::size_t at = 0; at < s.size();) {
    const std::size_t end = std::min(s.find("; ", at), s.size());
    keys.push_back(s.substr(at, end - at));
    at = end + 2;
  }
  return keys;
}

// No separator at either end or twice in a row.
::testing::AssertionResult tidy(const std::vector<MenuItem>& items) {
  if (items.empty()) return ::testing::AssertionFailure() << "empty";
  if (items.front().separator() || items.back().separator())
    return ::testing::AssertionFailure() << "separator at an end";
  for (std::size_t i = 1; i < items.size(); ++i)
    if (items[i].separator() && items[i - 1].separator())
      return ::testing::AssertionFailure() << "two separators at " << i;
  return ::testing::AssertionSuccess();
}

std::vector<Command> commandsOf(const std::vector<MenuItem>& items) {
  std::vector<Command> commands;
  for (const MenuItem& item : items)
    if (item.kind == Kind::Command) commands.push_back(item.command);
  return commands;
}

TEST(CommandTable, EveryCommandHasOneEntryWithWhatItsPlacesShow) {
  std::set<Command> seen;
  std::set<std::string> keys;
  const auto table = commandTable();
  for (std::size_t id = 0; id < table.size(); ++id) {
    const CommandEntry& e = table[id];
    EXPECT_TRUE(seen.insert(e.command).second) << "entry " << id << " repeats its command";
    EXPECT_EQ(findCommand(e.command), &e) << id;
    EXPECT_TRUE(!e.hasAction() || (e.text && *e.text)) << "entry " << id << " has no text";
    EXPECT_TRUE((e.menu == Menu::None && !e.tool.shown()) || e.enabled) << id << " has no rule";
    EXPECT_TRUE(!e.context.shown || (e.context.text && *e.context.text)) << id;
    for (const std::string& key : keysOf(e.shortcut))
      EXPECT_TRUE(keys.insert(key).second) << key << " is taken twice";
  }
  // The generic document commands are accelerators of the window.
  for (auto [command, key] :
       {std::pair{Command::OpenDocument, "Ctrl+O"}, std::pair{Command::SaveDocument, "Ctrl+S"}}) {
    ASSERT_TRUE(findCommand(command));
    EXPECT_TRUE(findCommand(command)->acceleratorOnly());
    EXPECT_EQ(keysOf(findCommand(command)->shortcut), std::vector<std::string>{key});
  }
  // Ctrl+N starts a new event from the 対戦表 menu, in either mode.
  const CommandEntry* newTable = findCommand(Command::NewTable);
  ASSERT_TRUE(newTable);
  EXPECT_EQ(newTable->menu, Menu::Table);
  EXPECT_EQ(keysOf(newTable->shortcut), std::vector<std::string>{"Ctrl+N"});
  EXPECT_TRUE(keysOf(findCommand(Command::NewDocument)->shortcut).empty());
}

TEST(CommandTable, MenusAndToolbarShowEveryPlacedEntryOnceInTidySections) {
  std::vector<Command> inMenus;
  for (const MenuTitle& title : menuBar()) {
    const std::vector<MenuItem> items = menuItems(title.menu);
    EXPECT_TRUE(tidy(items)) << title.text;
    // One separator between each two sections of the menu, whatever order the table has.
    std::set<int> sections;
    for (const CommandEntry& e : commandTable())
      if (e.menu == title.menu) sections.insert(e.section);
    EXPECT_EQ(std::count_if(items.begin(), items.end(), [](auto& i) { return i.separator(); }),
              static_cast<long>(sections.size()) - 1)
        << title.text;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].kind != Kind::RecentFiles) continue;
      EXPECT_EQ(title.menu, Menu::File);
      EXPECT_TRUE(i > 0 && items[i - 1].separator());
      EXPECT_TRUE(i + 1 < items.size() && items[i + 1].kind == Kind::Command);
    }
    for (Command c : commandsOf(items)) {
      EXPECT_EQ(findCommand(c)->menu, title.menu);
      inMenus.push_back(c);
    }
  }
  std::size_t withMenu = 0;
  for (const CommandEntry& e : commandTable()) withMenu += e.menu != Menu::None;
  EXPECT_EQ(inMenus.size(), withMenu);
  EXPECT_EQ(std::set<Command>(inMenus.begin(), inMenus.end()).size(), withMenu);

  const std::vector<MenuItem> tools = toolBarItems();
  EXPECT_TRUE(tidy(tools));
  const std::vector<Command> buttons = commandsOf(tools);
  for (const CommandEntry& e : commandTable())
    EXPECT_EQ(std::count(buttons.begin(), buttons.end(), e.command), e.tool.shown() ? 1 : 0);
  // The organiser's most used buttons open the toolbar.
  ASSERT_GE(buttons.size(), 3u);
  EXPECT_EQ(buttons[0], Command::CancelAllPairings);
  EXPECT_EQ(buttons[1], Command::OpenTable);
  EXPECT_EQ(buttons[2], Command::SaveTableAs);
}

TEST(CommandTable, GreyingFollowsModeSelectionAndTable) {
  auto t = testing::makeTournament(5);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  const data::Table& table = t->table;
  auto enabled = [&](Command c, bool tableMode, int lines) {
    return commandEnabled(c, ViewState{tableMode, lines}, table);
  };
  // Entries without an action yet, and the editing buttons, are greyed in every state.
  for (Command c : {Command::MakeRatingData, Command::PrintSettings, Command::Cut, Command::Paste})
    for (bool mode : {true, false})
      for (int lines : {0, 1, 2}) EXPECT_FALSE(enabled(c, mode, lines)) << static_cast<int>(c);
  // コピー copies the selected lines of either list; a new player can be registered from
  // either list.
  for (bool mode : {true, false}) {
    EXPECT_FALSE(enabled(Command::Copy, mode, 0));
    EXPECT_TRUE(enabled(Command::Copy, mode, 2));
    EXPECT_TRUE(enabled(Command::RegisterPlayer, mode, 0));
  }
  // A new event can be started whatever the list shows.
  for (bool mode : {true, false}) EXPECT_TRUE(enabled(Command::NewTable, mode, 0));
  // The lottery entries need a table of class 4 or more, but not 6, shown as a table.
  for (int tableClass = 0; tableClass <= 8; ++tableClass) {
    t->table.tableClass = tableClass;
    EXPECT_EQ(enabled(Command::AnalyseLottery, true, 0), tableClass >= 4 && tableClass != 6);
    EXPECT_FALSE(enabled(Command::ShowLotteryConditions, false, 0));
  }
  // Byes are exchanged between two selected participants while no round holds a game.
  EXPECT_TRUE(enabled(Command::ExchangeByes, true, 2));
  EXPECT_FALSE(enabled(Command::ExchangeByes, true, 1));
  EXPECT_FALSE(enabled(Command::ExchangeByes, false, 2));
  EXPECT_FALSE(enabled(Command::ResultSheet, true, 0));
  t->table.setPair(0, 0, 1);
  EXPECT_FALSE(enabled(Command::ExchangeByes, true, 2));
  // The result sheet needs a round with a game, in the table's list.
  EXPECT_TRUE(enabled(Command::ResultSheet, true, 0));
  EXPECT_FALSE(enabled(Command::ResultSheet, false, 0));
  // Undo and redo follow the history, in either list.
  for (bool mode : {true, false}) {
    EXPECT_TRUE(commandEnabled(Command::Undo, ViewState{mode, 0, true, false}, table));
    EXPECT_FALSE(commandEnabled(Command::Redo, ViewState{mode, 0, true, false}, table));
    EXPECT_FALSE(commandEnabled(Command::Undo, ViewState{mode, 0, false, true}, table));
    EXPECT_TRUE(commandEnabled(Command::Redo, ViewState{mode, 0, false, true}, table));
  }
  // The register's commands belong to the player list, the games' commands to the table.
  EXPECT_TRUE(enabled(Command::DeletePlayers, false, 2));
  EXPECT_FALSE(enabled(Command::DeletePlayers, true, 2));
  EXPECT_TRUE(enabled(Command::SetBye, true, 2));
  EXPECT_FALSE(enabled(Command::SetOpponent, true, 2));
  EXPECT_FALSE(enabled(Command::SetBye, false, 1));
}

TEST(CommandTable, ContextStateReadsTheSelectedRowsCellOfTheClickedRound) {
  auto t = testing::makeTournament(3);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->table.setPair(0, 0, 1);
  t->table.opponent[2][0] = data::kBye;
  t->table.opponent[3][0] = data::kAbsent;
  struct Case {
    int line;
    int column;
    bool participant;
    ClickedCell cell;
  };
  const Case cases[] = {
      {-1, 2, true, ClickedCell::Game},    {1, 2, true, ClickedCell::Game},
      {4, 2, true, ClickedCell::Bye},      {7, 2, true, ClickedCell::Game},  // an absence
      {2, 3, true, ClickedCell::Unpaired}, {2, 1, true, ClickedCell::None},
      {2, 5, true, ClickedCell::None},     {2, -1, true, ClickedCell::None},
      {8, 2, false, ClickedCell::None},    {500, 2, false, ClickedCell::None},
  };
  for (const Case& c : cases) {
    const ContextState s = contextState(ViewState{true, 1}, c.line, c.column, t->table);
    EXPECT_EQ(s.participant, c.participant) << c.line << "," << c.column;
    EXPECT_EQ(s.cell, c.cell) << c.line << "," << c.column;
  }
  // In player mode the table is not read.
  EXPECT_FALSE(contextState(ViewState{false, 1}, 1, 2, t->table).participant);
}

TEST(CommandTable, ContextMenuOffersWhatTheCellHolds) {
  auto t = testing::makeTournament(3);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->table.setPair(0, 0, 1);
  t->table.opponent[2][0] = data::kBye;
  auto offered = [&](bool tableMode, int lines, int line, int column) {
    return commandsOf(contextMenu(ViewState{tableMode, lines}, line, column, t->table));
  };
  auto has = [](const std::vector<Command>& menu, Command c) {
    return std::find(menu.begin(), menu.end(), c) != menu.end();
  };
  const std::vector<Command> game = offered(true, 1, 0, 2);
  EXPECT_TRUE(has(game, Command::HandicapAndResult) && has(game, Command::CancelPairing));
  const std::vector<Command> bye = offered(true, 1, 4, 2);
  EXPECT_TRUE(has(bye, Command::CancelPairing) && !has(bye, Command::EnterResult));
  const std::vector<Command> free = offered(true, 1, 4, 3);
  EXPECT_TRUE(has(free, Command::SetBye) && !has(free, Command::CancelPairing));
  // Every participant's menu ends with the participants' entries after a separator; an empty
  // table keeps that separator before its one entry.
  t->table.participantCount = 0;
  const std::vector<MenuItem> empty = contextMenu(ViewState{true, 0}, -1, -1, t->table);
  ASSERT_EQ(empty.size(), 2u);
  EXPECT_TRUE(empty[0].separator());
  EXPECT_EQ(empty[1].command, Command::AddParticipant);
  // The player list offers the register's entries only.
  for (Command c : offered(false, 1, 0, 1)) EXPECT_EQ(findCommand(c)->menu, Menu::Players);
}

}  // namespace
}  // namespace toq::view
