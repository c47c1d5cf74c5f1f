// Two faults mended in the commands on participants and players: the last participant removed
// reaches the table file (and reads back as an empty table), and a player who holds a row of
// the table cannot be deleted from the register.
#include <gtest/gtest.h>

#include "data/player_file.h"
#include "data/safe_write.h"
#include "edit/edit_fixture.h"
#include "edit/participants.h"
#include "edit/players.h"

namespace toq {
namespace {

using edit::Stop;

class MendedFaults : public testing::EditTest {};

TEST_F(MendedFaults, RemovingTheLastParticipantSavesAnEmptyTable) {
  add("A");
  ws_->table.numberOfGames = 7;
  ASSERT_EQ(edit::setLockFlag(*ws_, ui_, false).code, 0);
  const std::string withA = testing::readFile(tablePath());

  ui_.answers = {true};
  auto done = edit::removeParticipant(*ws_, ui_, 0);
  ASSERT_EQ(done.code, 0);
  EXPECT_TRUE(done.saved);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->participantCount, 0);
  EXPECT_EQ(disk->numberOfGames, 7);
  EXPECT_EQ(testing::readFile(data::backupPath(tablePath())), withA);

  // What the program reads at its next start: no participant comes back.
  data::Table next;
  next.participantCount = 3;  // whatever the table held before the read
  ASSERT_EQ(data::ReadTableFile(next, tablePath(), ui_), 0);
  EXPECT_EQ(next.participantCount, 0);
  EXPECT_EQ(next.filePath, tablePath());
}

TEST_F(MendedFaults, AnEmptyTableInMemoryNeverOverwritesItsFile) {
  // A table file that could not be read leaves the table empty in memory: saving it then must
  // not replace the file (it is written only by the command that removed the last row).
  add("A");
  ASSERT_EQ(edit::setLockFlag(*ws_, ui_, false).code, 0);
  const std::string withA = testing::readFile(tablePath());
  ws_->table.participantCount = 0;
  EXPECT_EQ(data::WriteTableFile(ws_->table, {}, ui_), 0);
  EXPECT_EQ(edit::setLockFlag(*ws_, ui_, true).code, 0);
  EXPECT_EQ(testing::readFile(tablePath()), withA);
  EXPECT_FALSE(std::filesystem::exists(data::backupPath(tablePath())));
}

TEST_F(MendedFaults, APlayerWhoHoldsARowIsNotDeleted) {
  add("Outside", 1600, 0);
  add("Seated", 1600, 1);
  add("Also outside", 1600, 0);
  ui_.answers = {true, true, true};
  auto done = edit::deletePlayers(*ws_, ui_, {1, 2, 3});
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(done.count, 0);
  EXPECT_EQ(ui_.errors(),
            std::vector<std::string>{"対局者(Seated)は対戦表の参加者なので削除できません。"
                                     "先に対戦表から削除してください。"});
  EXPECT_TRUE(ui_.questions().empty());
  EXPECT_EQ(ws_->players.count(), 3);
  EXPECT_FALSE(std::filesystem::exists(ws_->playerFile));

  // Once the row is gone the player can go too; the others were never held back.
  ui_.clear();
  ui_.answers = {true};
  ASSERT_EQ(edit::removeParticipant(*ws_, ui_, 0).code, 0);
  ui_.answers = {true};
  done = edit::deletePlayers(*ws_, ui_, {2});
  EXPECT_EQ(done.count, 1);
  EXPECT_EQ(ws_->players.count(), 2);
  data::Register disk;
  ASSERT_EQ(data::LoadPlayerFile(disk, ws_->playerFile), 0);
  EXPECT_EQ(disk.count(), 2);
}

}  // namespace
}  // namespace toq
