// The bye of an odd round: who the program proposes, when the question comes at all, the
// second bye's question, and the bye set in the round being paired.
#include "edit/bye_proposal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "edit/edit_fixture.h"
#include "edit/pair_command.h"
#include "text/cp932.h"

namespace toq::edit {
namespace {

using testing::EditTest;

class ByeProposal : public EditTest {
 protected:
  // Five amateurs (rows 0-4) and, when asked, a professional as row 5.
  void fiveAndMaybeAPro(bool pro) {
    for (const char* name : {"A", "B", "C", "D", "E"}) add(name);
    if (pro) add("Pro", 2000, 1, true);
  }
  std::optional<int> proposal() {
    const auto need = byeNeeded(*ws_, ui_);
    return need ? need->proposal : std::nullopt;
  }
};

TEST_F(ByeProposal, RoundOneProposesTheLastRowAndAnsweringYesPairsTheRest) {
  fiveAndMaybeAPro(false);
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  EXPECT_EQ(need->round, 0);
  EXPECT_EQ(need->proposal, 4);  // nobody is placed yet: table order decides
  ASSERT_EQ(need->candidates.size(), 5u);
  EXPECT_EQ(need->candidates.front().row, 4);  // lowest-placed first
  EXPECT_EQ(
      byeQuestion(*ws_, *need, ui_),
      "参加者が奇数です。抜け番を決めてから組み合わせますか？\n抜け番の候補: E（5位、抜け番なし）");
  ASSERT_TRUE(setRoundBye(*ws_, ui_, *need, *need->proposal).done());
  EXPECT_EQ(onDisk()->opponent[4][0], data::kBye);
  EXPECT_FALSE(byeNeeded(*ws_, ui_));  // the round has its bye now
  ASSERT_EQ(pairNextRound(*ws_, ui_, {}, nullptr, false), 0);
  EXPECT_TRUE(ui_.questions().empty());  // the bye's Yes stood for the pairing's question
  EXPECT_EQ(ws_->table.FirstUnpairedRound(), 1);
}

TEST_F(ByeProposal, TheLowestPlacedWithoutAByeNeverAProfessional) {
  fiveAndMaybeAPro(true);
  add("F");  // seven: rows 0-4 amateurs, 5 the professional, 6 an amateur
  // Round 1: 0 beat 1, 2 beat 3, 4 beat 5 (the professional lost), 6 had the bye.
  play(0, 0, 1, data::kWin);
  play(0, 2, 3, data::kWin);
  play(0, 4, 5, data::kWin);
  ws_->table.opponent[6][0] = data::kBye;
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  EXPECT_EQ(need->round, 1);
  // The professional (last placed with D and B) is never offered; of B and D, D is placed
  // lower (table order between equals); F had the bye already.
  for (const ByeCandidate& c : need->candidates) EXPECT_NE(c.row, 5);
  EXPECT_EQ(need->proposal, 3);
  const auto f = std::find_if(need->candidates.begin(), need->candidates.end(),
                              [](const ByeCandidate& c) { return c.row == 6; });
  ASSERT_NE(f, need->candidates.end());
  EXPECT_EQ(f->earlierByes, 1);
}

TEST_F(ByeProposal, NoQuestionWhereTheButtonCannotPairOrNeedsNoBye) {
  struct Case {
    const char* what;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"an even count", [this] { add("F"); }},
      {"the round has its bye already", [this] { ws_->table.opponent[0][0] = data::kBye; }},
      {"locked", [this] { ws_->table.lockFlag = 1; }},
      {"a result missing before",
       [this] {
         play(0, 0, 1);
         play(0, 2, 3, data::kWin);
         ws_->table.opponent[4][0] = data::kBye;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    fiveAndMaybeAPro(false);
    c.make();
    EXPECT_FALSE(byeNeeded(*ws_, ui_));
  }
}

TEST_F(ByeProposal, EveryoneHadAByeTheFewestIsProposedAndASecondByeIsAskedAbout) {
  add("A");
  add("B");
  add("C");
  // Three rounds, each with its bye: C, then B, then A.
  play(0, 0, 1, data::kWin);
  ws_->table.opponent[2][0] = data::kBye;
  play(1, 0, 2, data::kWin);
  ws_->table.opponent[1][1] = data::kBye;
  play(2, 1, 2, data::kWin);
  ws_->table.opponent[0][2] = data::kBye;
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  EXPECT_EQ(need->round, 3);
  ASSERT_TRUE(need->proposal);
  EXPECT_EQ(byesBefore(ws_->table, *need->proposal, 3), 1);

  ui_.answers = {false, true};
  EXPECT_FALSE(confirmSecondBye(*ws_, ui_, 2));
  EXPECT_EQ(ui_.questions().back(), "Cさんは既に1回戦で抜け番でした。もう一度抜け番にしますか？");
  EXPECT_TRUE(confirmSecondBye(*ws_, ui_, 2));
  ui_.clear();
  add("D");  // no bye yet: no question
  EXPECT_TRUE(confirmSecondBye(*ws_, ui_, 3));
  EXPECT_TRUE(ui_.questions().empty());
}

TEST_F(ByeProposal, SettingTheByeIsRefusedWhenLockedOrTheRowIsPaired) {
  fiveAndMaybeAPro(false);
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  play(0, 0, 1);
  EXPECT_EQ(setRoundBye(*ws_, ui_, *need, 0).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "Aさんはこの回の対戦相手が決まっています。");
  ws_->table.lockFlag = 1;
  EXPECT_EQ(setRoundBye(*ws_, ui_, *need, 4).stop, Stop::Locked);
  EXPECT_EQ(ws_->table.opponent[4][0], data::kUnpaired);
  EXPECT_FALSE(tableWritten());
}

}  // namespace
}  // namespace toq::edit
