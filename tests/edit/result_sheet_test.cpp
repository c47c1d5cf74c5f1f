// A result code entered from a row's side (the keyboard's results), and a round's result sheet:
// board order, sides, handicaps, byes and absences, the default round, and the whole sheet
// applied as one command.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/history.h"
#include "edit/result_entry.h"
#include "edit/result_sheet.h"
#include "edit/results.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::Stop;

std::vector<std::string> utf8(const std::string (&texts)[edit::kSheetChoices]) {
  std::vector<std::string> out;
  for (const std::string& t : texts) out.push_back(text::toUtf8(t));
  return out;
}

class ResultCodes : public testing::EditTest {};

TEST_F(ResultCodes, EachCodeSetsBothRowsKeepsTheHandicapWritesAndCounts) {
  addRows(4);
  play(0, 0, 1);
  play(0, 2, 3);
  ws_->table.handicap[1][0] = -3;
  ws_->table.handicap[0][0] = 3;
  ws_->table.side[1][0] = data::kSideFirst;
  ws_->table.side[0][0] = data::kSideSecond;
  const struct {
    std::int16_t code, own, other;
    const char* status;
  } cases[] = {
      {data::kWin, data::kWin, data::kLoss, "結果の未入力は 1組"},
      {data::kLoss, data::kLoss, data::kWin, "結果の未入力は 1組"},
      {data::kDraw, data::kDraw, data::kDraw, "結果の未入力は 1組"},
      {data::kResultNone, data::kResultNone, data::kResultNone, "結果の未入力は 2組"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(edit::enterResultCode(*ws_, ui_, 1, 0, c.code).code, 0) << c.code;
    EXPECT_EQ(ws_->table.result[1][0], c.own);
    EXPECT_EQ(ws_->table.result[0][0], c.other);
    EXPECT_EQ(ui_.statuses().back(), c.status);
    EXPECT_EQ(onDisk()->result[0][0], c.other);
    EXPECT_EQ(ws_->table.handicap[1][0], -3);
    EXPECT_EQ(ws_->table.side[0][0], data::kSideSecond);
  }
}

TEST_F(ResultCodes, RefusedLikeTheResultCommand) {
  addRows(5);
  play(0, 0, 1);
  ws_->table.opponent[2][0] = data::kBye;
  ws_->table.opponent[3][0] = data::kAbsent;
  for (int row : {2, 3, 4}) {  // bye, absence, not paired
    EXPECT_EQ(edit::enterResultCode(*ws_, ui_, row, 0, data::kWin).stop, Stop::NothingToDo);
  }
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_FALSE(tableWritten());
  EXPECT_EQ(edit::enterResultCode(*ws_, ui_, 0, 0, 7).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "勝敗の指定が正しくありません。");
  ws_->table.lockFlag = 1;
  EXPECT_EQ(edit::enterResultCode(*ws_, ui_, 0, 0, data::kWin).stop, Stop::Locked);
  EXPECT_EQ(ui_.warnings().back(), "変更は禁止されています。");
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_TRUE(edit::isResultCode(data::kDraw));
  EXPECT_FALSE(edit::isResultCode(-1));
}

class ResultSheet : public testing::EditTest {
 protected:
  // A professional on three boards (rows 0-2) and five amateurs. Round 1: a bishop handicap
  // game (0 gives, 3 receives and moves first), an even game with sides (1 first), an even
  // game without sides (2 against 4, written on row 2's line), a bye (5), an absence (7).
  void SetUp() override {
    EditTest::SetUp();
    ws_->table.numberOfGames = 3;
    add("Pro", 2000, 3, true, 3);
    for (const char* name : {"A", "B", "C", "D", "E"}) add(name, 1500);
    play(0, 0, 3, data::kLoss);
    ws_->table.handicap[0][0] = 2;
    ws_->table.handicap[3][0] = -2;
    ws_->table.side[0][0] = data::kSideSecond;
    ws_->table.side[3][0] = data::kSideFirst;
    play(0, 6, 1);
    ws_->table.side[1][0] = data::kSideFirst;
    ws_->table.side[6][0] = data::kSideSecond;
    play(0, 4, 2, data::kWin);
    ws_->table.opponent[5][0] = data::kBye;
    ws_->table.opponent[7][0] = data::kAbsent;
  }
  edit::ResultSheetChooser answer(std::optional<edit::ResultSheetAnswer> a) {
    return [this, a](const edit::ResultSheet& s) {
      shown_ = s;
      return a;
    };
  }
  edit::ResultSheet shown_;
};

TEST_F(ResultSheet, ListsTheGamesInBoardOrderWithSidesHandicapsAndResults) {
  auto sheet = edit::roundSheet(*ws_, ui_, 0);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(text::toUtf8(sheet->title), "1回戦");
  ASSERT_EQ(sheet->games.size(), 3u);
  struct Expected {
    int first, second;
    const char *firstSide, *secondSide, *handicap;
    std::vector<std::string> choices;
    int choice;
  };
  const Expected expected[] = {
      {0, 3, "上手", "下手", "角落ち", {"Pro 勝ち", "A 勝ち", "引き分け", "未入力"}, 1},
      {1, 6, "先手", "後手", "平手", {"Pro 勝ち", "D 勝ち", "引き分け", "未入力"}, 3},
      {2, 4, "", "", "平手", {"Pro 勝ち", "B 勝ち", "引き分け", "未入力"}, 1},
  };
  for (std::size_t i = 0; i < 3; ++i) {
    const edit::SheetGame& g = sheet->games[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(g.board, static_cast<int>(i) + 1);
    EXPECT_EQ(g.first.row, e.first);
    EXPECT_EQ(g.second.row, e.second);
    EXPECT_EQ(text::toUtf8(g.first.side), e.firstSide);
    EXPECT_EQ(text::toUtf8(g.second.side), e.secondSide);
    EXPECT_EQ(text::toUtf8(g.handicap), e.handicap);
    EXPECT_EQ(utf8(g.choices), e.choices);
    EXPECT_EQ(g.choice, e.choice);
  }
  EXPECT_EQ(text::toUtf8(sheet->games[0].first.name), "Pro");
  ASSERT_EQ(sheet->sittingOut.size(), 2u);
  EXPECT_EQ(sheet->sittingOut[0].row, 5);
  EXPECT_EQ(text::toUtf8(sheet->sittingOut[0].reason), "抜け番");
  EXPECT_EQ(sheet->sittingOut[1].row, 7);
  EXPECT_EQ(text::toUtf8(sheet->sittingOut[1].reason), "休場");
  EXPECT_FALSE(edit::roundSheet(*ws_, ui_, 3));
}

TEST_F(ResultSheet, OpensOnTheFirstRoundWithAMissingResult) {
  EXPECT_EQ(edit::pairedRounds(ws_->table), std::vector<int>{0});
  EXPECT_EQ(edit::defaultSheetRound(ws_->table), 0);
  ws_->table.result[1][0] = data::kWin;
  ws_->table.result[6][0] = data::kLoss;
  play(2, 0, 5);  // round 3 paired by hand, round 2 not at all
  EXPECT_EQ(edit::pairedRounds(ws_->table), (std::vector<int>{0, 2}));
  EXPECT_EQ(edit::defaultSheetRound(ws_->table), 2);
  auto sheet = edit::resultSheet(*ws_, ui_);
  ASSERT_TRUE(sheet);
  ASSERT_EQ(sheet->rounds.size(), 2u);
  EXPECT_EQ(sheet->rounds[static_cast<std::size_t>(sheet->initial)].round, 2);
  play(2, 0, 5, data::kDraw);
  EXPECT_EQ(edit::defaultSheetRound(ws_->table), 2);  // all complete: the last paired round

  ws_->table.ResetEntries();
  EXPECT_EQ(edit::defaultSheetRound(ws_->table), -1);
  EXPECT_EQ(edit::enterResultSheet(*ws_, ui_, answer({{0, {}}})).stop, Stop::NothingToDo);
}

TEST_F(ResultSheet, AppliesTheWholeSheetAsOneWriteAndOneUndoStep) {
  ASSERT_EQ(data::WriteTableFile(ws_->table, {}, ui_), 0);
  const std::string before = testing::readFile(tablePath());
  ui_.clear();
  // 上手 (named first) wins, 先手 wins, a draw.
  auto done = edit::recorded(*ws_, edit::resultSheetLabel(0), [&] {
    return edit::enterResultSheet(*ws_, ui_, answer({{0, {0, 0, 2}}}));
  });
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.count, 3);
  const data::Table& t = ws_->table;
  EXPECT_EQ(t.result[0][0], data::kWin);
  EXPECT_EQ(t.result[3][0], data::kLoss);
  EXPECT_EQ(t.result[1][0], data::kWin);
  EXPECT_EQ(t.result[6][0], data::kLoss);
  EXPECT_EQ(t.result[2][0], data::kDraw);
  EXPECT_EQ(t.result[4][0], data::kDraw);
  EXPECT_EQ(t.handicap[0][0], 2);
  EXPECT_EQ(ui_.statuses().size(), 2u);  // the one save, then the count
  EXPECT_EQ(ui_.statuses().back(), "結果の未入力は 0組");
  EXPECT_TRUE(testing::sameEntries(*onDisk(), t));
  EXPECT_EQ(ws_->history.undoCount(), 1u);
  EXPECT_EQ(edit::undoText(ws_->history), "元に戻す: 1回戦の結果の一括入力");
  ASSERT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(testing::readFile(tablePath()), before);

  // The sheet as it stands changes nothing and writes nothing.
  std::filesystem::remove(tablePath());
  done = edit::enterResultSheet(*ws_, ui_, answer({{0, {1, 3, 1}}}));
  EXPECT_EQ(done.code, 0);
  EXPECT_EQ(done.count, 0);
  EXPECT_FALSE(tableWritten());
}

TEST_F(ResultSheet, RefusesWhenLockedAndAnswersThatDoNotFit) {
  ws_->table.lockFlag = 1;
  int asked = 0;
  EXPECT_EQ(edit::enterResultSheet(*ws_, ui_,
                                   [&](const edit::ResultSheet&) {
                                     ++asked;
                                     return std::optional<edit::ResultSheetAnswer>();
                                   })
                .stop,
            Stop::Locked);
  EXPECT_EQ(asked, 0);
  ws_->table.lockFlag = 0;
  const data::Table before = ws_->table;
  const edit::ResultSheetAnswer wrong[] = {
      {1, {0, 0, 0}}, {0, {0, 0}}, {0, {0, 4, 0}}, {0, {-1, 0, 0}}};
  for (const auto& a : wrong) {
    ui_.clear();
    EXPECT_EQ(edit::enterResultSheet(*ws_, ui_, answer(a)).stop, Stop::Refused);
    EXPECT_EQ(lastError(), "勝敗の指定が正しくありません。");
  }
  EXPECT_EQ(edit::enterResultSheet(*ws_, ui_, answer(std::nullopt)).stop, Stop::Declined);
  EXPECT_TRUE(data::sameContents(ws_->table, before));
  EXPECT_FALSE(tableWritten());
}

// Key 1 is the win of the player named first on the line, whichever side he plays: here the
// first-named player moves second on both boards (an even game and a handicap game).
TEST_F(ResultCodes, SheetKeysFollowTheLineWhenTheSecondMoverStandsLeft) {
  const auto answer = [](edit::ResultSheetAnswer a) {
    return [a](const edit::ResultSheet&) { return std::optional(a); };
  };
  addRows(4);
  play(0, 0, 1);
  play(0, 2, 3);
  data::Table& t = ws_->table;
  t.side[0][0] = t.side[2][0] = data::kSideSecond;
  t.side[1][0] = t.side[3][0] = data::kSideFirst;
  t.handicap[2][0] = 1;
  t.handicap[3][0] = -1;
  const struct {
    char key;
    std::size_t board;
    std::int16_t left, right;
  } cases[] = {
      {'1', 0, data::kWin, data::kLoss},  {'2', 0, data::kLoss, data::kWin},
      {'3', 0, data::kDraw, data::kDraw}, {'1', 1, data::kWin, data::kLoss},
      {'2', 1, data::kLoss, data::kWin},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.key << " on board " << c.board + 1);
    std::vector<int> choices(2, edit::kSheetNoResult);
    choices[c.board] = *edit::sheetChoiceOfKey(c.key);
    ASSERT_EQ(edit::enterResultSheet(*ws_, ui_, answer({0, choices})).code, 0);
    const int left = 2 * static_cast<int>(c.board);
    EXPECT_EQ(t.result[left][0], c.left);
    EXPECT_EQ(t.result[left + 1][0], c.right);
  }
}

TEST(SheetKeys, DigitsChooseAndOtherKeysDoNot) {
  EXPECT_EQ(edit::sheetChoiceOfKey('1'), edit::kSheetFirstWins);
  EXPECT_EQ(edit::sheetChoiceOfKey('2'), edit::kSheetSecondWins);
  EXPECT_EQ(edit::sheetChoiceOfKey('3'), edit::kSheetDraw);
  EXPECT_EQ(edit::sheetChoiceOfKey('0'), edit::kSheetNoResult);
  for (int key : std::initializer_list<int>{'4', 'W', 'a', 0x7F, -1})
    EXPECT_FALSE(edit::sheetChoiceOfKey(key)) << key;
}

}  // namespace
}  // namespace toq
