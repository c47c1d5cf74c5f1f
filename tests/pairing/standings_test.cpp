#include <gtest/gtest.h>

#include "pairing/standings.h"
#include "support/builders.h"

namespace toq {
namespace {

using data::kAbsent;
using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kWin;

/// Writes one side of a game only; the standings read every row on its own.
void oneSided(data::Table& table, int row, int round, int opponent, std::int16_t result) {
  table.opponent[row][round] = static_cast<std::int16_t>(opponent);
  table.result[row][round] = result;
}

std::unique_ptr<testing::Tournament> rowsOf(int count, int games = 9) {
  auto t = testing::makeTournament(games);
  for (int i = 0; i < count; ++i) t->addParticipant("P" + std::to_string(i));
  return t;
}

TEST(Standings, CountsSkipByesAbsencesAndCorruptOpponents) {
  auto t = rowsOf(6);
  auto& tb = t->table;
  t->play(0, 0, 1, kWin);
  t->play(0, 2, 3, kDraw);
  tb.opponent[4][0] = kBye;
  tb.opponent[5][0] = kAbsent;
  tb.opponent[0][1] = kBye;
  t->play(1, 1, 2, kWin);
  t->play(1, 3, 4, kLoss);
  tb.opponent[5][1] = 77;  // not a used row: no game, no result needed, never an index
  t->play(2, 0, 3, kWin);
  t->play(2, 1, 4, kDraw);
  t->play(2, 2, 5, kWin);
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 2), 0);
  const auto& s = tb.standings;
  // Row 0: win, bye, win.
  EXPECT_EQ(s[0][2].score, 4);
  EXPECT_EQ(s[0][2].wins, 2);
  EXPECT_EQ(s[0][2].losses, 0);
  EXPECT_EQ(s[0][2].draws, 0);
  EXPECT_EQ(s[1][2].score, 3);
  EXPECT_EQ(s[3][2].score, 1);
  EXPECT_EQ(s[0][2].solkoff, 4);  // rows 1 and 3; the bye adds nothing
  EXPECT_EQ(s[0][2].beaten, 4);
  EXPECT_EQ(s[0][2].trimmed, 0);  // row 1 highest, row 3 lowest
  // Row 4: bye, win, draw.
  EXPECT_EQ(s[4][2].score, 3);
  EXPECT_EQ(s[4][2].wins, 1);
  EXPECT_EQ(s[4][2].draws, 1);
  // Row 5: absent, a corrupt opponent, a loss.
  EXPECT_EQ(s[5][2].score, 0);
  EXPECT_EQ(s[5][2].wins + s[5][2].losses + s[5][2].draws, 1);
  EXPECT_EQ(s[5][2].solkoff, s[2][2].score);
}

TEST(Standings, RefusesMissingOrInvalidResultsAndBadRounds) {
  auto t = rowsOf(4, 4);
  auto& tb = t->table;
  tb.setPair(0, 0, 1);
  tb.setPair(0, 2, 3);
  tb.standings[0][0].score = 99;
  EXPECT_EQ(pairing::computeStandings(tb, t->players, -1), 0);
  EXPECT_EQ(tb.standings[0][0].score, 99);  // nothing changed
  EXPECT_EQ(pairing::computeStandings(tb, t->players, 0), -1);
  t->setResult(0, 0, kWin);
  t->setResult(0, 2, kDraw);
  EXPECT_EQ(pairing::computeStandings(tb, t->players, 0), 0);
  tb.result[3][0] = 5;
  EXPECT_EQ(pairing::computeStandings(tb, t->players, 0), -1);
  tb.result[3][0] = kDraw;
  // A row that is not paired yet in a counted round lacks its result.
  EXPECT_EQ(pairing::computeStandings(tb, t->players, 1), -1);
  EXPECT_EQ(pairing::computeStandings(tb, t->players, 4), -1);
  EXPECT_EQ(pairing::computeStandings(tb, t->players, data::kMaxRounds), -1);
  auto empty = testing::makeTournament();
  EXPECT_EQ(pairing::computeStandings(empty->table, empty->players, 0), 0);
}

