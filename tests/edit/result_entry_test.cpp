// Results named without the dialog (the venue server's pages): the organiser's entry, the
// result desk's, and the words for a cell that holds no game (the window passes it over).
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "edit/result_entry.h"

namespace toq {
namespace {

using edit::ResultEntryRule;
using edit::Stop;

class ResultEntry : public testing::EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    add("A");
    add("B");
    add("C");
    add("D");
    add("E");
    play(0, 0, 1);
    play(0, 2, 3, data::kWin);
    ws_->table.opponent[4][0] = data::kBye;
    ws_->table.opponent[4][1] = data::kAbsent;
  }
};

TEST_F(ResultEntry, TheOrganiserSetsChangesAndClearsAnyGame) {
  const struct {
    int row;
    std::int16_t own;
    std::int16_t other;
    int open;
  } cases[] = {{1, data::kWin, data::kLoss, 0},
               {3, data::kLoss, data::kWin, 0},
               {2, data::kDraw, data::kDraw, 0},
               {0, data::kResultNone, data::kResultNone, 1}};
  for (const auto& c : cases) {
    const edit::Outcome o =
        edit::enterResultCode(*ws_, ui_, c.row, 0, c.own, ResultEntryRule::Organiser);
    ASSERT_TRUE(o.done()) << c.row;
    EXPECT_TRUE(o.saved);
    const auto disk = onDisk();
    ASSERT_TRUE(disk);
    const int other = ws_->table.opponent[c.row][0];
    EXPECT_EQ(disk->result[c.row][0], c.own);
    EXPECT_EQ(disk->result[other][0], c.other);
    EXPECT_EQ(ui_.statuses().back(), "結果の未入力は " + std::to_string(c.open) + "組");
  }
}

TEST_F(ResultEntry, ACellWithoutAGameIsExplainedAndNothingIsWritten) {
  const struct {
    int row;
    int round;
    Stop stop;
    const char* message;
  } cases[] = {{4, 0, Stop::Refused, "1回戦のEは抜け番です。"},
               {4, 1, Stop::Refused, "2回戦のEは休場です。"},
               {0, 1, Stop::Refused, "2回戦のAはまだ組み合わせがありません。"},
               {5, 0, Stop::BadIndex, "行番号が範囲外です。"},
               {-1, 0, Stop::BadIndex, "行番号が範囲外です。"},
               {0, 4, Stop::BadIndex, "回戦が範囲外です。"}};
  for (const auto& c : cases) {
    const edit::Outcome o =
        edit::enterResultCode(*ws_, ui_, c.row, c.round, data::kWin, ResultEntryRule::Organiser);
    EXPECT_EQ(o.stop, c.stop) << c.message;
    EXPECT_EQ(lastError(), c.message);
    // The window offers no such cell: there the same cell is passed over in silence, but for
    // a row or round out of range.
    const std::size_t errors = ui_.errors().size();
    const edit::Outcome w = edit::enterResultCode(*ws_, ui_, c.row, c.round, data::kWin);
    const bool outOfRange = c.stop == Stop::BadIndex;
    EXPECT_EQ(w.stop, outOfRange ? Stop::BadIndex : Stop::NothingToDo) << c.message;
    EXPECT_EQ(ui_.errors().size(), errors + (outOfRange ? 1u : 0u)) << c.message;
  }
  EXPECT_FALSE(tableWritten());
}

TEST_F(ResultEntry, TheLockRefusesEveryEntry) {
  ws_->table.lockFlag = 1;
  for (ResultEntryRule rule :
       {ResultEntryRule::Window, ResultEntryRule::Organiser, ResultEntryRule::Desk})
    EXPECT_EQ(edit::enterResultCode(*ws_, ui_, 0, 0, data::kWin, rule).stop, Stop::Locked);
  // The guards run once: one warning per entry.
  EXPECT_EQ(ui_.warnings().size(), 3u);
  EXPECT_FALSE(tableWritten());
}

TEST_F(ResultEntry, TheDeskStoresOnlyAFirstResult) {
  // A game without a result: stored.
  ASSERT_TRUE(edit::enterResultCode(*ws_, ui_, 1, 0, data::kDraw, ResultEntryRule::Desk).done());
  EXPECT_EQ(ws_->table.result[0][0], data::kDraw);
  // Then again from either row, and the game that had a result before: refused, unchanged.
  for (const auto& [row, text] :
       {std::pair{0, "1回戦 A 対 B"}, {1, "1回戦 B 対 A"}, {3, "1回戦 D 対 C"}}) {
    const edit::Outcome o =
        edit::enterResultCode(*ws_, ui_, row, 0, data::kWin, ResultEntryRule::Desk);
    EXPECT_EQ(o.stop, Stop::Refused);
    EXPECT_EQ(lastError(),
              std::string(text) + " の結果は入力済みです。変更は主催者に申し出てください。");
  }
  EXPECT_EQ(ws_->table.result[0][0], data::kDraw);
  EXPECT_EQ(ws_->table.result[2][0], data::kWin);
  // Clearing belongs to the organiser.
  ws_->table.result[0][0] = ws_->table.result[1][0] = data::kResultNone;
  EXPECT_EQ(edit::enterResultCode(*ws_, ui_, 0, 0, data::kResultNone, ResultEntryRule::Desk).stop,
            Stop::Refused);
  EXPECT_EQ(lastError(), "勝敗の指定が正しくありません。");
}

}  // namespace
}  // namespace toq
