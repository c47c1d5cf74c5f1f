// Whole-round commands: cancel the latest round, cancel all, number of games, exchange byes.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/rounds.h"

namespace toq {
namespace {

using edit::given;
using edit::Stop;

class Rounds : public testing::EditTest {};

TEST_F(Rounds, CancelLatestRoundAsksThenClearsAndWrites) {
  addRows(5);
  play(0, 0, 1, data::kWin);
  play(0, 2, 3, data::kLoss);
  ws_->table.opponent[4][0] = data::kBye;
  play(1, 0, 2, data::kWin);
  play(1, 1, 3);
  ws_->table.opponent[4][1] = data::kBye;
  ws_->table.opponent[2][2] = data::kBye;  // a round of byes only is not paired

  ui_.answers = {false};
  EXPECT_EQ(edit::cancelLatestRound(*ws_, ui_).stop, Stop::Declined);
  EXPECT_EQ(ui_.questions().back(), "2回戦の組み合わせを取り消しますか？");
  EXPECT_EQ(ui_.messages.back().caption, "確認");
  EXPECT_EQ(ws_->table.opponent[0][1], 2);
  EXPECT_FALSE(tableWritten());

  auto done = edit::cancelLatestRound(*ws_, ui_);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.round, 1);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(ws_->table.opponent[row][1], data::kUnpaired);
    EXPECT_EQ(ws_->table.result[row][1], data::kResultNone);
  }
  EXPECT_EQ(ws_->table.opponent[2][2], data::kBye);
  EXPECT_EQ(ws_->table.result[0][0], data::kWin);
  EXPECT_EQ(ui_.statuses().back(), "組み合わせを取り消しました。");
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));
}

TEST_F(Rounds, CancelLatestRoundWithoutPairedRoundOrLocked) {
  addRows(2);
  auto done = edit::cancelLatestRound(*ws_, ui_);
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "エラー kaisen=-1");
  EXPECT_TRUE(ui_.questions().empty());

  play(0, 0, 1);
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::cancelLatestRound(*ws_, ui_).stop, Stop::Locked);
  EXPECT_TRUE(ui_.questions().empty());
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
}

TEST_F(Rounds, CancelAllClearsEverythingAndWritesIt) {
  addRows(2);
  play(0, 0, 1, data::kWin);
  play(3, 0, 1, data::kDraw);
  ws_->table.lockFlag = 0;
  ui_.answers = {false};
  EXPECT_EQ(edit::cancelAllPairings(*ws_, ui_).stop, Stop::Declined);
  EXPECT_EQ(ui_.questions().back(), "全ての組み合わせを取り消しますか？");
  EXPECT_EQ(ws_->table.opponent[0][3], 1);
  EXPECT_FALSE(tableWritten());

  ui_.clear();
  auto done = edit::cancelAllPairings(*ws_, ui_);
  EXPECT_EQ(done.code, 0);
  EXPECT_TRUE(done.changed);
  EXPECT_TRUE(done.saved);
  EXPECT_EQ(ws_->table.AnyEntryState(0), 0);
  EXPECT_EQ(ws_->table.result[0][3], data::kResultNone);
  EXPECT_EQ(ws_->table.participantCount, 2);
  // The file holds the cleared table; the command says so once, after the writer's notice.
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));
  const std::vector<std::string> statuses = ui_.statuses();
  ASSERT_EQ(statuses.size(), 2u);
  EXPECT_EQ(statuses.back(), "組み合わせを取り消しました。");

  play(0, 0, 1);
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::cancelAllPairings(*ws_, ui_).stop, Stop::Locked);
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
}

TEST_F(Rounds, CancelAllThatCannotBeWrittenSaysSo) {
  addRows(2);
  play(0, 0, 1, data::kWin);
  ws_->table.SetTableFile(std::filesystem::path(dir_) / "missing" / "cup.tai");
  auto done = edit::cancelAllPairings(*ws_, ui_);
  EXPECT_EQ(done.code, -2);
  EXPECT_TRUE(done.changed);
  EXPECT_FALSE(done.saved);
  EXPECT_EQ(ws_->table.opponent[0][0], data::kUnpaired);
  EXPECT_EQ(ui_.errors().size(), 1u);
}

TEST_F(Rounds, MoreGamesAddEmptyRounds) {
  addRows(2);
  // Left over from a time the table had more games.
  ws_->table.opponent[0][4] = 1;
  ws_->table.result[1][5] = data::kWin;
  int shown = -1;
  auto done = edit::changeNumberOfGames(*ws_, ui_, [&](const edit::GamesQuestion& d) {
    shown = d.current;
    EXPECT_EQ(d.min, 1);
    EXPECT_EQ(d.max, 32);
    EXPECT_EQ(d.spinMax, 15);
    return std::optional<int>(6);
  });
  EXPECT_EQ(shown, 4);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(ws_->table.numberOfGames, 6);
  EXPECT_EQ(ws_->table.opponent[0][4], data::kUnpaired);
  EXPECT_EQ(ws_->table.result[1][5], data::kResultNone);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->numberOfGames, 6);
}

