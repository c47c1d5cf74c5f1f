// Two programs on one table: a change that another program wrote between two commands is read
// before the next change and survives it; an unchanged file is not read again; a vanished
// file keeps the table in memory; what this program has not saved is never thrown away.
#include <gtest/gtest.h>

#include <fstream>

#include "data/player_file.h"
#include "data/safe_write.h"
#include "edit/backup_open.h"
#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/pairing_edits.h"
#include "edit/players.h"
#include "edit/result_entry.h"
#include "edit/results.h"
#include "edit/rounds.h"
#include "edit/unsaved.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::given;
using testing::readFile;

class Freshness : public testing::EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    addRows(4);
    play(0, 0, 1);
    play(0, 2, 3);
    ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
    ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
    before_ = std::make_unique<data::Table>(ws_->table);
    ui_.clear();
  }

  /// Another program on the same files (the window, toq-cli), opened now.
  std::unique_ptr<edit::Workspace> other() {
    auto o = std::make_unique<edit::Workspace>();
    EXPECT_EQ(edit::openTable(*o, quiet_, tablePath()), 0);
    return o;
  }

  /// What the file should hold for a table, written by the writer to the same path (the file
  /// itself is put back; its backup is not).
  std::string bytesOf(const data::Table& t) {
    const std::string now = readFile(tablePath());
    EXPECT_EQ(data::WriteTableFile(t, tablePath(), quiet_), 0);
    const std::string expected = readFile(tablePath());
    std::ofstream(tablePath(), std::ios::binary) << now;
    return expected;
  }

  services::RecordingServices quiet_;
  std::unique_ptr<data::Table> before_;  ///< the table as both programs first had it
};

TEST_F(Freshness, AnotherWritersChangeBetweenTwoCommandsSurvives) {
  // The other program enters a result of round 1.
  auto o = other();
  ASSERT_EQ(edit::enterResultCode(*o, quiet_, 0, 0, data::kWin).code, 0);  // row 0 wins

  // This program's next command: the check reads the file first and says so.
  EXPECT_TRUE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.statuses(), std::vector<std::string>{edit::texts::kTableReread});
  EXPECT_EQ(ws_->table.result[0][0], data::kWin);
  ASSERT_EQ(edit::enterResultCode(*ws_, ui_, 2, 0, data::kLoss).code, 0);  // row 2 loses

  // Both results, as one program entering them in turn would have written them.
  auto expected = std::make_unique<data::Table>(*before_);
  for (auto [row, result] :
       {std::pair{0, data::kWin}, {1, data::kLoss}, {2, data::kLoss}, {3, data::kWin}})
    expected->result[row][0] = result;
  EXPECT_TRUE(testing::sameEntries(ws_->table, *expected));
  // The previous version, the other program's, is the backup.
  auto backup = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*backup, data::backupPath(tablePath()), quiet_), 0);
  EXPECT_EQ(backup->result[0][0], data::kWin);
  EXPECT_EQ(backup->result[2][0], data::kResultNone);
  EXPECT_EQ(readFile(tablePath()), bytesOf(*expected));
}

TEST_F(Freshness, AnUnchangedFileIsNotReadAgain) {
  // An entry changed in memory only: a re-read would bring the file's value back.
  ws_->table.side[0][0] = data::kSideFirst;
  // A later modification time with the same bytes (a copy, a backup program) is no change.
  std::filesystem::last_write_time(
      tablePath(), std::filesystem::last_write_time(tablePath()) + std::chrono::hours(1));
  for (int check = 0; check < 2; ++check) {
    EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
    EXPECT_EQ(ws_->table.side[0][0], data::kSideFirst);
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Freshness, AVanishedFileKeepsTheTableInMemory) {
  std::filesystem::remove(tablePath());
  auto before = std::make_unique<data::Table>(ws_->table);
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  ASSERT_EQ(ui_.warnings().size(), 1u);
  EXPECT_NE(ui_.warnings()[0].find("が見つかりません"), std::string::npos);
  EXPECT_TRUE(testing::sameEntries(ws_->table, *before));
  EXPECT_TRUE(edit::unsavedChanges(*ws_).table);
  // Said once; the next save puts the table back.
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.warnings().size(), 1u);
  ASSERT_EQ(edit::saveAll(*ws_, ui_), 0);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, *before));
}

TEST_F(Freshness, UnsavedChangesAreKeptWhenTheFileChangedToo) {
  auto o = other();
  ASSERT_EQ(edit::setBye(*o, quiet_, 0).code, 0);  // round 2
  // This program cancelled every pairing, and the write of that change failed.
  ws_->table.ResetEntries();
  edit::markTableChanged(*ws_);
  ui_.clear();
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.warnings().size(), 1u);
  EXPECT_EQ(ws_->table.opponent[0][0], data::kUnpaired);  // the cancel stands
  // Told once; the save then replaces the other program's version, which the backup keeps.
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.warnings().size(), 1u);
  ASSERT_EQ(edit::saveAll(*ws_, ui_), 0);
  auto backup = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*backup, data::backupPath(tablePath()), quiet_), 0);
  EXPECT_EQ(backup->opponent[0][1], data::kBye);
}

TEST_F(Freshness, ARegistrationByAnotherProgramIsReadBeforeTheNextOne) {
  // toq-cli register on the player file, then a registration in this program.
  auto o = other();
  ASSERT_EQ(edit::registerPlayer(*o, quiet_, {"Other", "", 1500, false}).code, 0);
  EXPECT_TRUE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.statuses(), std::vector<std::string>{edit::texts::kPlayersReread});
  ASSERT_EQ(edit::registerPlayer(*ws_, ui_, {"Mine", "", 1700, false}).code, 0);
  data::Register disk;
  ASSERT_EQ(data::LoadPlayerFile(disk, ws_->playerFile), 0);
  ASSERT_EQ(disk.count(), 6);
  EXPECT_EQ(disk.at(5).name, "Other");
  EXPECT_EQ(disk.at(6).name, "Mine");
}

