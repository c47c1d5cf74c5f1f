// Two players never look alike: a registration, a walk-in at the reception and the entries
// import give distinct short names to players whose short names would be the same, keep a
// short name someone typed, and the main view marks a pair that still looks alike.

#include <gtest/gtest.h>

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

namespace toq {
namespace {

using text::sj;

class ShortNames : public testing::EditTest {};

TEST_F(ShortNames, RegistrationReceptionAndImportProposeDistinctOnes) {
  using Way = std::function<edit::Outcome(edit::Workspace&, services::Services&)>;
  const auto form = [](const char* name) {
    edit::PlayerForm f = edit::newPlayerForm();
    f.name = name;
    return f;
  };
  const std::pair<const char*, Way> ways[] = {
      {"registration",
       [&](edit::Workspace& ws, services::Services& ui) {
         return edit::registerPlayer(ws, ui, form("吉田 優斗"));
       }},
      {"reception",
       [&](edit::Workspace& ws, services::Services& ui) {
         return edit::registerWalkIn(ws, ui, form("吉田 優斗"));
       }},
      {"import",
       [](edit::Workspace& ws, services::Services& ui) {
         const data::EntrySheet sheet = data::readEntrySheet("氏名\n吉田　優斗\n", {});
         return edit::importEntries(ws, ui, edit::planEntries(ws, sheet), true);
       }},
  };
  for (const auto& [what, way] : ways) {
    SCOPED_TRACE(what);
    SetUp();
    ui_.clear();
    add(sj("吉田 陽菜"));
    add(sj("佐藤 蓮"));
    ASSERT_TRUE(way(*ws_, ui_).done()) << lastError();
    ASSERT_EQ(ws_->players.count(), 3);
    EXPECT_EQ(text::toUtf8(ws_->players.at(1).shortName), "吉田陽");
    EXPECT_EQ(text::toUtf8(ws_->players.at(3).shortName), "吉田優");
    EXPECT_TRUE(ws_->players.at(2).shortName.empty());
    const auto told = ui_.texts(services::RecordedMessage::Kind::Information);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told.back().rfind("省略名が同じにならないよう、吉田 陽菜 を「吉田陽」、", 0), 0u)
        << told.back();
    EXPECT_NE(told.back().find("を「吉田優」としました（対局者データで変えられます）。"),
              std::string::npos)
        << told.back();
    TearDown();
  }
}

TEST_F(ShortNames, TypedOnesStayAndTheViewMarksAPairUntilOneIsChanged) {
  struct Case {
    const char* first;       // the first player's own short name
    const char* second;      // the name registered next
    const char* firstAfter;  // the short names shown afterwards
    const char* secondAfter;
  };
  for (const Case& c :
       {Case{"", "吉田 陽介", "吉田陽菜", "吉田陽介"}, Case{"吉田", "吉田 優斗", "吉田", "吉田優"},
        Case{"", "吉田", "吉田陽", "吉田"}}) {
    SCOPED_TRACE(c.second);
    SetUp();
    add(sj("吉田 陽菜"));
    ws_->players.at(1).shortName = sj(c.first);
    edit::PlayerForm f = edit::newPlayerForm();
    f.name = c.second;
    ASSERT_TRUE(edit::registerWalkIn(*ws_, ui_, f).done());
    EXPECT_EQ(text::toUtf8(data::shownShortName(ws_->players.at(1))), c.firstAfter);
    EXPECT_EQ(text::toUtf8(data::shownShortName(ws_->players.at(2))), c.secondAfter);
    TearDown();
  }
  // Two typed alike: marked in the view until one changes.
  SetUp();
  const int a = add(sj("吉田 陽菜"));
  const int b = add(sj("吉田 優斗"));
  add(sj("佐藤 蓮"));
  ws_->players.at(1).shortName = sj("吉田");
  ws_->players.at(2).shortName = sj("吉田");
  view::Grid grid = view::tableGrid(ws_->table, ws_->players);
  EXPECT_EQ(grid.lookAlikes, (std::vector<int>{a, b}));
  EXPECT_EQ(grid.at(0, 1).background, view::kYellow);
  EXPECT_EQ(grid.at(2, 1).background, view::kYellow);
  EXPECT_NE(grid.at(4, 1).background, view::kYellow);
  ws_->players.at(2).shortName = sj("優斗");
  EXPECT_TRUE(view::tableGrid(ws_->table, ws_->players).lookAlikes.empty());
}

TEST_F(ShortNames, TheNameListImportGivesThemTooAndWritesThem) {
  const std::filesystem::path list = std::filesystem::path(dir_) / "cup.txt";
  std::ofstream(list, std::ios::binary) << sj("\"吉田 陽菜\",1500\r\n\"吉田 優斗\",1400\r\n");
  ASSERT_EQ(edit::importNameList(*ws_, ui_, list), 0);
  ASSERT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(text::toUtf8(ws_->players.at(1).shortName), "吉田陽");
  EXPECT_EQ(text::toUtf8(ws_->players.at(2).shortName), "吉田優");
  EXPECT_NE(testing::readFile(ws_->playerFile).find(sj("吉田優")), std::string::npos);
}

}  // namespace
}  // namespace toq