TEST(Standings, TrimmedSumLeavesOutFirstHighestAndLastLowestByRow) {
  auto t = rowsOf(8, 4);
  auto& tb = t->table;
  // Row 0 beats 2 (4 points), 1 (4 points) twice and 3 (0 points).
  t->play(0, 0, 2, kWin);
  t->play(0, 1, 4, kWin);
  t->play(0, 3, 5, kLoss);
  t->play(0, 6, 7, kDraw);
  t->play(1, 0, 1, kWin);
  t->play(1, 2, 5, kWin);
  t->play(1, 3, 6, kLoss);
  t->play(1, 4, 7, kDraw);
  t->play(2, 0, 1, kWin);
  t->play(2, 2, 5, kWin);
  t->play(2, 3, 7, kLoss);
  t->play(2, 4, 6, kDraw);
  t->play(3, 0, 3, kWin);
  t->play(3, 1, 4, kWin);
  t->play(3, 2, 5, kLoss);
  t->play(3, 6, 7, kDraw);
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 3), 0);
  ASSERT_EQ(tb.standings[1][3].score, 4);
  ASSERT_EQ(tb.standings[2][3].score, 4);
  ASSERT_EQ(tb.standings[3][3].score, 0);
  EXPECT_EQ(tb.standings[0][3].beaten, 12);
  EXPECT_EQ(tb.standings[0][3].solkoff, 12);
  // Highest is row 2 (met first), lowest row 3: both wins over row 1 stay.
  EXPECT_EQ(tb.standings[0][3].trimmed, 8);

  // After two rounds every trimmed sum is 0.
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 1), 0);
  for (int row = 0; row < 8; ++row) EXPECT_EQ(tb.standings[row][1].trimmed, 0) << row;
}

TEST(Standings, TrimmedIsZeroForOneOpponentBeatenRepeatedly) {
  auto t = rowsOf(2, 3);
  for (int k = 0; k < 3; ++k) t->play(k, 0, 1, kWin);
  ASSERT_EQ(pairing::computeStandings(t->table, t->players, 2), 0);
  EXPECT_EQ(t->table.standings[0][2].beaten, 0);  // row 1 scored nothing
  t->setResult(1, 0, kDraw);
  ASSERT_EQ(pairing::computeStandings(t->table, t->players, 2), 0);
  EXPECT_EQ(t->table.standings[0][2].beaten, 2);
  EXPECT_EQ(t->table.standings[0][2].trimmed, 0);
}

