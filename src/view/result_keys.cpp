#include "view/result_keys.h"

namespace toq::view {

namespace {

int upper(int key) {
  return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
}

}  // namespace

std::optional<std::int16_t> resultOfKey(int key) {
  switch (upper(key)) {
    case 'W':
    case '1':
      return data::kWin;
    case 'L':
    case '2':
      return data::kLoss;
    case 'D':
    case '3':
      return data::kDraw;
    case kDeleteKey:
    case '0':
      return data::kResultNone;
    default:
      return std::nullopt;
  }
}

bool holdsGame(const data::Table& table, int row, int round) {
  return table.validRow(row) && table.validRound(round) && table.opponentRow(row, round) >= 0;
}

std::optional<int> nextRowWithoutResult(const data::Table& table, int row, int round) {
  const int rows = table.rows();
  if (!table.validRound(round) || rows == 0) return std::nullopt;
  const int start = table.validRow(row) ? row : -1;
  const int partner = table.opponentRow(row, round);
  // Every row once, starting below the current one and going on from the top.
  for (int step = 1; step <= rows; ++step) {
    const int k = (start + step) % rows;
    if (k == row || k == partner) continue;
    if (table.opponentRow(k, round) >= 0 && !data::hasResult(table.result[k][round])) return k;
  }
  return std::nullopt;
}

}  // namespace toq::view
