// "新規対戦表": an empty table with its file written at once, the register kept or emptied and
// written beside it, the event named after the file; refused ranges and folders change
// nothing; then a whole first round through the commands, with the table file at each step.
#include <gtest/gtest.h>

#include <fstream>

#include "data/player_file.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/new_event.h"
#include "edit/pair_command.h"
#include "edit/participants.h"
#include "edit/players.h"
#include "edit/unsaved.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::given;
using edit::Stop;
using testing::readFile;

class NewEvent : public testing::EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    // The program holds an event: two players, one round paired, both files written.
    addRows(2);
    play(0, 0, 1, data::kWin);
    ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
    ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
    ui_.clear();
  }
  std::filesystem::path eventPath(const char* base) const {
    return std::filesystem::path(dir_) / base;
  }
};

TEST_F(NewEvent, AnEmptyTableAndTheRegisterAreWrittenAtOnce) {
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "register kept" : "register emptied");
    const auto target = eventPath(keep ? "autumn" : "winter.tai");
    const auto before = ws_->players.all();
    const edit::Outcome done = edit::newEvent(*ws_, ui_, target, 7, keep);
    ASSERT_EQ(done.code, 0);
    EXPECT_TRUE(done.saved);

    const auto tai = eventPath(keep ? "autumn.tai" : "winter.tai");
    const auto ply = eventPath(keep ? "autumn.ply" : "winter.ply");
    EXPECT_EQ(ws_->table.filePath, tai);
    EXPECT_EQ(ws_->playerFile, ply);
    EXPECT_EQ(ws_->table.title, keep ? "autumn" : "winter");
    EXPECT_EQ(ws_->table.participantCount, 0);
    EXPECT_EQ(ws_->table.numberOfGames, 7);
    EXPECT_EQ(ws_->table.opponent[0][0], data::kUnpaired);  // nothing left of the old table
    EXPECT_EQ(ws_->players.all(), keep ? before : std::vector<data::Player>{});
    EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));

    // On disk: the empty table with its number of games, and the register.
    const std::string text = readFile(tai);
    EXPECT_NE(text.find(text::sj("$人数        :0\r\n$回戦数      :7\r\n")), std::string::npos);
    auto back = std::make_unique<edit::Workspace>();
    ASSERT_EQ(edit::openTable(*back, ui_, tai), 0);
    EXPECT_TRUE(testing::sameEntries(back->table, ws_->table));
    EXPECT_EQ(back->players.all(), ws_->players.all());
    // The previous event's files are as they were.
    auto old = onDisk();
    ASSERT_TRUE(old);
    EXPECT_EQ(old->participantCount, 2);
  }
}

TEST_F(NewEvent, RefusalsChangeNothing) {
  const auto blocked = eventPath("blocked");
  std::ofstream(blocked) << "x";
  struct Case {
    const char* what;
    edit::NewEventChoice choice;
    const char* message;  // part of the error shown
  };
  const Case cases[] = {
      {"no game", {eventPath("a"), 0, true}, "1 から 32"},
      {"33 games", {eventPath("a"), 33, true}, "1 から 32"},
      {"no file", {{}, 9, true}, "対戦表ファイルを指定"},
      {"a folder that cannot be written", {blocked / "a.tai", 9, false}, "保存できませんでした"},
      {"a name Shift-JIS cannot hold", {eventPath("大会\xF0\x9F\x98\x80"), 9, true}, "シフトJIS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui_.clear();
    auto table = std::make_unique<data::Table>(ws_->table);
    const auto players = ws_->players.all();
    const edit::Outcome o = edit::newEvent(*ws_, ui_, c.choice);
    EXPECT_EQ(o.code, -1);
    EXPECT_EQ(o.stop, Stop::Refused);
    ASSERT_FALSE(ui_.errors().empty());
    EXPECT_NE(ui_.errors().front().find(c.message), std::string::npos) << ui_.errors().front();
    EXPECT_TRUE(testing::sameEntries(ws_->table, *table));
    EXPECT_EQ(ws_->table.filePath, tablePath());
    EXPECT_EQ(ws_->players.all(), players);
    EXPECT_FALSE(std::filesystem::exists(eventPath("a.tai")));
  }
}

TEST_F(NewEvent, UnsavedWorkGoesToItsFileOrIsDroppedOnlyOnYes) {
  // A table with a file: its pending change is written before it is replaced.
  ws_->table.result[0][0] = data::kDraw;
  ws_->table.result[1][0] = data::kDraw;
  edit::markTableChanged(*ws_);
  ASSERT_EQ(edit::newEvent(*ws_, ui_, eventPath("one"), 5, true).code, 0);
  EXPECT_TRUE(ui_.questions().empty());
  EXPECT_EQ(onDisk()->result[0][0], data::kDraw);

  // A table built before any file was named: asked, and No keeps it.
  ws_->table.SetTableFile({});
  ASSERT_EQ(edit::addParticipant(*ws_, ui_, given(1)).code, -2);
  ui_.answers = {false};
  const edit::Outcome declined = edit::newEvent(*ws_, ui_, eventPath("two"), 5, true);
  EXPECT_EQ(declined.stop, Stop::Declined);
  EXPECT_EQ(ui_.questions().back(), edit::texts::kDiscardQuestion);
  EXPECT_EQ(ws_->table.participantCount, 1);
  EXPECT_FALSE(std::filesystem::exists(eventPath("two.tai")));
  ui_.answers = {true};
  ASSERT_EQ(edit::newEvent(*ws_, ui_, eventPath("two"), 5, true).code, 0);
  EXPECT_EQ(ws_->table.participantCount, 0);
}

TEST_F(NewEvent, AFirstRoundIsBuiltAndWrittenStepByStep) {
  ASSERT_EQ(edit::newEvent(*ws_, ui_, eventPath("cup2026"), 3, false).code, 0);
  const auto tai = eventPath("cup2026.tai");
  for (const char* name : {"Ann", "Ben", "Cid", "Dan"}) {
    const edit::Outcome reg = edit::registerPlayer(*ws_, ui_, {name, "", 1600, false});
    ASSERT_EQ(reg.code, 0);
    EXPECT_TRUE(reg.saved);
    ASSERT_EQ(edit::addParticipant(*ws_, ui_, given(reg.other)).code, 0);
    auto disk = std::make_unique<data::Table>();
    ASSERT_EQ(data::ReadTableFile(*disk, tai, ui_), 0);
    EXPECT_EQ(disk->participantCount, reg.other);
  }
  ASSERT_EQ(edit::pairNextRound(*ws_, ui_, {}), 0);
  auto disk = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*disk, tai, ui_), 0);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));
  for (int row = 0; row < 4; ++row) EXPECT_GE(disk->opponent[row][0], 0);
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
}

}  // namespace
}  // namespace toq
