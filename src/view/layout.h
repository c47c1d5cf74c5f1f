#pragma once
// Where things stand in the main view's list. Table mode: participant row k takes two lines,
// its upper line 2k (opponent) and its lower line 2k+1 (marks); the columns are the number,
// the name, one column per round, then the record, the win rate or Solkoff score and the rank.
// Player mode: line p-1 shows register position p. Every front end, the printed layouts and
// the web page map lines and columns through these functions only.

namespace toq::view {

/// Lines of one participant row in table mode.
inline constexpr int kLinesPerRow = 2;

/// The participant row of a line; -1 for a negative line (none selected).
constexpr int rowOfLine(int line) {
  return line < 0 ? -1 : line / kLinesPerRow;
}
/// The upper line of a participant row.
constexpr int firstLineOfRow(int row) {
  return row * kLinesPerRow;
}
/// True for the lower line of a row (handicap, side and result marks).
constexpr bool isLowerLine(int line) {
  return line % kLinesPerRow == 1;
}
/// Lines that `rows` participant rows take.
constexpr int lineCountOfRows(int rows) {
  return rows * kLinesPerRow;
}

/// The fixed columns before the rounds.
inline constexpr int kNumberColumn = 0;
inline constexpr int kNameColumn = 1;
inline constexpr int kFirstRoundColumn = 2;
/// The summary columns after the rounds: record, win rate or Solkoff score, rank.
inline constexpr int kSummaryColumns = 3;

/// The column of a round (0-based).
constexpr int columnOfRound(int round) {
  return kFirstRoundColumn + round;
}
/// The round a column shows; negative for the fixed columns, `rounds` or more for the summary
/// columns.
constexpr int roundOfColumn(int column) {
  return column - kFirstRoundColumn;
}
/// True when the column shows one of `rounds` rounds.
constexpr bool isRoundColumn(int column, int rounds) {
  return column >= kFirstRoundColumn && roundOfColumn(column) < rounds;
}
/// The summary columns of a table of `rounds` rounds.
constexpr int recordColumn(int rounds) {
  return columnOfRound(rounds);
}
constexpr int rateColumn(int rounds) {
  return recordColumn(rounds) + 1;
}
constexpr int rankColumn(int rounds) {
  return recordColumn(rounds) + 2;
}
/// Columns of the table mode for `rounds` rounds.
constexpr int tableColumnCount(int rounds) {
  return recordColumn(rounds) + kSummaryColumns;
}

/// Player mode: the register position (from 1) a line shows.
constexpr int positionOfLine(int line) {
  return line + 1;
}

}  // namespace toq::view
