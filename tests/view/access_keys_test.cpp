// The access keys of the menus: every entry of a menu has one, no two entries of a menu share
// one, and the manual's list of the menus names each entry with the key the program uses.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/builders.h"
#include "view/command_table.h"
#include "view/context_menu.h"
#include "view/menus.h"

namespace toq::view {
namespace {

// The key after '&' ("&A" in "追加(&A)..."), upper-cased; 0 without one.
char accessKey(const std::string& text) {
  const std::size_t at = text.find('&');
  if (at == std::string::npos || at + 1 >= text.size()) return 0;
  const char key = text[at + 1];
  return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

// The text without its access key's mark and without a trailing "...": "追加(A)".
std::string manualName(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  if (out.size() >= 3 && out.compare(out.size() - 3, 3, "...") == 0) out.resize(out.size() - 3);
  return out;
}

std::string readManual() {
  std::ifstream in(TOQ_SOURCE_DIR "/resources/manual.html", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(AccessKeys, EveryMenuEntryHasItsOwnKeyWithinItsMenu) {
  for (const MenuTitle& title : menuBar()) {
    SCOPED_TRACE(title.text);
    std::map<char, std::string> taken;
    for (const MenuItem& item : menuItems(title.menu)) {
      if (item.kind != MenuItem::Kind::Command) continue;
      const CommandEntry* entry = findCommand(item.command);
      ASSERT_TRUE(entry);
      // Entries that are grey for good need no key.
      if (entry->enabled && !entry->enabled(ViewState{true, 1, true, true}, data::Table{}) &&
          !entry->enabled(ViewState{false, 1, true, true}, data::Table{}) &&
          accessKey(entry->text) == 0)
        continue;
      const char key = accessKey(entry->text);
      EXPECT_NE(key, 0) << entry->text << " has no access key";
      const auto [at, added] = taken.emplace(key, entry->text);
      EXPECT_TRUE(added) << entry->text << " and " << at->second << " share (" << key << ")";
    }
  }
  // The menu bar's titles too.
  std::set<char> titles;
  for (const MenuTitle& title : menuBar())
    EXPECT_TRUE(titles.insert(accessKey(title.text)).second) << title.text;
}

TEST(AccessKeys, TheContextMenusOwnKeysDoNotRepeatInAnyState) {
  auto t = testing::makeTournament(3);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  t->table.setPair(0, 0, 1);
  t->table.opponent[2][0] = data::kBye;
  for (bool tableMode : {true, false})
    for (int line : {0, 4})
      for (int column : {-1, 1, 2, 3}) {
        std::set<char> keys;
        for (const MenuItem& item : contextMenu(ViewState{tableMode, 1}, line, column, t->table)) {
          if (item.separator()) continue;
          EXPECT_TRUE(keys.insert(accessKey(item.text)).second)
              << item.text << " mode " << tableMode << " line " << line << " column " << column;
        }
      }
}

TEST(AccessKeys, TheManualNamesEachMenuEntryWithTheProgramsKey) {
  const std::string manual = readManual();
  // The manual's tables of the menu bar's menus, from ファイル to ヘルプ.
  const std::size_t begin = manual.find("<h3>ファイル</h3>");
  const std::size_t end = manual.find("<h3>ツールバー</h3>");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  const std::string commands = manual.substr(begin, end - begin);
  // Every entry of the menu bar with a key appears in the manual's list under its text.
  std::map<std::string, char> keyOf;  // the entry's text without its key: the key
  for (const CommandEntry& entry : commandTable()) {
    if (entry.menu == Menu::None || accessKey(entry.text) == 0) continue;
    if (entry.enabled && !entry.enabled(ViewState{true, 1, true, true}, data::Table{}) &&
        !entry.enabled(ViewState{false, 1, true, true}, data::Table{}) &&
        entry.command != Command::ShowLotteryConditions && entry.command != Command::AnalyseLottery)
      continue;  // grey for good: the manual does not describe it
    const std::string name = manualName(entry.text);
    EXPECT_NE(commands.find(name), std::string::npos) << "the manual lacks " << name;
    keyOf[name.substr(0, name.rfind('('))] = accessKey(entry.text);
  }
  // And wherever the manual names a menu entry with a key, it is that entry's key.
  int named = 0;
  for (const auto& [name, key] : keyOf) {
    const std::string opened = name + "(";
    for (std::size_t p = commands.find(opened); p != std::string::npos;
         p = commands.find(opened, p + 1)) {
      const std::size_t at = p + opened.size();
      if (at + 1 >= commands.size() || commands[at + 1] != ')') continue;
      EXPECT_EQ(commands[at], key) << name;
      ++named;
    }
  }
  EXPECT_GE(named, static_cast<int>(keyOf.size()));
}

}  // namespace
}  // namespace toq::view
