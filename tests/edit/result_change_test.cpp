// A result key on a game that has its result: asked first, except where nothing would change.
#include "edit/result_change.h"

#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "text/cp932.h"

namespace toq::edit {
namespace {

using testing::EditTest;

class ResultChange : public EditTest {};

TEST_F(ResultChange, AskedOnlyWhenAResultWouldBeReplaced) {
  add(text::sj("青山"));
  add(text::sj("南条"));
  add(text::sj("北村"));
  play(0, 0, 1, data::kWin);
  ws_->table.opponent[2][0] = data::kBye;
  const struct {
    const char* what;
    int row;
    std::int16_t key;
    const char* question;  // null: no question
  } cases[] = {
      {"the same result again", 0, data::kWin, nullptr},
      {"the opponent's side of the same result", 1, data::kLoss, nullptr},
      {"another result", 0, data::kLoss,
       "1回戦 青山–南条 の結果（青山の勝ち）を青山の負けに変更しますか？"},
      {"cleared", 1, data::kResultNone,
       "1回戦 南条–青山 の結果（南条の負け）を未入力に変更しますか？"},
      {"a bye", 2, data::kWin, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (bool yes : {false, true}) {
      ui_.clear();
      ui_.answers = {yes};
      EXPECT_EQ(confirmResultChange(*ws_, ui_, c.row, 0, c.key), yes || !c.question);
      if (c.question) {
        ASSERT_EQ(ui_.questions().size(), 1u);
        EXPECT_EQ(ui_.questions()[0], c.question);
        EXPECT_TRUE(ui_.messages.back().defaultNo);  // a stray Enter keeps the result
      } else {
        EXPECT_TRUE(ui_.questions().empty());
      }
    }
  }
  // A locked table is refused by the entry itself, without a question first.
  ws_->table.lockFlag = 1;
  ui_.clear();
  EXPECT_TRUE(confirmResultChange(*ws_, ui_, 0, 0, data::kLoss));
  EXPECT_TRUE(ui_.questions().empty());
}

}  // namespace
}  // namespace toq::edit
