// Results: the result dialog, the handicap dialogs and random results.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/handicap_edits.h"
#include "edit/result_entry.h"
#include "edit/results.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::given;
using edit::HandicapAnswer;
using edit::Stop;

class Results : public testing::EditTest {};

TEST_F(Results, DialogShowsTheGameAndPreselectsTheStoredResult) {
  addRows(2);
  play(2, 0, 1, data::kWin);
  auto d = edit::resultQuestion(*ws_, ui_, 1, 2);
  ASSERT_TRUE(d);
  EXPECT_EQ(text::toUtf8(d->caption), "P1 対 P0");
  EXPECT_EQ(text::toUtf8(d->label), "3回戦の勝敗");
  EXPECT_EQ(d->result, data::kLoss);  // row 1 lost
  EXPECT_EQ(edit::resultPosition(data::kWin), 0);
  EXPECT_EQ(edit::resultPosition(data::kDraw), 2);
  EXPECT_EQ(edit::resultPosition(data::kResultNone), 3);
  EXPECT_EQ(edit::resultPosition(9), 3);
}

TEST_F(Results, EachChoiceSetsBothRowsWritesAndCountsOpenGames) {
  addRows(4);
  play(0, 0, 1);
  play(0, 2, 3);
  const std::int16_t own[] = {data::kWin, data::kLoss, data::kDraw, data::kResultNone};
  const std::int16_t other[] = {data::kLoss, data::kWin, data::kDraw, data::kResultNone};
  const char* status[] = {"結果の未入力は 1組", "結果の未入力は 1組", "結果の未入力は 1組",
                          "結果の未入力は 2組"};
  for (int pos = 0; pos < 4; ++pos) {
    auto done = edit::enterResult(*ws_, ui_, 1, 0, given(int{own[pos]}));
    ASSERT_EQ(done.code, 0) << pos;
    EXPECT_EQ(ws_->table.result[1][0], own[pos]);
    EXPECT_EQ(ws_->table.result[0][0], other[pos]);
    EXPECT_EQ(ui_.statuses().back(), status[pos]);
    auto disk = onDisk();
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->result[0][0], other[pos]);
  }
}

TEST_F(Results, EnterResultStopsWithoutAGame) {
  addRows(3);
  play(0, 0, 1);
  ws_->table.opponent[2][0] = data::kBye;
  ws_->table.opponent[2][1] = data::kAbsent;
  int opened = 0;
  auto chooser = [&](const edit::ResultQuestion&) {
    ++opened;
    return std::optional<int>(data::kWin);
  };
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 2, 0, chooser).stop, Stop::NothingToDo);
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 2, 1, chooser).stop, Stop::NothingToDo);
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, 1, chooser).stop, Stop::NothingToDo);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 3, 0, chooser).stop, Stop::BadIndex);
  EXPECT_EQ(lastError(), "行番号が範囲外です。");
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, 4, chooser).stop, Stop::BadIndex);
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, -1, chooser).stop, Stop::BadIndex);
  EXPECT_EQ(lastError(), "回戦が範囲外です。");
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, 0, chooser).stop, Stop::Locked);
  EXPECT_EQ(opened, 0);
  ws_->table.lockFlag = 0;

  EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, 0,
                              [](const edit::ResultQuestion&) { return std::optional<int>(); })
                .stop,
            Stop::Declined);
  for (int notAResult : {4, -1, 7})
    EXPECT_EQ(edit::enterResult(*ws_, ui_, 0, 0, given(notAResult)).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "勝敗の指定が正しくありません。");
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_FALSE(tableWritten());
}

TEST_F(Results, HandicapDialogOpensAtTheGamesHandicap) {
  add("A", 1500);
  add("B", 1900);
  play(1, 0, 1, data::kDraw);
  ws_->table.handicap[0][1] = -7;
  ws_->table.handicap[1][1] = 7;
  ws_->table.side[0][1] = data::kSideFirst;
  auto d = edit::handicapQuestion(*ws_, ui_, 0, 1, false);
  ASSERT_TRUE(d);
  EXPECT_EQ(text::toUtf8(d->title), "2回戦 A 対 B の手合割");
  EXPECT_EQ(d->handicapPosition, 6);  // 四枚落ち
  EXPECT_EQ(d->sidePosition, 0);
  ws_->table.handicap[1][1] = 10;
  d = edit::handicapQuestion(*ws_, ui_, 1, 1, true);
  EXPECT_EQ(text::toUtf8(d->title), "2回戦 B 対 A の手合割・勝敗");
  EXPECT_EQ(d->handicapPosition, 7);  // 六枚落ち
  EXPECT_EQ(d->resultPosition, 2);
  ws_->table.handicap[1][1] = 6;  // no list entry stands for it
  EXPECT_EQ(edit::handicapQuestion(*ws_, ui_, 1, 1, true)->handicapPosition, -1);
  EXPECT_TRUE(edit::sideListEnabled(0));
  EXPECT_FALSE(edit::sideListEnabled(1));
  EXPECT_FALSE(edit::handicapQuestion(*ws_, ui_, 0, 0, false));
}