TEST_F(Rounds, ANewCountOnATableWithoutParticipantsIsSavedAtOnce) {
  ASSERT_EQ(ws_->table.participantCount, 0);
  const edit::Outcome done = edit::changeNumberOfGames(*ws_, ui_, given(6));
  ASSERT_EQ(done.code, 0);
  EXPECT_TRUE(done.saved);
  EXPECT_FALSE(ws_->tableUnsaved);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->numberOfGames, 6);
}

TEST_F(Rounds, FewerGamesThanPairedRoundsAreRefused) {
  addRows(2);
  ws_->table.numberOfGames = 9;
  for (int k = 0; k < 6; ++k) play(k, 0, 1);
  auto done = edit::changeNumberOfGames(*ws_, ui_, given(5));
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "組み合わせがあります。");
  EXPECT_EQ(ws_->table.numberOfGames, 9);
  EXPECT_FALSE(tableWritten());

  // Exactly the paired rounds is allowed, and so is a locked table.
  ws_->table.lockFlag = 1;
  ASSERT_EQ(edit::changeNumberOfGames(*ws_, ui_, given(6)).code, 0);
  EXPECT_EQ(ws_->table.numberOfGames, 6);
  EXPECT_EQ(ws_->table.opponent[0][5], 1);
  EXPECT_TRUE(tableWritten());
}

TEST_F(Rounds, NumberOfGamesOutsideTheRangeIsRefused) {
  addRows(2);
  for (int m : {0, -3, 33, 1000}) {
    EXPECT_EQ(edit::changeNumberOfGames(*ws_, ui_, given(m)).stop, Stop::Refused) << m;
    EXPECT_EQ(lastError(), "1 から 32 までの整数を入力してください。");
  }
  EXPECT_EQ(ws_->table.numberOfGames, 4);
  EXPECT_EQ(edit::changeNumberOfGames(
                *ws_, ui_, [](const edit::GamesQuestion&) { return std::optional<int>(); })
                .stop,
            Stop::Declined);
  ASSERT_EQ(edit::changeNumberOfGames(*ws_, ui_, given(32)).code, 0);
  ASSERT_EQ(edit::changeNumberOfGames(*ws_, ui_, given(1)).code, 0);
  EXPECT_EQ(ws_->table.numberOfGames, 1);
}

TEST_F(Rounds, ExchangeByesSwapsTheTwoRowsEntries) {
  addRows(4);
  ws_->table.opponent[0][0] = data::kBye;
  ws_->table.opponent[0][2] = data::kAbsent;
  ws_->table.opponent[3][1] = data::kBye;
  auto done = edit::exchangeByes(*ws_, ui_, 0, 3);
  ASSERT_EQ(done.code, 0);
  const auto& t = ws_->table;
  EXPECT_EQ(t.opponent[3][0], data::kBye);
  EXPECT_EQ(t.opponent[3][2], data::kAbsent);
  EXPECT_EQ(t.opponent[0][1], data::kBye);
  EXPECT_EQ(t.opponent[0][0], data::kUnpaired);
  EXPECT_EQ(t.opponent[3][1], data::kUnpaired);
  EXPECT_EQ(t.participants[0], 1);  // the players stay in their rows
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, t));
}

TEST_F(Rounds, ExchangeByesRefusals) {
  addRows(4);
  ws_->table.opponent[0][0] = data::kBye;
  EXPECT_EQ(edit::exchangeByes(*ws_, ui_, 1, 1).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "抜け番を入れ替えることができません。");
  EXPECT_EQ(edit::exchangeByes(*ws_, ui_, 0, 4).stop, Stop::BadIndex);
  EXPECT_EQ(lastError(), "行番号が範囲外です。");
  EXPECT_EQ(edit::exchangeByes(*ws_, ui_, -1, 0).stop, Stop::BadIndex);
  // A game anywhere: exchanging entries would break the pair.
  play(2, 1, 2);
  EXPECT_EQ(edit::exchangeByes(*ws_, ui_, 0, 3).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "対局の組み合わせがあるため、抜け番を入れ替えることができません。");
  EXPECT_EQ(ws_->table.opponent[0][0], data::kBye);
  EXPECT_FALSE(tableWritten());
}

}  // namespace
}  // namespace toq