TEST(Standings, ScoreModeTieBreaksInOrder) {
  // One-sided records over four rounds; the providers (rows 6..11) only lend their scores.
  enum { A, B, C, D, E, F, X4, Y4, P2a, P2b, Z0, Z0b, kRows };
  auto t = rowsOf(kRows, 4);
  auto& tb = t->table;
  struct Game {
    int opponent;
    std::int16_t result;
  };
  auto record = [&](int row, std::array<Game, 4> games) {
    for (int k = 0; k < 4; ++k) oneSided(tb, row, k, games[k].opponent, games[k].result);
  };
  record(A, {{{X4, kWin}, {Y4, kWin}, {Z0, kLoss}, {Z0b, kLoss}}});  // Solkoff 8, beaten 8
  record(B, {{{X4, kWin}, {P2a, kWin}, {Y4, kLoss}, {Z0, kLoss}}});  // Solkoff 10, beaten 6
  record(C, {{{X4, kWin}, {P2a, kWin}, {Y4, kLoss}, {Z0, kLoss}}});  // the same as B
  record(D, {{{X4, kWin}, {Y4, kWin}, {P2a, kLoss}, {Z0, kLoss}}});  // Solkoff 10, beaten 8
  record(E, {{{X4, kWin}, {P2a, kWin}, {P2b, kWin}, {Z0, kLoss}}});  // trimmed 2
  record(F, {{{X4, kWin}, {Y4, kWin}, {Z0, kWin}, {Z0b, kLoss}}});   // trimmed 4
  record(X4, {{{Z0, kWin}, {Z0, kWin}, {Z0, kLoss}, {Z0, kLoss}}});
  record(Y4, {{{Z0, kWin}, {Z0, kWin}, {Z0, kLoss}, {Z0, kLoss}}});
  record(P2a, {{{Z0, kWin}, {Z0, kLoss}, {Z0, kLoss}, {Z0, kLoss}}});
  record(P2b, {{{Z0, kWin}, {Z0, kLoss}, {Z0, kLoss}, {Z0, kLoss}}});
  record(Z0, {{{X4, kLoss}, {X4, kLoss}, {X4, kLoss}, {X4, kLoss}}});
  record(Z0b, {{{Z0, kLoss}, {Z0, kLoss}, {Z0, kLoss}, {Z0, kLoss}}});
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 3), 0);
  const auto& s = tb.standings;
  ASSERT_EQ(s[A][3].score, 4);
  ASSERT_EQ(s[E][3].beaten, s[F][3].beaten);
  ASSERT_EQ(s[E][3].solkoff, s[F][3].solkoff);
  EXPECT_EQ(s[E][3].trimmed, 2);
  EXPECT_EQ(s[F][3].trimmed, 4);
  const std::array<int, kRows> expected = {6, 4, 5, 3, 2, 1, 7, 8, 9, 10, 11, 12};
  for (int row = 0; row < kRows; ++row) EXPECT_EQ(s[row][3].rank, expected[row]) << row;
}

TEST(Standings, HeadToHeadComparesWithTheBestSoFar) {
  // Four rows, all 1-1 with equal sums: 1 beat 0, 0 beat 2, 2 beat 3, 3 beat 1.
  auto t = rowsOf(4, 2);
  auto& tb = t->table;
  t->play(0, 1, 0, kWin);
  t->play(0, 2, 3, kWin);
  t->play(1, 0, 2, kWin);
  t->play(1, 3, 1, kWin);
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 1), 0);
  for (int row = 0; row < 4; ++row) {
    ASSERT_EQ(tb.standings[row][1].score, 2);
    ASSERT_EQ(tb.standings[row][1].solkoff, 4);
    ASSERT_EQ(tb.standings[row][1].beaten, 2);
  }
  // Rank 1: 0, replaced by 1 (beat 0), replaced by 3 (beat 1). Rank 2: 0, then 1. Then 0, 2.
  EXPECT_EQ(tb.standings[3][1].rank, 1);
  EXPECT_EQ(tb.standings[1][1].rank, 2);
  EXPECT_EQ(tb.standings[0][1].rank, 3);
  EXPECT_EQ(tb.standings[2][1].rank, 4);

  // All draws: the earlier row keeps precedence.
  for (int k = 0; k < 2; ++k)
    for (int row = 0; row < 4; ++row) tb.result[row][k] = kDraw;
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 1), 0);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(tb.standings[row][1].rank, row + 1);
}

/// A win-rate table: player M with `boards` rows first, then single rows.
struct WinRateField {
  std::unique_ptr<testing::Tournament> t = testing::makeTournament(8);
  int firstSingle = 0;
  WinRateField(int boards, int singles) {
    t->addParticipant("M", 1600, boards);
    firstSingle = boards;
    for (int i = 0; i < singles; ++i) t->addParticipant("S" + std::to_string(i));
  }
  /// Gives a row `wins` wins, `losses` losses and `draws` draws against row 0 (one-sided).
  void record(int row, int wins, int losses, int draws = 0) {
    int k = 0;
    for (int i = 0; i < wins; ++i) oneSided(t->table, row, k++, row == 0 ? 1 : 0, kWin);
    for (int i = 0; i < losses; ++i) oneSided(t->table, row, k++, row == 0 ? 1 : 0, kLoss);
    for (int i = 0; i < draws; ++i) oneSided(t->table, row, k++, row == 0 ? 1 : 0, kDraw);
    for (; k < 8; ++k) t->table.opponent[row][k] = kBye;
  }
  int rank(int row) {
    EXPECT_EQ(pairing::computeStandings(t->table, t->players, 7), 0);
    return t->table.standings[row][7].rank;
  }
};

