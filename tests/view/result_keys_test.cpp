// Results from the keyboard: the keys and where the current cell goes after each result.
#include "view/result_keys.h"

#include <gtest/gtest.h>

#include "support/builders.h"

namespace toq::view {
namespace {

TEST(ResultKeys, LettersInEitherCaseDigitsAndDelete) {
  const std::pair<int, std::int16_t> keys[] = {
      {'W', data::kWin},       {'w', data::kWin},
      {'1', data::kWin},       {'L', data::kLoss},
      {'l', data::kLoss},      {'2', data::kLoss},
      {'D', data::kDraw},      {'d', data::kDraw},
      {'3', data::kDraw},      {kDeleteKey, data::kResultNone},
      {'0', data::kResultNone}};
  for (auto [key, result] : keys) EXPECT_EQ(resultOfKey(key), result) << key;
  for (int key : std::initializer_list<int>{'4', '9', 'X', 'z', ' ', 0x08, 0x1000007, -1, 0})
    EXPECT_FALSE(resultOfKey(key)) << key;
}

// Round 1 of eight rows: 0-5 and 7-2 without results, 1-3 played, 4 a bye, 6 absent.
std::unique_ptr<testing::Tournament> roundOfFourGames() {
  auto t = testing::makeTournament(2);
  for (int i = 0; i < 8; ++i) t->addParticipant("P" + std::to_string(i));
  t->table.setPair(0, 0, 5);
  t->table.setPair(0, 7, 2);
  t->play(0, 1, 3, data::kWin);
  t->table.opponent[4][0] = data::kBye;
  t->table.opponent[6][0] = data::kAbsent;
  return t;
}

TEST(ResultKeys, OnlyACellWithAGameTakesAResult) {
  auto t = roundOfFourGames();
  EXPECT_TRUE(holdsGame(t->table, 0, 0));
  EXPECT_TRUE(holdsGame(t->table, 3, 0));
  EXPECT_FALSE(holdsGame(t->table, 4, 0));  // bye
  EXPECT_FALSE(holdsGame(t->table, 6, 0));  // absent
  EXPECT_FALSE(holdsGame(t->table, 0, 1));  // not paired
  EXPECT_FALSE(holdsGame(t->table, 8, 0));
  EXPECT_FALSE(holdsGame(t->table, 0, 2));
}

TEST(ResultKeys, GoesDownToTheNextGameWithoutAResultPassingTheOpponentAndWrapping) {
  auto t = roundOfFourGames();
  data::Table& table = t->table;
  // From row 0 (against 5): row 2 is the next game without a result.
  EXPECT_EQ(nextRowWithoutResult(table, 0, 0), 2);
  // From row 2 (game 7-2) the next open game below is 0-5, on row 5's line.
  EXPECT_EQ(nextRowWithoutResult(table, 2, 0), 5);
  // From row 5 its own opponent 0 is passed over, the next open game below is 7.
  EXPECT_EQ(nextRowWithoutResult(table, 5, 0), 7);
  // From row 7: nothing below, on from the top; row 2 (its opponent) is passed over.
  EXPECT_EQ(nextRowWithoutResult(table, 7, 0), 0);
  // Results cleared by Delete leave the opponent's line open: it is still passed over.
  t->play(0, 7, 2, data::kResultNone);
  table.result[0][0] = data::kWin;
  table.result[5][0] = data::kLoss;
  EXPECT_EQ(nextRowWithoutResult(table, 2, 0), std::nullopt);
  EXPECT_EQ(nextRowWithoutResult(table, 0, 0), 2);
  // Every game has a result: the cell stays.
  t->play(0, 7, 2, data::kDraw);
  for (int row = 0; row < 8; ++row) EXPECT_EQ(nextRowWithoutResult(table, row, 0), std::nullopt);
  EXPECT_EQ(nextRowWithoutResult(table, 0, 1), std::nullopt);  // nothing paired
  EXPECT_EQ(nextRowWithoutResult(table, 0, 5), std::nullopt);  // no such round
}

}  // namespace
}  // namespace toq::view
