// Opponents set by hand: the chooser's list, set opponent, set bye, cancel a row's pairing.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/pairing_edits.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::given;
using edit::Stop;

class Opponent : public testing::EditTest {
 protected:
  // Entry texts of the chooser as UTF-8.
  std::vector<std::string> texts(const edit::OpponentChoices& d) {
    std::vector<std::string> out;
    for (const auto& e : d.entries) out.push_back(text::toUtf8(e.text));
    return out;
  }
  std::vector<int> numbers(const edit::OpponentChoices& d) {
    std::vector<int> out;
    for (const auto& e : d.entries) out.push_back(e.number);
    return out;
  }
};

TEST_F(Opponent, ChooserListsNewOpponentsThenByeThenEarlierOpponents) {
  addRows(6);
  play(0, 0, 1);
  play(0, 2, 3);
  play(0, 4, 5);
  play(1, 0, 2);
  play(1, 1, 4);
  play(1, 3, 5);
  auto d = edit::opponentChoices(*ws_, ui_, 0);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->round, 2);
  EXPECT_EQ(text::toUtf8(d->title), "3回戦　P0  対戦相手の指定");
  EXPECT_EQ(texts(*d), (std::vector<std::string>{"P3", "P4", "P5", "（抜け番）",
                                                 "--- 以下は過去に対戦済 ---", "P1", "P2"}));
  EXPECT_EQ(numbers(*d), (std::vector<int>{4, 5, 6, data::kBye, data::kBye, 2, 3}));

  // Rows already paired in the round are not offered.
  play(2, 3, 4);
  d = edit::opponentChoices(*ws_, ui_, 0);
  EXPECT_EQ(texts(*d), (std::vector<std::string>{"P5", "（抜け番）", "--- 以下は過去に対戦済 ---",
                                                 "P1", "P2"}));
}

TEST_F(Opponent, OpponentMetTwiceShowsThePaddedCount) {
  addRows(3);
  play(0, 0, 1);
  ws_->table.opponent[2][0] = data::kBye;
  play(1, 0, 1);
  ws_->table.opponent[2][1] = data::kBye;
  play(2, 0, 2);
  ws_->table.opponent[1][2] = data::kBye;
  auto d = edit::opponentChoices(*ws_, ui_, 0);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->round, 3);
  // Nobody left unmet: the first section is empty.
  EXPECT_EQ(texts(*d), (std::vector<std::string>{"（抜け番）", "--- 以下は過去に対戦済 ---",
                                                 "P1               2回", "P2"}));
}

TEST_F(Opponent, PairRulesApplyOnlyToOpponentsNotMet) {
  add("ProA", 2500, 1, true);
  const int proB = add("ProB", 2500, 1, true);
  const int proC = add("ProC", 2500, 1, true);
  const int am = add("Am", 1500);
  play(0, 0, 1);  // two professionals met once (forced by hand)
  play(0, 2, 3);
  auto d = edit::opponentChoices(*ws_, ui_, 0);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->round, 1);
  // ProC is never offered to ProA among new opponents; ProB, met before, is listed below.
  EXPECT_EQ(numbers(*d), (std::vector<int>{am, data::kBye, data::kBye, proB}));
  (void)proC;

  // Two multi-board players are kept apart the same way.
  ws_->players.at(1).entries = 2;
  ws_->players.at(4).entries = 2;
  d = edit::opponentChoices(*ws_, ui_, 0);
  EXPECT_EQ(numbers(*d), (std::vector<int>{data::kBye, data::kBye, proB}));
}

