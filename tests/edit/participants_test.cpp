// Participants: the chooser's list, adding and removing rows, the lock flag.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/participants.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::given;
using edit::Stop;

class Participants : public testing::EditTest {
 protected:
  int addClassed(const std::string& name, int klass) {
    const int n = add(name, 1600, 0);
    ws_->players.at(ws_->players.count()).klass = klass;
    return n;
  }
};

TEST_F(Participants, ChooserOffersTheTablesClassFirstAndSkipsParticipants) {
  ws_->table.tableClass = 2;
  const int c3 = addClassed("C3", 3);
  const int c0 = addClassed("C0", 0);
  addClassed("Free", 7);
  const int c2 = addClassed("C2", 2);
  addClassed("Retired", 9);
  const int c5 = addClassed("C5", 5);
  const int in = add("In");  // already a participant
  auto list = edit::participantChoices(*ws_);
  std::vector<int> numbers;
  for (const auto& c : list) numbers.push_back(c.number);
  EXPECT_EQ(numbers, (std::vector<int>{c0, c2, c3, c5}));
  EXPECT_EQ(list[0].name, "C0");
  (void)in;
}

TEST_F(Participants, AddAppendsAnEmptyRowAndWritesTheTable) {
  addRows(2);
  play(0, 0, 1);
  const int newcomer = add("New", 1500, 0);
  // The row slot may hold entries left by a removed participant.
  ws_->table.opponent[2][1] = 0;
  std::size_t offered = 0;
  auto done =
      edit::addParticipant(*ws_, ui_, [&](const std::vector<edit::ParticipantChoice>& list) {
        offered = list.size();
        return std::optional<int>(newcomer);
      });
  EXPECT_EQ(offered, 1u);
  ASSERT_EQ(done.code, 0);
  EXPECT_TRUE(done.saved);
  EXPECT_EQ(done.row, 2);
  EXPECT_EQ(done.other, newcomer);
  EXPECT_EQ(ws_->table.participantCount, 3);
  EXPECT_EQ(ws_->table.opponent[2][1], data::kUnpaired);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->participantCount, 3);
  EXPECT_EQ(disk->participants[2], newcomer);
}

TEST_F(Participants, AddRefusals) {
  addRows(2);
  int opened = 0;
  auto chooser = [&](int n) {
    return [&opened, n](const std::vector<edit::ParticipantChoice>&) {
      ++opened;
      return std::optional<int>(n);
    };
  };
  EXPECT_EQ(edit::addParticipant(*ws_, ui_, chooser(42)).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "番号 42 の対局者は登録されていません。");
  EXPECT_EQ(edit::addParticipant(*ws_, ui_, chooser(1)).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "P0 はすでに対戦表にあります。");
  EXPECT_EQ(edit::addParticipant(
                *ws_, ui_,
                [](const std::vector<edit::ParticipantChoice>&) { return std::optional<int>(); })
                .stop,
            Stop::Declined);
  EXPECT_EQ(ws_->table.participantCount, 2);
  EXPECT_FALSE(tableWritten());

  ws_->table.lockFlag = 1;
  opened = 0;
  const int late = add("Late", 1600, 0);
  EXPECT_EQ(edit::addParticipant(*ws_, ui_, chooser(late)).stop, Stop::Locked);
  EXPECT_EQ(opened, 0);
}

TEST_F(Participants, AddRefusesThe100thRow) {
  for (int i = 0; i < 99; ++i) add("P" + std::to_string(i));
  const int extra = add("Extra", 1600, 0);
  auto done = edit::addParticipant(*ws_, ui_, given(extra));
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "最大登録人数です。");
  EXPECT_EQ(ws_->table.participantCount, 99);
}

TEST_F(Participants, RemoveAsksWithTheRightWordingAndWrites) {
  addRows(3);
  ui_.answers = {false};
  EXPECT_EQ(edit::removeParticipant(*ws_, ui_, 1).stop, Stop::Declined);
  EXPECT_EQ(ui_.questions().back(), "選択対局者 P1 を削除しますか？");
  EXPECT_EQ(ui_.messages.back().caption, "確認");
  EXPECT_EQ(ws_->table.participantCount, 3);

  auto done = edit::removeParticipant(*ws_, ui_, 0);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(ws_->table.participantCount, 2);
  EXPECT_EQ(ws_->table.participants[0], 2);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->participantCount, 2);
  EXPECT_EQ(disk->participants[0], 2);
}

TEST_F(Participants, RemoveWithPairingsWarnsAndLeavesTheEntriesInPlace) {
  addRows(3);
  play(0, 0, 1, data::kWin);
  ws_->table.opponent[2][0] = data::kBye;
  ASSERT_EQ(edit::removeParticipant(*ws_, ui_, 0).code, 0);
  EXPECT_EQ(ui_.questions().back(),
            "対戦データがありますが、選択対局者 P0 を削除しますか？\r\n勝敗は異常になります。");
  // The former row 1 player now shows row 0's pairing.
  EXPECT_EQ(ws_->table.participants[0], 2);
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
  EXPECT_EQ(ws_->table.result[0][0], data::kWin);

  EXPECT_EQ(edit::removeParticipant(*ws_, ui_, 2).stop, Stop::BadIndex);
  EXPECT_EQ(lastError(), "行番号が範囲外です。");
  ws_->table.lockFlag = 1;
  ui_.clear();
  EXPECT_EQ(edit::removeParticipant(*ws_, ui_, 0).stop, Stop::Locked);
  EXPECT_TRUE(ui_.questions().empty());
}

TEST_F(Participants, LockFlagIsWrittenAtOnce) {
  addRows(2);
  auto done = edit::setLockFlag(*ws_, ui_, true);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(ws_->table.lockFlag, 1);
  ASSERT_TRUE(onDisk());
  EXPECT_EQ(onDisk()->lockFlag, 1);
  ASSERT_EQ(edit::setLockFlag(*ws_, ui_, false).code, 0);
  EXPECT_EQ(onDisk()->lockFlag, 0);
  EXPECT_TRUE(std::filesystem::exists(tablePath().string() + ".bak"));
}

TEST_F(Participants, FailedWriteKeepsTheChangeAndSaysSo) {
  addRows(2);
  ws_->table.SetTableFile(std::filesystem::path(dir_) / "missing" / "cup.tai");
  auto done = edit::setLockFlag(*ws_, ui_, true);
  EXPECT_EQ(done.code, -2);
  EXPECT_TRUE(done.changed);
  EXPECT_FALSE(done.saved);
  EXPECT_EQ(ws_->table.lockFlag, 1);
  EXPECT_FALSE(ui_.errors().empty());
}

}  // namespace
}  // namespace toq