TEST_F(Results, EvenGameTakesTheChosenSideOrBecomesUndecided) {
  addRows(2);
  play(0, 0, 1);
  ws_->table.side[0][0] = data::kSideFirst;
  ws_->table.side[1][0] = data::kSideSecond;
  ws_->table.handicap[0][0] = 2;
  ws_->table.handicap[1][0] = -2;
  // OK on an opened dialog: handicap "平手", side "未定".
  auto done = edit::setHandicap(*ws_, ui_, 1, 0, [](const edit::HandicapQuestion& d) {
    return std::optional<HandicapAnswer>(HandicapAnswer{0, d.sidePosition, 3});
  });
  ASSERT_EQ(done.code, 0);
  for (int row : {0, 1}) {
    EXPECT_EQ(ws_->table.handicap[row][0], 0);
    EXPECT_EQ(ws_->table.side[row][0], data::kSideUndecided);
  }
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 1, 0, given(HandicapAnswer{0, 2, 0})).code, 0);
  EXPECT_EQ(ws_->table.side[1][0], data::kSideSecond);
  EXPECT_EQ(ws_->table.side[0][0], data::kSideFirst);
  // HandicapDialog leaves the result alone.
  EXPECT_EQ(ws_->table.result[1][0], data::kResultNone);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));
}

TEST_F(Results, LowerRatingReceivesTheHandicapAndMovesFirst) {
  add("Low", 1400);
  add("High", 1800);
  add("Same", 1800);
  play(0, 0, 1);
  play(1, 1, 2);
  // Edited from the stronger row: the weaker row still receives. The side choice is ignored.
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 1, 0, given(HandicapAnswer{2, 2, 3})).code, 0);
  EXPECT_EQ(ws_->table.handicap[0][0], -2);
  EXPECT_EQ(ws_->table.side[0][0], data::kSideFirst);
  EXPECT_EQ(ws_->table.handicap[1][0], 2);
  EXPECT_EQ(ws_->table.side[1][0], data::kSideSecond);
  // From the weaker row the same.
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 0, 0, given(HandicapAnswer{7, 1, 3})).code, 0);
  EXPECT_EQ(ws_->table.handicap[0][0], -10);
  EXPECT_EQ(ws_->table.handicap[1][0], 10);
  // Equal ratings: the edited row gives.
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 2, 1, given(HandicapAnswer{6, 1, 3})).code, 0);
  EXPECT_EQ(ws_->table.handicap[2][1], 7);
  EXPECT_EQ(ws_->table.side[2][1], data::kSideSecond);
  EXPECT_EQ(ws_->table.handicap[1][1], -7);
  EXPECT_EQ(ws_->table.side[1][1], data::kSideFirst);
}

TEST_F(Results, HandicapAndResultDialogSetsAllThree) {
  add("Low", 1400);
  add("High", 1800);
  play(0, 0, 1);
  ASSERT_EQ(edit::setHandicapAndResult(*ws_, ui_, 1, 0, given(HandicapAnswer{1, 0, 1})).code, 0);
  EXPECT_EQ(ws_->table.handicap[1][0], 1);
  EXPECT_EQ(ws_->table.result[1][0], data::kLoss);
  EXPECT_EQ(ws_->table.result[0][0], data::kWin);
  ASSERT_EQ(edit::setHandicapAndResult(*ws_, ui_, 0, 0, given(HandicapAnswer{0, 1, 3})).code, 0);
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_EQ(ws_->table.result[1][0], data::kResultNone);
  EXPECT_EQ(ws_->table.side[0][0], data::kSideFirst);

  // Positions outside the lists are refused, nothing changes.
  ASSERT_EQ(edit::setHandicapAndResult(*ws_, ui_, 0, 0, given(HandicapAnswer{0, 0, 4})).stop,
            Stop::Refused);
  EXPECT_EQ(lastError(), "勝敗の指定が正しくありません。");
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 0, 0, given(HandicapAnswer{8, 0, 0})).stop, Stop::Refused);
  ASSERT_EQ(edit::setHandicap(*ws_, ui_, 0, 0, given(HandicapAnswer{0, 3, 0})).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "手合割・先後の指定が正しくありません。");
  EXPECT_EQ(ws_->table.side[0][0], data::kSideFirst);

  // No lock check on these dialogs; a cell without a game or out of range stops.
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::setHandicap(*ws_, ui_, 0, 0, given(HandicapAnswer{3, 0, 0})).code, 0);
  EXPECT_EQ(ws_->table.handicap[1][0], 3);
  EXPECT_EQ(edit::setHandicap(*ws_, ui_, 0, 1, given(HandicapAnswer{3, 0, 0})).stop,
            Stop::NothingToDo);
  EXPECT_EQ(edit::setHandicapAndResult(*ws_, ui_, 0, 9, given(HandicapAnswer{})).stop,
            Stop::BadIndex);
  EXPECT_EQ(edit::setHandicapAndResult(*ws_, ui_, 5, 0, given(HandicapAnswer{})).stop,
            Stop::BadIndex);
}

