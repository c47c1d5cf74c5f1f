// Several players added to the table at once: the register's order, one write, the refusals
// before anything changes, and the explanations instead of an empty chooser.
#include "edit/add_participants.h"

#include <gtest/gtest.h>

#include "edit/edit_fixture.h"

namespace toq::edit {
namespace {

using testing::EditTest;

class AddParticipants : public EditTest {};

TEST_F(AddParticipants, TheChosenAreAddedInTheRegistersOrderAsOneWrite) {
  const int a = add("A", 1600, 0);
  const int b = add("B", 1600, 0);
  const int c = add("C", 1600, 0);
  const int d = add("D", 1600, 1);  // in the table already: not offered
  std::vector<ParticipantChoice> offered;
  const Outcome o = addParticipants(*ws_, ui_, [&](const std::vector<ParticipantChoice>& list) {
    offered = list;
    return std::vector<int>{c, a, c};  // any order, even twice
  });
  ASSERT_TRUE(o.done());
  EXPECT_EQ(o.count, 2);
  EXPECT_EQ(o.row, 1);
  ASSERT_EQ(offered.size(), 3u);
  EXPECT_EQ(offered[1].number, b);
  const auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->participantCount, 3);
  EXPECT_EQ(disk->participants[0], d);
  EXPECT_EQ(disk->participants[1], a);
  EXPECT_EQ(disk->participants[2], c);
}

TEST_F(AddParticipants, NothingChangesWhenRefusedDeclinedOrNothingToChoose) {
  struct Case {
    const char* what;
    std::function<void()> make;
    std::vector<int> chosen;
    Stop stop;
    std::string message;  // the error or information shown
  };
  const Case cases[] = {
      {"an empty register",
       [] {},
       {1},
       Stop::NothingToDo,
       "対局者が登録されていません。先に「対局者データ」→「参加者の新規登録」で対局者を登録してくだ"
       "さい。"},
      {"everyone takes part",
       [this] { add("A"); },
       {1},
       Stop::NothingToDo,
       "登録されている対局者は全員が対戦表に入っています。新しい参加者は「対局者データ」→"
       "「参加者の新規登録」で登録してください。"},
      {"nobody chosen", [this] { add("A", 1600, 0); }, {}, Stop::Declined, ""},
      {"a number nobody has",
       [this] { add("A", 1600, 0); },
       {1, 77},
       Stop::Refused,
       "番号 77 の対局者は登録されていません。"},
      {"locked",
       [this] {
         add("A", 1600, 0);
         ws_->table.lockFlag = 1;
       },
       {1},
       Stop::Locked,
       "変更は禁止されています。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    ui_.clear();
    c.make();
    const int rows = ws_->table.rows();
    const Outcome o = addParticipants(*ws_, ui_, [&](const auto&) { return c.chosen; });
    EXPECT_EQ(o.stop, c.stop);
    EXPECT_EQ(ws_->table.rows(), rows);
    EXPECT_FALSE(tableWritten());
    if (!c.message.empty()) {
      ASSERT_FALSE(ui_.messages.empty());
      EXPECT_EQ(ui_.messages.back().text, c.message);
    }
  }
}

}  // namespace
}  // namespace toq::edit