TEST_F(Opponent, PlayerWithSeveralRowsIsOfferedOnceAndPairedOnItsFirstFreeRow) {
  add("Solo");
  const int multi = add("Multi", 2400, 3, true, 3);
  add("Other");
  play(0, 1, 4);  // Multi's first row is already busy in round 0
  auto d = edit::opponentChoices(*ws_, ui_, 0);
  ASSERT_TRUE(d);
  EXPECT_EQ(texts(*d)[0], "Multi");
  EXPECT_EQ(texts(*d)[1], "（抜け番）");

  auto done = edit::setOpponent(*ws_, ui_, 0, given(multi));
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.other, 2);
  EXPECT_EQ(ws_->table.opponent[0][0], 2);
  EXPECT_EQ(ws_->table.opponent[2][0], 0);
  EXPECT_EQ(ws_->table.opponent[3][0], data::kUnpaired);
}

TEST_F(Opponent, SetOpponentPairsAndWritesTheTable) {
  addRows(4);
  int seen = -1;
  auto done = edit::setOpponent(*ws_, ui_, 1, [&](const edit::OpponentChoices& d) {
    seen = d.round;
    return std::optional<int>(ws_->table.participants[3]);
  });
  EXPECT_EQ(seen, 0);
  ASSERT_EQ(done.code, 0);
  EXPECT_TRUE(done.saved);
  EXPECT_EQ(done.round, 0);
  EXPECT_EQ(done.row, 1);
  EXPECT_EQ(done.other, 3);
  EXPECT_EQ(ws_->table.opponent[1][0], 3);
  EXPECT_EQ(ws_->table.opponent[3][0], 1);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));

  // The next call works on the row's next free round.
  done = edit::setOpponent(*ws_, ui_, 1, given(data::kBye));
  EXPECT_EQ(done.round, 1);
  EXPECT_EQ(ws_->table.opponent[1][1], data::kBye);
}

TEST_F(Opponent, SeparatorLineGivesABye) {
  addRows(3);
  auto done = edit::setOpponent(*ws_, ui_, 2, [](const edit::OpponentChoices& d) {
    for (const auto& e : d.entries)
      if (text::toUtf8(e.text) == "--- 以下は過去に対戦済 ---") return std::optional<int>(e.number);
    return std::optional<int>();
  });
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(ws_->table.opponent[2][0], data::kBye);
  EXPECT_EQ(done.other, -1);
}

TEST_F(Opponent, SetOpponentRefusals) {
  addRows(4);
  play(0, 2, 3);
  int opened = 0;
  auto chooser = [&](int answer) {
    return [&opened, answer](const edit::OpponentChoices&) {
      ++opened;
      return std::optional<int>(answer);
    };
  };

  // Nobody of that player is free in the round.
  auto done = edit::setOpponent(*ws_, ui_, 0, chooser(ws_->table.participants[2]));
  EXPECT_EQ(done.code, -1);
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "相手が未定でありません。");
  // A number no row holds is refused the same way; the own number is refused too.
  edit::setOpponent(*ws_, ui_, 0, chooser(999));
  EXPECT_EQ(lastError(), "相手が未定でありません。");
  done = edit::setOpponent(*ws_, ui_, 0, chooser(ws_->table.participants[0]));
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "自分自身を対戦相手にすることはできません。");
  EXPECT_EQ(ws_->table.opponent[0][0], data::kUnpaired);
  EXPECT_EQ(opened, 3);

  // Cancelled dialog.
  done = edit::setOpponent(*ws_, ui_, 0,
                           [](const edit::OpponentChoices&) { return std::optional<int>(); });
  EXPECT_EQ(done.stop, Stop::Declined);

  // Rows out of range and the lock flag stop before the chooser opens.
  opened = 0;
  ui_.clear();
  EXPECT_EQ(edit::setOpponent(*ws_, ui_, 4, chooser(1)).stop, Stop::BadIndex);
  EXPECT_EQ(edit::setOpponent(*ws_, ui_, -1, chooser(1)).stop, Stop::BadIndex);
  EXPECT_EQ(ui_.errors(),
            (std::vector<std::string>{"行番号が範囲外です。", "行番号が範囲外です。"}));
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::setOpponent(*ws_, ui_, 0, chooser(2)).stop, Stop::Locked);
  EXPECT_EQ(ui_.warnings().back(), "変更は禁止されています。");
  EXPECT_EQ(opened, 0);
  EXPECT_FALSE(tableWritten());
}