TEST(Standings, WinRateSharedRanksAndGamesBreakTies) {
  WinRateField f(2, 4);
  ASSERT_TRUE(pairing::winRateMode(f.t->table, f.t->players));
  f.record(0, 1, 1);
  f.record(1, 2, 2);     // group: 3-3, 0.50 from 6 games
  f.record(2, 3, 1);     // 0.75
  f.record(3, 2, 2);     // 0.50 from 4
  f.record(4, 1, 3);     // 0.25
  f.record(5, 2, 2, 3);  // draws do not count: 0.50 from 4
  EXPECT_EQ(f.rank(2), 1);
  EXPECT_EQ(f.rank(0), 2);
  EXPECT_EQ(f.rank(1), -1);
  EXPECT_EQ(f.rank(3), 3);
  EXPECT_EQ(f.rank(5), 3);
  EXPECT_EQ(f.rank(4), 5);
}

TEST(Standings, WinRatePerfectRecordsRankByGames) {
  WinRateField f(2, 4);
  f.record(0, 0, 0);
  f.record(1, 0, 0);  // no decided game: rate 0 from 0 games, last
  f.record(2, 7, 1);  // 0.875
  f.record(3, 2, 0);  // 1.00 from 2
  f.record(4, 3, 0);  // 1.00 from 3
  f.record(5, 0, 1);  // 0.00 from 1
  EXPECT_EQ(f.rank(4), 1);
  EXPECT_EQ(f.rank(3), 2);
  EXPECT_EQ(f.rank(2), 3);
  EXPECT_EQ(f.rank(5), 4);
  EXPECT_EQ(f.rank(0), 5);
  EXPECT_FALSE(pairing::winRateMode(rowsOf(3)->table, rowsOf(3)->players));
}

TEST(Standings, WinRateGroupSumsAtMostFiveRows) {
  WinRateField f(6, 1);
  for (int row = 0; row < 5; ++row) f.record(row, 0, 1);
  f.record(5, 8, 0);  // sixth board: a follower outside the sum
  f.record(6, 1, 4);  // 0.20 beats 0 of 5
  EXPECT_EQ(f.rank(6), 1);
  EXPECT_EQ(f.rank(0), 2);
  for (int row = 1; row < 6; ++row) EXPECT_EQ(f.rank(row), -1) << row;
}

TEST(Standings, WinRateRowsOfOnePlayerApartAreRankedApart) {
  // Rows 0 and 2 hold one player but are not adjacent: two groups of one row.
  auto t = testing::makeTournament(8);
  int m = t->addPlayer("M", 1600, 2);
  t->table.AddParticipant(m, t->ui);
  t->addParticipant("S");
  t->table.AddParticipant(m, t->ui);
  auto& tb = t->table;
  for (int k = 0; k < 8; ++k)
    for (int row = 0; row < 3; ++row) tb.opponent[row][k] = kBye;
  oneSided(tb, 0, 0, 1, kWin);
  oneSided(tb, 2, 0, 1, kWin);
  oneSided(tb, 1, 0, 0, kLoss);
  ASSERT_EQ(pairing::computeStandings(tb, t->players, 7), 0);
  EXPECT_EQ(tb.standings[0][7].rank, 1);
  EXPECT_EQ(tb.standings[2][7].rank, 1);
  EXPECT_EQ(tb.standings[1][7].rank, 3);
}

}  // namespace
}  // namespace toq
