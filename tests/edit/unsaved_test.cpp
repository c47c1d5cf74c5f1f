// Nothing typed is lost: which changes no file has received, from a fresh start without files,
// a failed write and a change left to a later save, and how saveAll and saveEventAs put them
// on disk; a program that only read its files has nothing unsaved.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "data/player_file.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/new_event.h"
#include "edit/pairing_edits.h"
#include "edit/participants.h"
#include "edit/players.h"
#include "edit/rounds.h"
#include "edit/unsaved.h"

namespace toq {
namespace {

using edit::given;
using edit::UnsavedChanges;

class Unsaved : public testing::EditTest {
 protected:
  /// A program started without any file: no table file, no player file.
  void startWithoutFiles() {
    ws_->table.SetTableFile({});
    ws_->playerFile.clear();
  }
  edit::Outcome registerNamed(const char* name) {
    return edit::registerPlayer(*ws_, ui_, {name, "", 1600, false});
  }
  edit::Outcome addToTable(int number) { return edit::addParticipant(*ws_, ui_, given(number)); }
  UnsavedChanges state() const { return edit::unsavedChanges(*ws_); }
};

TEST_F(Unsaved, AFreshStartWithoutFilesKeepsEverythingUntilTheEventHasAFile) {
  startWithoutFiles();
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));

  // Registering and building a table: done in memory, said to be unsaved, no error box.
  ASSERT_EQ(registerNamed("Alpha").code, 0);
  ASSERT_EQ(registerNamed("Beta").code, 0);
  EXPECT_EQ(state(), (UnsavedChanges{false, true}));
  const edit::Outcome added = addToTable(1);
  EXPECT_TRUE(added.changed);
  EXPECT_FALSE(added.saved);
  EXPECT_EQ(added.code, -2);
  EXPECT_EQ(state(), (UnsavedChanges{true, true}));
  EXPECT_TRUE(edit::needsEventFile(*ws_));
  EXPECT_TRUE(ui_.errors().empty());
  EXPECT_EQ(ui_.statuses().back(), edit::texts::kTableNotOnFile);

  // Saving without a file is refused clearly; nothing is written, nothing dropped.
  EXPECT_EQ(edit::saveAll(*ws_, ui_), -1);
  EXPECT_EQ(lastError(), edit::texts::kNoFileNamed);
  EXPECT_EQ(state(), (UnsavedChanges{true, true}));

  // The event's file given: both written, the readers take them back.
  const auto file = std::filesystem::path(dir_) / "spring";
  ASSERT_EQ(edit::saveEventAs(*ws_, ui_, file), 0);
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
  EXPECT_EQ(ws_->table.filePath, std::filesystem::path(dir_) / "spring.tai");
  EXPECT_EQ(ws_->playerFile, std::filesystem::path(dir_) / "spring.ply");
  EXPECT_EQ(ws_->table.title, "spring");
  auto back = std::make_unique<edit::Workspace>();
  ASSERT_EQ(edit::openTable(*back, ui_, ws_->table.filePath), 0);
  EXPECT_EQ(back->players.all(), ws_->players.all());
  EXPECT_TRUE(testing::sameEntries(back->table, ws_->table));
  // Later commands write there by themselves.
  ASSERT_EQ(addToTable(2).code, 0);
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
}

TEST_F(Unsaved, AFailedWriteStaysUnsavedUntilASaveGoesThrough) {
  addRows(2);
  // A folder that is a plain file: no user, root included, can write there.
  const auto blocked = std::filesystem::path(dir_) / "blocked";
  std::ofstream(blocked) << "x";
  ws_->table.SetTableFile(blocked / "cup.tai");
  ws_->playerFile = blocked / "cup.ply";

  EXPECT_EQ(edit::setBye(*ws_, ui_, 0).code, -2);
  EXPECT_EQ(registerNamed("Gamma").code, -2);
  EXPECT_EQ(state(), (UnsavedChanges{true, true}));
  EXPECT_FALSE(edit::needsEventFile(*ws_));  // the files are named, only not writable
  EXPECT_EQ(edit::saveAll(*ws_, ui_), -2);
  EXPECT_EQ(state(), (UnsavedChanges{true, true}));

  // The folder is there again.
  std::filesystem::remove(blocked);
  std::filesystem::create_directory(blocked);
  ASSERT_EQ(edit::saveAll(*ws_, ui_), 0);
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
  data::Register players;
  ASSERT_EQ(data::LoadPlayerFile(players, ws_->playerFile), 0);
  EXPECT_EQ(players.all(), ws_->players.all());
}

TEST_F(Unsaved, WhatEachKindOfChangeLeaves) {
  using Ui = services::RecordingServices;
  const edit::PlayerForm delta{"Delta", "", 1600, false};
  struct Case {
    const char* what;
    std::function<void(edit::Workspace&, Ui&)> change;
    UnsavedChanges left;
  };
  const Case cases[] = {
      {"a command that writes the table",
       [](edit::Workspace& ws, Ui& ui) { edit::setBye(ws, ui, 0); },
       {false, false}},
      {"cancelling every pairing, written like every other change",
       [](edit::Workspace& ws, Ui& ui) { edit::cancelAllPairings(ws, ui); },
       {false, false}},
      {"a change of a table that has no file",
       [](edit::Workspace& ws, Ui& ui) {
         ws.table.SetTableFile({});
         edit::setBye(ws, ui, 0);
         ws.table.SetTableFile(ws.playerFile.parent_path() / "cup.tai");
       },
       {true, false}},
      {"a registration with the player file named",
       [&](edit::Workspace& ws, Ui& ui) { edit::registerPlayer(ws, ui, delta); },
       {false, false}},
      {"a registration with no player file",
       [&](edit::Workspace& ws, Ui& ui) {
         ws.playerFile.clear();
         edit::registerPlayer(ws, ui, delta);
       },
       {false, true}},
      {"a question answered No",
       [](edit::Workspace& ws, Ui& ui) {
         ui.answers = {false};
         edit::cancelAllPairings(ws, ui);
       },
       {false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    addRows(2);
    ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
    c.change(*ws_, ui_);
    EXPECT_EQ(state(), c.left);
    // Whatever was left, saveAll puts it where it belongs.
    ASSERT_EQ(edit::saveAll(*ws_, ui_), 0);
    EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
  }
}

TEST_F(Unsaved, ARegisterWithoutAFileOfItsOwnGoesBesideTheTable) {
  addRows(2);
  ws_->playerFile.clear();
  ASSERT_EQ(registerNamed("Epsilon").code, 0);
  ASSERT_EQ(edit::saveAll(*ws_, ui_), 0);
  EXPECT_EQ(ws_->playerFile, std::filesystem::path(dir_) / "cup.ply");
  data::Register players;
  ASSERT_EQ(data::LoadPlayerFile(players, ws_->playerFile), 0);
  EXPECT_EQ(players.count(), 3);
}

TEST_F(Unsaved, ReadingFilesChangesNothing) {
  addRows(3);
  ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
  ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
  auto reader = std::make_unique<edit::Workspace>();
  ASSERT_EQ(edit::openTable(*reader, ui_, tablePath()), 0);
  EXPECT_FALSE(edit::rereadChangedFiles(*reader, ui_));
  EXPECT_FALSE(edit::hasUnsavedChanges(*reader));
  const auto written = std::filesystem::last_write_time(tablePath());
  EXPECT_EQ(edit::saveAll(*reader, ui_), 0);  // nothing to do: nothing written
  EXPECT_EQ(std::filesystem::last_write_time(tablePath()), written);
}

}  // namespace
}  // namespace toq