TEST_F(Opponent, RowWithoutFreeRoundDoesNothing) {
  addRows(2);
  for (int k = 0; k < 4; ++k) play(k, 0, 1);
  ws_->table.opponent[0][3] = data::kAbsent;
  bool opened = false;
  auto done = edit::setOpponent(*ws_, ui_, 0, [&](const edit::OpponentChoices&) {
    opened = true;
    return std::optional<int>(2);
  });
  EXPECT_EQ(done.stop, Stop::NothingToDo);
  EXPECT_FALSE(opened);
  EXPECT_EQ(edit::setBye(*ws_, ui_, 0).stop, Stop::NothingToDo);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_FALSE(tableWritten());
}

TEST_F(Opponent, DerivedHandicapsDecideOnlyTheNewGame) {
  add("Strong", 1700);
  add("Weak", 1500);
  add("A", 1900);
  add("B", 1500);
  // An even game between A and B set by hand, with its sides chosen.
  play(0, 2, 3);
  ws_->table.side[2][0] = data::kSideFirst;
  ws_->table.side[3][0] = data::kSideSecond;
  ws_->deriveHandicaps = true;
  ASSERT_EQ(edit::setOpponent(*ws_, ui_, 1, given(1)).code, 0);
  const auto& t = ws_->table;
  EXPECT_EQ(t.handicap[0][0], 1);  // lance: the 1700 player gives
  EXPECT_EQ(t.handicap[1][0], -1);
  EXPECT_EQ(t.side[0][0], data::kSideSecond);
  EXPECT_EQ(t.side[1][0], data::kSideFirst);
  // The hand-set game stays even with its sides.
  EXPECT_EQ(t.handicap[2][0], 0);
  EXPECT_EQ(t.side[2][0], data::kSideFirst);
  EXPECT_EQ(t.side[3][0], data::kSideSecond);
}

TEST_F(Opponent, DerivedHandicapsAtEqualRatingsGiveTheLaterRowTheFirstMove) {
  addRows(2);
  ws_->deriveHandicaps = true;
  ASSERT_EQ(edit::setOpponent(*ws_, ui_, 1, given(1)).code, 0);
  EXPECT_EQ(ws_->table.handicap[0][0], 0);
  EXPECT_EQ(ws_->table.side[1][0], data::kSideFirst);
  EXPECT_EQ(ws_->table.side[0][0], data::kSideSecond);

  // Without derived handicaps the sides stay undecided.
  ws_->deriveHandicaps = false;
  ASSERT_EQ(edit::setOpponent(*ws_, ui_, 0, given(2)).code, 0);
  EXPECT_EQ(ws_->table.side[0][1], data::kSideUndecided);
  EXPECT_EQ(ws_->table.side[1][1], data::kSideUndecided);
}

TEST_F(Opponent, SetByeMarksTheFirstFreeRound) {
  addRows(3);
  play(0, 0, 1);
  auto done = edit::setBye(*ws_, ui_, 0);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.round, 1);
  EXPECT_EQ(ws_->table.opponent[0][1], data::kBye);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->opponent[0][1], data::kBye);

  EXPECT_EQ(edit::setBye(*ws_, ui_, 3).stop, Stop::BadIndex);
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::setBye(*ws_, ui_, 2).stop, Stop::Locked);
  EXPECT_EQ(ws_->table.opponent[2][0], data::kUnpaired);
}