TEST_F(Results, RandomResultsFillTheFirstUnfinishedRound) {
  addRows(5);
  play(0, 0, 1, data::kWin);
  play(0, 2, 3, data::kDraw);
  ws_->table.opponent[4][0] = data::kBye;
  play(1, 0, 2);
  play(1, 1, 3);
  ws_->table.opponent[4][1] = data::kBye;
  ws_->random.seed(5);

  ui_.answers = {false};
  auto done = edit::randomResults(*ws_, ui_);
  EXPECT_EQ(done.stop, Stop::Declined);
  EXPECT_EQ(ui_.questions().back(), "2回戦の結果を自動入力しますか？");
  EXPECT_EQ(ui_.messages.back().caption, "確認");
  EXPECT_EQ(ws_->table.result[0][1], data::kResultNone);
  EXPECT_FALSE(tableWritten());

  // No lock check for this test aid.
  ws_->table.lockFlag = 1;
  done = edit::randomResults(*ws_, ui_);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.round, 1);
  const auto& t = ws_->table;
  for (int row = 0; row < 4; ++row) {
    const int o = t.opponent[row][1];
    EXPECT_EQ(t.result[row][1] + t.result[o][1], data::kWin + data::kLoss) << row;
  }
  EXPECT_EQ(t.result[4][1], data::kResultNone);
  // Each game was drawn from both rows: four draws in all.
  pairing::Random expected;
  expected.seed(5);
  for (int i = 0; i < 4; ++i) expected.next();
  EXPECT_EQ(ws_->random.state(), expected.state());
  // Round 0 kept its results.
  EXPECT_EQ(t.result[2][0], data::kDraw);
  ASSERT_TRUE(onDisk());
  EXPECT_TRUE(testing::sameEntries(*onDisk(), t));

  // Round 2 holds no game and unpaired rows: it is the next unfinished round.
  done = edit::randomResults(*ws_, ui_);
  EXPECT_EQ(done.round, 2);
}

TEST_F(Results, RandomResultsRefuseWhenEveryRoundIsComplete) {
  addRows(2);
  ws_->table.numberOfGames = 2;
  play(0, 0, 1, data::kWin);
  play(1, 0, 1, data::kLoss);
  auto done = edit::randomResults(*ws_, ui_);
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "結果は入力済みです。");
  EXPECT_TRUE(ui_.questions().empty());
}

// A result code outside the set (a damaged or hand-edited file) is no result: random results
// fill that round, and entering a result counts its game as open.
TEST_F(Results, ACodeOutsideTheSetIsAMissingResult) {
  addRows(4);
  ws_->table.numberOfGames = 2;
  play(0, 0, 1, data::kWin);
  play(0, 2, 3, data::kLoss);
  play(1, 0, 2, data::kWin);
  play(1, 1, 3, data::kLoss);
  ws_->table.result[3][1] = 9;
  ws_->table.result[1][1] = 4;

  // Entering the other game's result again: one game of the round is still open.
  auto done = edit::enterResult(*ws_, ui_, 0, 1,
                                [](const edit::ResultQuestion&) { return int{data::kWin}; });
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(ui_.statuses().back(), "結果の未入力は 1組");

  ws_->random.seed(3);
  done = edit::randomResults(*ws_, ui_);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.round, 1);
  EXPECT_EQ(ui_.questions().back(), "2回戦の結果を自動入力しますか？");
  const auto& t = ws_->table;
  constexpr std::int16_t kFirstRound[] = {data::kWin, data::kLoss, data::kLoss, data::kWin};
  for (int row = 0; row < 4; ++row) {
    EXPECT_TRUE(data::hasResult(t.result[row][1])) << row;
    EXPECT_EQ(t.result[row][1] + t.result[t.opponent[row][1]][1], data::kWin + data::kLoss);
    EXPECT_EQ(t.result[row][0], kFirstRound[row]) << row;  // kept
  }
  ASSERT_TRUE(onDisk());
  EXPECT_TRUE(testing::sameEntries(*onDisk(), t));
  // Now every round is complete.
  EXPECT_EQ(edit::randomResults(*ws_, ui_).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "結果は入力済みです。");
}

}  // namespace
}  // namespace toq
