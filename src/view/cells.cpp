#include "view/cells.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "text/cp932.h"
#include "text/format.h"

namespace toq::view {

using data::Table;
using text::sj;

namespace {

// A player on several boards occupies consecutive rows; the record totals and the win rate of
// such a board group take at most five rows.
constexpr int kMaxGroupRows = 5;

bool samePlayer(const Table& table, int row, int other) {
  return table.validRow(row) && table.validRow(other) &&
         table.participants[row] == table.participants[other];
}

/// The CP932 mark of a code from a list of codes and their UTF-8 marks; empty for any other code.
std::string markOf(int code, std::initializer_list<std::pair<int, const char*>> marks) {
  for (const auto& [c, mark] : marks)
    if (c == code) return sj(mark);
  return {};
}

std::string recordText(int wins, int losses, int draws) {
  return draws > 0 ? text::format("%d-%d-%d", wins, losses, draws)
                   : text::format("%d-%d", wins, losses);
}

}  // namespace

std::string roundHeader(int round) {
  static const char* const kFullWidthDigits[9] = {"１", "２", "３", "４", "５",
                                                  "６", "７", "８", "９"};
  if (round >= 0 && round < 9) return sj(kFullWidthDigits[round]) + sj("回戦");
  return text::format("%d", round + 1) + sj("回戦");
}

std::string handicapMark(int handicap) {
  // The pieces a handicap takes off, in the order of the handicap list (even first).
  static const char* const kPieces[data::kHandicapMagnitudes.size()] = {nullptr, "香", "角", "飛",
                                                                        "飛香",  "二", "四", "六"};
  const int position = data::handicapPosition(handicap < 0 ? -handicap : handicap);
  if (position <= 0) return " ";
  return sj(kPieces[position]) + sj(handicap > 0 ? "上" : "下");
}

std::string sideMark(int side) {
  return markOf(
      side, {{data::kSideFirst, "先"}, {data::kSideSecond, "後"}, {data::kSideUndecided, "　"}});
}

std::string resultMark(int result) {
  return markOf(result, {{data::kWin, "○"}, {data::kLoss, "●"}, {data::kDraw, "＝"}});
}

CellPair roundCell(const Table& table, int row, int round,
                   const std::vector<std::string>& shortNames) {
  if (!table.validRow(row) || !table.validRound(round) || round >= data::kMaxRounds) return {};
  const int code = table.opponent[row][round];
  if (code == data::kAbsent) return {sj("休場"), {}};
  const int other = table.opponentRow(row, round);
  if (other < 0 || table.participants[other] <= 0) return {};
  CellPair cell;
  if (static_cast<std::size_t>(other) < shortNames.size()) cell.first = shortNames[other];
  const int handicap = table.handicap[row][round];
  cell.second = handicapMark(handicap);
  if (handicap == 0) cell.second += sideMark(table.side[row][round]);
  cell.second += resultMark(table.result[row][round]);
  return cell;
}

std::string withdrawnMark(const Table& table, int row) {
  return data::withdrawnFrom(table, row) >= 0 ? sj("棄権") : std::string();
}

StandingsCells standingsCells(const Table& table, int row, int round, bool winRateMode) {
  if (!table.validRow(row) || round >= data::kMaxRounds) return {};
  const bool complete = round >= 0;
  auto entry = [&](int r) { return complete ? table.standings[r][round] : data::StandingsEntry{}; };

  StandingsCells cells;
  const data::StandingsEntry own = entry(row);
  cells.record.first = recordText(own.wins, own.losses, own.draws);

  // The last row of a board group carries the group's totals.
  if (samePlayer(table, row, row - 1) && !samePlayer(table, row, row + 1)) {
    int wins = 0, losses = 0, draws = 0;
    for (int r = row; r > row - kMaxGroupRows && samePlayer(table, row, r); --r) {
      wins += entry(r).wins;
      losses += entry(r).losses;
      draws += entry(r).draws;
    }
    cells.record.second = sj("計 ") + recordText(wins, losses, draws);
  }
  if (cells.record.second.empty()) cells.record.second = withdrawnMark(table, row);

  if (winRateMode) {
    if (complete && !samePlayer(table, row, row - 1)) {
      int wins = 0, losses = 0;
      for (int r = row; r < row + kMaxGroupRows && samePlayer(table, row, r); ++r) {
        wins += entry(r).wins;
        losses += entry(r).losses;
      }
      if (wins + losses > 0) {
        const float rate = static_cast<float>(wins) / static_cast<float>(wins + losses);
        cells.rateOrSolkoff = text::format("%4.2f", static_cast<double>(rate));
      }
    }
  } else {
    cells.rateOrSolkoff = complete ? text::format("%3.1f", own.solkoff * 0.5) : "0";
  }

  if (own.rank > 0) cells.rank = text::format("%d", own.rank);
  return cells;
}

}  // namespace toq::view