TEST_F(Opponent, CancelGameAsksWithBothNamesAndClearsBothRows) {
  addRows(4);
  play(0, 0, 1, data::kWin);
  play(0, 2, 3, data::kDraw);
  play(1, 0, 2);
  ws_->table.side[0][1] = data::kSideFirst;
  ws_->table.side[2][1] = data::kSideSecond;
  ws_->table.handicap[0][1] = -2;
  ws_->table.handicap[2][1] = 2;

  ui_.answers = {false};
  auto done = edit::cancelLastPairing(*ws_, ui_, 0);
  EXPECT_EQ(done.stop, Stop::Declined);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "2回戦 P0 対 P2 の組み合わせを取り消しますか？");
  EXPECT_EQ(ui_.messages[0].caption, "警告");
  EXPECT_EQ(ws_->table.opponent[0][1], 2);
  EXPECT_FALSE(tableWritten());

  done = edit::cancelLastPairing(*ws_, ui_, 0);
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.round, 1);
  EXPECT_EQ(done.other, 2);
  for (int row : {0, 2}) {
    EXPECT_EQ(ws_->table.opponent[row][1], data::kUnpaired);
    EXPECT_EQ(ws_->table.side[row][1], data::kSideUndecided);
    EXPECT_EQ(ws_->table.handicap[row][1], 0);
  }
  // Round 0 stays; the next cancel of row 0 takes it, results included.
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
  ASSERT_TRUE(onDisk());
  EXPECT_TRUE(testing::sameEntries(*onDisk(), ws_->table));

  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 0).code, 0);
  EXPECT_EQ(ui_.questions().back(), "1回戦 P0 対 P1 の組み合わせを取り消しますか？");
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_EQ(ws_->table.result[1][0], data::kResultNone);
  EXPECT_EQ(ws_->table.opponent[1][0], data::kUnpaired);
  // Nothing left to cancel for row 0: no question.
  ui_.clear();
  EXPECT_EQ(edit::cancelLastPairing(*ws_, ui_, 0).stop, Stop::NothingToDo);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Opponent, CancelByeUsesTheByeWordingAndTouchesOnlyItsRow) {
  addRows(3);
  play(0, 0, 1);
  ws_->table.opponent[2][0] = data::kBye;
  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 2).code, 0);
  EXPECT_EQ(ui_.questions().back(), "1回戦 P2 抜け番 の組み合わせを取り消しますか？");
  EXPECT_EQ(ui_.messages[0].caption, "警告");
  EXPECT_EQ(ws_->table.opponent[2][0], data::kUnpaired);
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
  EXPECT_EQ(ws_->table.opponent[1][0], 0);
}

TEST_F(Opponent, CancelInTheLastRoundAndOfDamagedEntries) {
  addRows(3);
  for (int k = 0; k < 4; ++k) play(k, 0, 1);
  // Every round taken: the last round is cancelled.
  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 1).code, 0);
  EXPECT_EQ(ui_.questions().back(), "4回戦 P1 対 P0 の組み合わせを取り消しますか？");
  EXPECT_EQ(ws_->table.opponent[0][3], data::kUnpaired);

  // An absence has its own wording; a code no row stands for neither reads nor clears others.
  ws_->table.opponent[2][0] = data::kAbsent;
  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 2).code, 0);
  EXPECT_EQ(ui_.questions().back(), "1回戦 P2 休場 の組み合わせを取り消しますか？");
  ws_->table.opponent[2][0] = 77;
  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 2).code, 0);
  EXPECT_EQ(ui_.questions().back(), "1回戦 P2 （不明） の組み合わせを取り消しますか？");
  EXPECT_EQ(ws_->table.opponent[2][0], data::kUnpaired);
  // A partner that names another row keeps its game.
  ws_->table.opponent[2][0] = 0;
  ASSERT_EQ(edit::cancelLastPairing(*ws_, ui_, 2).code, 0);
  EXPECT_EQ(ws_->table.opponent[0][0], 1);
  EXPECT_EQ(ws_->table.opponent[1][0], 0);

  ws_->table.lockFlag = 1;
  ui_.clear();
  EXPECT_EQ(edit::cancelLastPairing(*ws_, ui_, 0).stop, Stop::Locked);
  EXPECT_TRUE(ui_.questions().empty());
}

}  // namespace
}  // namespace toq
