// A participant sitting out a round or withdrawing, taking it back, and what the pairing, the
// bye proposal and the standings make of it afterwards.
#include "edit/absences.h"

#include <gtest/gtest.h>

#include <vector>

#include "edit/bye_proposal.h"
#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/history.h"
#include "edit/pair_command.h"
#include "pairing/standings.h"
#include "reports/standings_list.h"
#include "text/cp932.h"

namespace toq::edit {
namespace {

using data::kAbsent;
using data::kUnpaired;
using testing::EditTest;

constexpr std::int16_t kGame = 100;  // in an expected row: "a game" (any opponent row)

class Absences : public EditTest {
 protected:
  // Six players in rows 0-5; round 1 paired 0-1, 2-3, 4-5 and played when `played`.
  void sixWithRoundOne(bool played) {
    addRows(6);
    for (int a : {0, 2, 4}) play(0, a, a + 1, played ? data::kWin : data::kResultNone);
  }
  std::vector<std::int16_t> rowOnDisk(int row) {
    std::vector<std::int16_t> out;
    const auto t = onDisk();
    for (int k = 0; k < 4; ++k)
      out.push_back(t->opponent[row][k] >= 0 ? kGame : t->opponent[row][k]);
    return out;
  }
};

TEST_F(Absences, SittingOutWithdrawingAndTakingBackMarkTheRightRounds) {
  struct Case {
    const char* what;
    AbsenceRequest first;
    PairedGame game;
    std::vector<std::int16_t> row0;  // row 0's four rounds afterwards
    std::int16_t row1Round1;         // row 1's first round afterwards
    int withdrawnFrom;
  };
  const Case cases[] = {
      {"sits out round 3",
       {0, 2, false, false},
       PairedGame::Keep,
       {kGame, kUnpaired, kAbsent, kUnpaired},
       kGame,
       -1},
      {"withdraws from round 2",
       {0, 1, true, false},
       PairedGame::Keep,
       {kGame, kAbsent, kAbsent, kAbsent},
       kGame,
       1},
      {"withdraws from the paired round 1, keeping its game",
       {0, 0, true, false},
       PairedGame::Keep,
       {kGame, kAbsent, kAbsent, kAbsent},
       kGame,
       1},
      {"withdraws from round 1, its game taken out",
       {0, 0, true, false},
       PairedGame::TakeOut,
       {kAbsent, kAbsent, kAbsent, kAbsent},
       kUnpaired,
       0},
      {"sits out the paired round 1: its game cannot stay",
       {0, 0, false, false},
       PairedGame::Keep,
       {kAbsent, kUnpaired, kUnpaired, kUnpaired},
       kUnpaired,
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    sixWithRoundOne(false);
    ASSERT_TRUE(setAbsence(*ws_, ui_, c.first, c.game).done()) << lastError();
    EXPECT_EQ(rowOnDisk(0), c.row0);
    EXPECT_EQ(onDisk()->opponent[1][0] >= 0 ? kGame : onDisk()->opponent[1][0], c.row1Round1);
    EXPECT_EQ(data::withdrawnFrom(ws_->table, 0), c.withdrawnFrom);
  }
}

TEST_F(Absences, TakenBackOnlyWhereTheRoundIsNotPaired) {
  sixWithRoundOne(false);
  ASSERT_TRUE(setAbsence(*ws_, ui_, {0, 1, true, false}, PairedGame::Keep).done());
  ws_->table.setPair(1, 2, 3);  // round 2 is paired now
  // A single paired round is refused; from a round on, the paired ones keep their absence.
  EXPECT_EQ(setAbsence(*ws_, ui_, {0, 1, false, true}, PairedGame::Keep).stop, Stop::Refused);
  EXPECT_EQ(lastError(), "2回戦はすでに組み合わせられています。休場は取り消せません。");
  const Outcome back = setAbsence(*ws_, ui_, {0, 1, true, true}, PairedGame::Keep);
  ASSERT_TRUE(back.done());
  EXPECT_EQ(back.count, 2);
  EXPECT_EQ(rowOnDisk(0), (std::vector<std::int16_t>{kGame, kAbsent, kUnpaired, kUnpaired}));
  // Nothing left to take back, or an absence already set: nothing changes.
  EXPECT_EQ(setAbsence(*ws_, ui_, {0, 2, true, true}, PairedGame::Keep).stop, Stop::NothingToDo);
  EXPECT_EQ(setAbsence(*ws_, ui_, {0, 1, false, false}, PairedGame::Keep).stop, Stop::NothingToDo);
  ws_->table.lockFlag = 1;
  EXPECT_EQ(setAbsence(*ws_, ui_, {0, 2, false, false}, PairedGame::Keep).stop, Stop::Locked);
  EXPECT_EQ(setAbsence(*ws_, ui_, {6, 2, false, false}, PairedGame::Keep).stop, Stop::BadIndex);
}

TEST_F(Absences, TheQuestionComesOnlyWhenAPairedGameIsTouched) {
  sixWithRoundOne(false);
  ws_->players.at(1).name = text::sj("青山");
  ws_->players.at(2).name = text::sj("南条");
  EXPECT_FALSE(pairedGameQuestion(*ws_, {0, 1, true, false}, ui_));
  EXPECT_FALSE(pairedGameQuestion(*ws_, {0, 0, true, true}, ui_));
  EXPECT_EQ(pairedGameQuestion(*ws_, {0, 0, false, false}, ui_),
            "1回戦 青山 対 南条 の対局を取り消して、青山さんをこの回の休場にしますか？");
  const auto withdraw = pairedGameQuestion(*ws_, {0, 0, true, false}, ui_);
  ASSERT_TRUE(withdraw);
  EXPECT_EQ(withdraw->substr(0, withdraw->find('\n')),
            "青山さんには1回戦の対局（相手 南条）が組まれています。この対局を残しますか？");
}

TEST_F(Absences, PairingLeavesThemOutAndTheStandingsKeepTheirGames) {
  sixWithRoundOne(true);  // rows 0, 2, 4 won round 1
  // One step through the door each; undo takes the withdrawal back whole.
  const Passed p = runCommand(
      *ws_, ui_, StepRule{absenceStepLabel({0, 1, true, false})},
      [&] {
        return setAbsence(*ws_, ui_, {0, 1, true, false}, PairedGame::Keep);
      },
      journal::Who::window());
  EXPECT_EQ(p.step, "棄権");
  ASSERT_TRUE(setAbsence(*ws_, ui_, {3, 1, false, false}, PairedGame::Keep).done());
  // Four left to pair in round 2: even, no bye question; the absent rows stay absent.
  EXPECT_FALSE(byeNeeded(*ws_, ui_));
  ASSERT_EQ(pairNextRound(*ws_, ui_, {}, nullptr, false), 0) << lastError();
  const auto t = onDisk();
  EXPECT_EQ(t->opponent[0][1], kAbsent);
  EXPECT_EQ(t->opponent[3][1], kAbsent);
  for (int row : {1, 2, 4, 5}) EXPECT_GE(t->opponent[row][1], 0) << row;
  // Round 3 sees five: the proposal is named although round 2 held absences.
  for (int row : {1, 2, 4, 5})
    ws_->table.result[row][1] = row < ws_->table.opponent[row][1] ? data::kWin : data::kLoss;
  const auto need = byeNeeded(*ws_, ui_);
  ASSERT_TRUE(need);
  EXPECT_EQ(need->round, 2);
  EXPECT_EQ(need->candidates.size(), 5u);
  // The withdrawn player keeps the round-1 win.
  ASSERT_EQ(pairing::computeStandings(ws_->table, ws_->players, 1), 0);
  EXPECT_EQ(ws_->table.standings[0][1].wins, 1);
  // The printed standings mark the withdrawn player, not the one who sat out a round.
  const reports::StandingsList list = reports::standingsList(ws_->table, ws_->players, 1);
  int marked = 0;
  for (const reports::StandingsLine& line : list.lines)
    if (line.name.ends_with(text::sj("（棄権）"))) marked += line.row == 0 ? 1 : 100;
  EXPECT_EQ(marked, 1);
}

}  // namespace
}  // namespace toq::edit
