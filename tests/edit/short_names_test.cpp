// Two players never look alike: registration, a walk-in at the reception, the entries import
// and the name-list import give distinct short names to players whose short names would be the
// same, keep a short name someone typed, and the main view marks a pair that still looks alike.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>

#include "data/entry_sheet.h"
#include "data/short_names.h"
#include "edit/entry_import.h"
#include "edit/file_commands.h"
#include "edit/players.h"
#include "edit/reception.h"
#include "edit_fixture.h"
#include "text/cp932.h"
#include "view/grid.h"
#include "view/layout.h"

namespace toq {
namespace {

using text::sj;
using Way = std::function<edit::Outcome(edit::Workspace&, services::Services&)>;

class ShortNames : public testing::EditTest {};

edit::PlayerForm form(const char* name) {
  edit::PlayerForm f = edit::newPlayerForm();
  f.name = name;
  return f;
}

TEST_F(ShortNames, RegistrationReceptionAndImportsProposeDistinctOnes) {
  const Way ways[] = {
      [](auto& ws, auto& ui) { return edit::registerPlayer(ws, ui, form("吉田 優斗")); },
      [](auto& ws, auto& ui) { return edit::registerWalkIn(ws, ui, form("吉田 優斗")); },
      [](auto& ws, auto& ui) {
        const data::EntrySheet sheet = data::readEntrySheet("氏名\n吉田 優斗\n", {});
        return edit::importEntries(ws, ui, edit::planEntries(ws, sheet), true);
      },
      [](auto& ws, auto& ui) {  // the list replaces the register, in the same order
        const std::filesystem::path list = ws.playerFile.parent_path() / "cup.txt";
        std::ofstream(list) << sj("\"吉田 陽菜\"\r\n\"佐藤 蓮\"\r\n\"吉田 優斗\"\r\n");
        edit::Outcome o;
        o.code = edit::importNameList(ws, ui, list);
        return o;
      },
  };
  for (const Way& way : ways) {
    SetUp();
    ui_.clear();
    add(sj("吉田 陽菜"));
    add(sj("佐藤 蓮"));
    ASSERT_TRUE(way(*ws_, ui_).done()) << lastError();
    ASSERT_EQ(ws_->players.count(), 3);
    EXPECT_EQ(text::toUtf8(ws_->players.at(1).shortName), "吉田陽");
    EXPECT_EQ(text::toUtf8(ws_->players.at(3).shortName), "吉田優");
    EXPECT_TRUE(ws_->players.at(2).shortName.empty());
    EXPECT_NE(testing::readFile(ws_->playerFile).find(sj("吉田優")), std::string::npos);
    EXPECT_EQ(
        ui_.texts(services::RecordedMessage::Kind::Information),
        std::vector<std::string>{"省略名が同じにならないよう、吉田 陽菜 を「吉田陽」、吉田 "
                                 "優斗 を「吉田優」としました（対局者データで変えられます）。"});
    TearDown();
  }
}

TEST_F(ShortNames, TypedOnesStayAndTheViewMarksAPairUntilOneIsChanged) {
  // The first player's own short name, the name registered next, the two shown afterwards.
  for (const auto& c : {std::array<const char*, 4>{"", "吉田 陽介", "吉田陽菜", "吉田陽介"},
                        std::array<const char*, 4>{"吉田", "吉田 優斗", "吉田", "吉田優"},
                        std::array<const char*, 4>{"", "吉田", "吉田陽", "吉田"}}) {
    SetUp();
    add(sj("吉田 陽菜"));
    ws_->players.at(1).shortName = sj(c[0]);
    ASSERT_TRUE(edit::registerWalkIn(*ws_, ui_, form(c[1])).done());
    EXPECT_EQ(text::toUtf8(data::shownShortName(ws_->players.at(1))), c[2]);
    EXPECT_EQ(text::toUtf8(data::shownShortName(ws_->players.at(2))), c[3]);
    TearDown();
  }
  SetUp();
  const int a = add(sj("吉田 陽菜"));
  const int b = add(sj("吉田 優斗"));
  add(sj("佐藤 蓮"));
  ws_->players.at(1).shortName = ws_->players.at(2).shortName = sj("吉田");
  const view::Grid grid = view::tableGrid(ws_->table, ws_->players);
  EXPECT_EQ(grid.lookAlikes, (std::vector<int>{a, b}));
  for (const int line : {0, 2, 4})
    EXPECT_EQ(grid.at(line, view::kNameColumn).background == view::kYellow &&
                  grid.at(line, view::kNameColumn).tip,
              line < 4)
        << line;
  ws_->players.at(2).shortName = sj("優斗");
  EXPECT_TRUE(view::tableGrid(ws_->table, ws_->players).lookAlikes.empty());
}

}  // namespace
}  // namespace toq