TEST_F(Freshness, ADamagedFileFromAnotherProgramLeavesTheTableAsItWas) {
  std::ofstream(tablePath(), std::ios::binary) << text::sj("$回戦数      :99\r\n");
  auto before = std::make_unique<data::Table>(ws_->table);
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.errors().size(), 1u);  // the reader's message, once
  EXPECT_TRUE(testing::sameEntries(ws_->table, *before));
  // Not read whole: never written over, not even by a later save.
  EXPECT_NE(ws_->tableNotWhole.find("1行目: 回戦数は1から32までです"), std::string::npos)
      << ws_->tableNotWhole;
  EXPECT_EQ(edit::writeTable(*ws_, ui_), -1);
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_EQ(ui_.errors().size(), 1u);
}

TEST_F(Freshness, TheSameTablesReadAgainAreTakenSilently) {
  // A front end that read the files itself, without the record: the first check reads them.
  auto o = std::make_unique<edit::Workspace>();
  ASSERT_EQ(data::OpenTableFile(o->players, o->table, tablePath(), o->playerFile, quiet_), 0);
  EXPECT_FALSE(edit::rereadChangedFiles(*o, ui_));  // the same tables: nothing to refresh
  EXPECT_TRUE(o->tableOnDisk.known());
  EXPECT_TRUE(o->playersOnDisk.known());
  EXPECT_FALSE(edit::hasUnsavedChanges(*o));
  // Another program wrote the same table under another spelling of its name: only the header
  // differs. Read, taken as the version seen, and nothing said.
  ASSERT_EQ(data::WriteTableFile(o->table, tablePath().parent_path() / "." / "cup.tai", quiet_), 0);
  EXPECT_FALSE(edit::rereadChangedFiles(*o, ui_));
  EXPECT_TRUE(o->tableOnDisk.holds(tablePath(), readFile(tablePath())));
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
}  // namespace toq

namespace toq {
namespace {

// A file that does not read whole is never written over: not when it is opened (every change
// and every save refused, what could be read there to look at), not when another program
// broke it while this one had it (the last good state stays, changes answer NotReadWhole),
// and its backup can be put in its place, the broken file kept aside.
class NotReadWhole : public Freshness {
 protected:
  void breakPlayerFile() {
    std::string bytes = readFile(ws_->playerFile);
    const std::size_t second = bytes.find("0002,");
    ASSERT_NE(second, std::string::npos);
    bytes.insert(second + 12, std::string(1, '\0'));
    std::ofstream(ws_->playerFile, std::ios::binary) << bytes;
    broken_ = bytes;
  }
  edit::Outcome enterThroughDoor() {
    return edit::runCommand(*ws_, ui_, edit::StepRule{"x"},
                            [&] { return edit::enterResultCode(*ws_, ui_, 0, 0, data::kWin); },
                            journal::Who::cli())
        .outcome;
  }
  std::string broken_;
};

TEST_F(NotReadWhole, ABrokenFileChangedWhileOpenKeepsTheLastGoodStateAndTakesNoChange) {
  ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);  // P0..P3 on file, then made backup-able
  ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
  const data::Register good = ws_->players;
  breakPlayerFile();
  const edit::Outcome o = enterThroughDoor();
  EXPECT_EQ(o.stop, edit::Stop::NotReadWhole);
  EXPECT_EQ(ws_->players, good);
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_EQ(readFile(ws_->playerFile), broken_);
  EXPECT_NE(lastError().find("cup.ply の 4行目: NUL文字（U+0000）があります"), std::string::npos)
      << lastError();
  EXPECT_EQ(edit::saveAll(*ws_, ui_), 0);  // nothing unsaved: nothing written
  EXPECT_EQ(edit::writePlayers(*ws_, ui_), -1);
  EXPECT_EQ(readFile(ws_->playerFile), broken_);

  // Mended by the other program: the next change reads it and goes through.
  ASSERT_EQ(data::WritePlayerFile(good, ws_->playerFile), 0);
  EXPECT_TRUE(enterThroughDoor().done());
  EXPECT_TRUE(ws_->notReadWhole().empty());
}

TEST_F(NotReadWhole, OpenedReadOnlyThenItsBackupPutInItsPlace) {
  ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);  // the backup holds the four players
  breakPlayerFile();
  auto opened = std::make_unique<edit::Workspace>();
  EXPECT_EQ(edit::openTable(*opened, quiet_, tablePath()), -1);
  EXPECT_NE(opened->playersNotWhole.find("4行目"), std::string::npos);
  EXPECT_EQ(opened->players.count(), 3);  // every record but the broken one, to look at
  EXPECT_EQ(edit::writeTable(*opened, quiet_), -1);
  EXPECT_EQ(readFile(ws_->playerFile), broken_);

  ASSERT_EQ(edit::openBackup(*opened, quiet_), 0);
  EXPECT_TRUE(opened->notReadWhole().empty());
  EXPECT_EQ(opened->players, ws_->players);
  bool keptAside = false;
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    keptAside = keptAside || (entry.path().filename().string().starts_with("cup.ply.unread-") &&
                              readFile(entry.path()) == broken_);
  EXPECT_TRUE(keptAside);
}

}  // namespace
}  // namespace toq
