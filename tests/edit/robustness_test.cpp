// Every command on damaged tables (any opponent code, missing players, rows and rounds out of
// range): no crash, no write outside the planes (the sanitizer build checks), and each pair
// the commands make stays whole.
#include <gtest/gtest.h>

#include <random>

#include "edit/edit_fixture.h"
#include "edit/handicap_edits.h"
#include "edit/pairing_edits.h"
#include "edit/participants.h"
#include "edit/players.h"
#include "edit/result_entry.h"
#include "edit/results.h"
#include "edit/rounds.h"

namespace toq {
namespace {

using edit::given;

class Robustness : public testing::EditTest {
 protected:
  std::mt19937 gen{20261207};
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }

  void damage() {
    data::Table& t = ws_->table;
    t.participantCount = pick(0, data::kMaxParticipants);
    t.numberOfGames = pick(1, data::kMaxRounds);
    t.lockFlag = pick(0, 3) == 0 ? 1 : 0;
    for (int r = 0; r < data::kMaxRows; ++r) {
      t.participants[r] = pick(-2, 8);
      for (int k = 0; k < data::kMaxRounds; ++k) {
        t.opponent[r][k] = static_cast<std::int16_t>(pick(-5, 110));
        if (pick(0, 2) == 0) t.opponent[r][k] = data::kUnpaired;
        t.side[r][k] = static_cast<std::int16_t>(pick(-32768, 32767));
        t.handicap[r][k] = static_cast<std::int16_t>(pick(-32768, 32767));
        t.result[r][k] = static_cast<std::int16_t>(pick(-5, 5));
      }
    }
  }
};

TEST_F(Robustness, CommandsOnDamagedTablesStayInBounds) {
  for (int i = 0; i < 6; ++i) add("P" + std::to_string(i), pick(0, 2500), 0, pick(0, 1) == 1);
  for (int iteration = 0; iteration < 150; ++iteration) {
    damage();
    ws_->deriveHandicaps = pick(0, 1) == 1;
    ui_.clear();
    ui_.defaultAnswer = pick(0, 1) == 1;
    const int row = pick(-2, 101);
    const int other = pick(-2, 101);
    const int round = pick(-2, 33);
    switch (iteration % 12) {
      case 0:
        edit::opponentChoices(*ws_, ui_, row);
        edit::setOpponent(*ws_, ui_, row, given(pick(-3, 9)));
        break;
      case 1:
        edit::setBye(*ws_, ui_, row);
        edit::cancelLastPairing(*ws_, ui_, row);
        break;
      case 2:
        edit::enterResult(*ws_, ui_, row, round, given(pick(-1, 4)));
        break;
      case 3:
        edit::setHandicap(*ws_, ui_, row, round,
                          given(edit::HandicapAnswer{pick(-1, 8), pick(-1, 3), pick(-1, 4)}));
        edit::setHandicapAndResult(
            *ws_, ui_, row, round,
            given(edit::HandicapAnswer{pick(-1, 8), pick(-1, 3), pick(-1, 4)}));
        break;
      case 4:
        edit::randomResults(*ws_, ui_);
        break;
      case 5:
        edit::cancelLatestRound(*ws_, ui_);
        break;
      case 6:
        edit::changeNumberOfGames(*ws_, ui_, given(pick(-1, 40)));
        break;
      case 7:
        edit::exchangeByes(*ws_, ui_, row, other);
        break;
      case 8:
        edit::addParticipant(*ws_, ui_, given(pick(-2, 9)));
        edit::removeParticipant(*ws_, ui_, row);
        break;
      case 9:
        edit::cancelAllPairings(*ws_, ui_);
        edit::setLockFlag(*ws_, ui_, pick(0, 1) == 1);
        break;
      case 10:
        edit::editPlayer(*ws_, ui_, pick(-1, 8), edit::PlayerForm{"Q", "", 1, false});
        edit::deletePlayers(*ws_, ui_, {pick(-1, 8)});
        edit::registerPlayer(*ws_, ui_,
                             edit::PlayerForm{"P" + std::to_string(iteration), "", 1, false});
        break;
      case 11:
        edit::participantChoices(*ws_);
        edit::playerPositionOfRow(*ws_, row);
        break;
    }
    EXPECT_GE(ws_->table.participantCount, 0);
    EXPECT_LE(ws_->table.participantCount, data::kMaxParticipants);
    EXPECT_GE(ws_->table.numberOfGames, 1);
    EXPECT_LE(ws_->table.numberOfGames, data::kMaxRounds);
  }
}

TEST_F(Robustness, HandMadePairsStayWhole) {
  // Random hand pairing on a clean table: every game set names its partner back.
  addRows(9);
  ws_->table.numberOfGames = 6;
  for (int step = 0; step < 120; ++step) {
    const int row = pick(0, 8);
    ui_.defaultAnswer = true;
    switch (pick(0, 3)) {
      case 0:
      case 1:
        edit::setOpponent(*ws_, ui_, row, [&](const edit::OpponentChoices& d) {
          return std::optional<int>(d.entries[pick(0, int(d.entries.size()) - 1)].number);
        });
        break;
      case 2:
        edit::cancelLastPairing(*ws_, ui_, row);
        break;
      case 3:
        edit::setBye(*ws_, ui_, row);
        break;
    }
    const data::Table& t = ws_->table;
    for (int r = 0; r < 9; ++r)
      for (int k = 0; k < 6; ++k) {
        const int o = t.opponent[r][k];
        ASSERT_TRUE(o == data::kUnpaired || o == data::kBye || (o >= 0 && o < 9 && o != r));
        if (o >= 0) {
          ASSERT_EQ(t.opponent[o][k], r) << "step " << step;
        }
      }
  }
}

}  // namespace
}  // namespace toq
