// Round 1 by strength: the rows put in rating order before the first pairing, and the bye of
// an odd field named whatever the round holds already.
#include "edit/rating_order.h"

#include <gtest/gtest.h>

#include "edit/bye_proposal.h"
#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/history.h"

namespace toq::edit {
namespace {

using testing::EditTest;

class RatingOrder : public EditTest {
 protected:
  // Arrivals in the order of the door: 500, 1800, 1200, 1800 (the second 1800 came later).
  void arrivals() {
    for (const auto& [name, rating] :
         {std::pair{"十級", 500}, {"四段", 1800}, {"初段", 1200}, {"四段2", 1800}})
      add(name, rating);
  }
  std::vector<std::string> namesInRows() {
    std::vector<std::string> out;
    for (int row = 0; row < ws_->table.rows(); ++row)
      out.push_back(ws_->players.FindPlayer(ws_->table.participants[row])->name);
    return out;
  }
};

TEST_F(RatingOrder, SortsHighestFirstAsOneUndoStepAndOnlyBeforeRoundOne) {
  arrivals();
  ws_->table.opponent[0][0] = data::kAbsent;  // set ahead for the 10級 player: it moves along
  EXPECT_FALSE(inRatingOrder(*ws_));
  EXPECT_TRUE(sortBeforePairingQuestion(*ws_));
  const Passed p = runCommand(*ws_, ui_, StepRule{texts::kLabelSortByRating},
                              [&] { return sortByRating(*ws_, ui_); }, journal::Who::window());
  ASSERT_TRUE(p.outcome.done());
  EXPECT_EQ(p.step, "レーティング順の並べ替え");
  EXPECT_EQ(namesInRows(), (std::vector<std::string>{"四段", "四段2", "初段", "十級"}));
  EXPECT_EQ(onDisk()->opponent[3][0], data::kAbsent);
  EXPECT_EQ(onDisk()->opponent[0][0], data::kUnpaired);
  EXPECT_FALSE(sortBeforePairingQuestion(*ws_));
  EXPECT_EQ(sortByRating(*ws_, ui_).stop, Stop::NothingToDo);

  ASSERT_TRUE(undo(*ws_, ui_).done());
  EXPECT_EQ(namesInRows(), (std::vector<std::string>{"十級", "四段", "初段", "四段2"}));

  play(0, 1, 2);  // a game in round 1: refused
  EXPECT_EQ(sortByRating(*ws_, ui_).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "組み合わせがあるため、並べ替えられません。");
  EXPECT_FALSE(sortBeforePairingQuestion(*ws_));
}

TEST_F(RatingOrder, AnOddFieldNamesItsByeAlsoWhenTheRoundHoldsAByeOrAnAbsence) {
  addRows(7);
  ws_->table.opponent[6][0] = data::kBye;     // a bye set by hand
  ws_->table.opponent[5][0] = data::kAbsent;  // and an absence: five left
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  EXPECT_EQ(need->candidates.size(), 5u);
  EXPECT_EQ(need->proposal, 4);
  EXPECT_EQ(byeProposalLine(*ws_, *need, ui_), "抜け番の候補: P4（5位、抜け番なし）");
}

}  // namespace
}  // namespace toq::edit
