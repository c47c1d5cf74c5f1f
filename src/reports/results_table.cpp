#include "reports/results_table.h"

#include <algorithm>

#include "pairing/date_stamp.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "reports/texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports {

namespace {

// Width of an opponent's name in the grid.
constexpr std::size_t kCellBytes = 6;

std::string separator(int rounds) {
  std::string line(texts::kGridNameRule);
  for (int r = 0; r < rounds; ++r) line += texts::kGridRoundRule;
  line += texts::kGridTailRule;
  return line;
}

std::string header(int rounds) {
  std::string line(texts::kGridNameHeader);
  // The first four labels always stand, and never more than nine.
  const int labels = std::clamp(rounds, 4, 9);
  for (int r = 0; r < labels; ++r) line += texts::kGridRoundHeaders[r];
  line += texts::kGridTailHeader;
  return text::sj(line);
}

// First line's cell: the opponent's name cut to six bytes, " ---- " for a bye.
std::string opponentCell(const data::Table& table, const data::Register& players, int row,
                         int round, services::Services& ui) {
  const int code = table.opponent[row][round];
  if (code == data::kBye) return std::string(texts::kByeCell);
  const int opponent = opponentOf(table, row, round);
  if (opponent < 0) return {};
  const int number = table.participants[opponent];
  if (number <= 0) {
    ui.errorBox(text::format(texts::kOpponentError, number));
    return {};
  }
  return std::string(text::cutAtCharBoundary(players.IndexToName(number, ui), kCellBytes));
}

std::string_view handicapMark(int code) {
  if (code >= 1 && code <= 10 && !texts::kGiverMarks[code].empty()) return texts::kGiverMarks[code];
  if (code <= -1 && code >= -10 && !texts::kReceiverMarks[-code].empty())
    return texts::kReceiverMarks[-code];
  return texts::kEvenMark;
}

std::string_view sideMark(int side) {
  if (side == data::kSideFirst) return texts::kFirstMark;
  if (side == data::kSideSecond) return texts::kSecondMark;
  if (side == data::kSideUndecided) return texts::kUndecidedMark;
  return {};
}

std::string_view resultMark(int result) {
  if (result == data::kWin) return texts::kWinMark;
  if (result == data::kLoss) return texts::kLossMark;
  if (result == data::kDraw) return texts::kDrawMark;
  return {};
}

// Second line's cell: handicap mark, the side for an even game, the result.
std::string gameCell(const data::Table& table, int row, int round) {
  if (opponentOf(table, row, round) < 0) return {};
  const int handicap = table.handicap[row][round];
  std::string cell(handicapMark(handicap));
  if (handicap == 0) cell += sideMark(table.side[row][round]);
  cell += resultMark(table.result[row][round]);
  return text::sj(cell);
}

std::string recordCell(const Record& r) {
  return r.draws > 0 ? text::format("%d-%d-%d", r.wins, r.losses, r.draws)
                     : text::format("%2d-%d", r.wins, r.losses);
}

void firstLine(ReportText& out, const data::Table& table, const data::Register& players, int m,
               int row, int group, services::Services& ui) {
  const bool follower = continuesGroup(table, row);
  if (follower)
    out.put("|   ").put(text::padRight("", 16)).put("|");
  else
    out.put(text::format("|%2d.", group))
        .put(text::padRight(table.ParticipantName(row, players, ui), 16))
        .put("|");
  for (int r = 0; r < roundsOf(table); ++r)
    out.put(text::padRight(opponentCell(table, players, row, r, ui), kCellBytes)).put("|");
  out.put(text::padRight(recordCell(ownRecord(table, row, m)), 6)).put("|");
  out.put(text::padRight(follower ? std::string() : winRateText(groupRecord(table, row, m, +1)), 4))
      .put("|");
  const int rank = m >= 0 ? table.standings[row][m].rank : 0;
  out.put(text::padRight(rank > 0 ? text::format(" %2d", rank) : std::string(), 4)).put("|");
  out.endLine();
}

void secondLine(ReportText& out, const data::Table& table, const data::Register& players, int m,
                int row) {
  std::string rating;
  if (!continuesGroup(table, row)) {
    const data::Player* player = players.FindPlayer(table.participants[row]);
    if (player && player->rating != 0) rating = text::format("%d", player->rating);
  }
  out.put("|   ").put(text::padRight(rating, 16)).put("|");
  for (int r = 0; r < roundsOf(table); ++r)
    out.put(text::padRight(gameCell(table, row, r), kCellBytes)).put("|");
  std::string total;
  if (closesGroup(table, row)) {
    const Record sum = groupRecord(table, row, m, -1);
    total = text::sj(texts::kGroupTotal) + text::format("%2d-%d", sum.wins, sum.losses);
  }
  out.put(text::padRight(total, 6)).put("|");
  out.put(text::padRight("", 4)).put("|").put(text::padRight("", 4)).put("|");
  out.endLine();
}

}  // namespace

std::string composeResults(const data::Table& table, const data::Register& players, int m,
                           const ReportHead& head, services::Services& ui) {
  if (m >= data::kMaxRounds) m = -1;
  const int rounds = roundsOf(table);
  const std::string rule = separator(rounds);
  ReportText out;
  out.head(head).line(rule).line(header(rounds)).line(rule);
  int group = 1;
  for (int row = 0; row < rowsOf(table); ++row) {
    firstLine(out, table, players, m, row, group, ui);
    if (!samePlayer(table, row, row + 1)) ++group;
    secondLine(out, table, players, m, row);
  }
  out.line(rule).putText(texts::kLegendResults).endLine().putText(texts::kLegendHandicap).endLine();
  return out.take();
}

std::filesystem::path resultsPath(const data::Table& table) {
  return reportPath(table, reportTitle(table) + std::string(texts::kResultsFile));
}

int writeResults(data::Table& table, const data::Register& players, services::Services& ui,
                 std::filesystem::path* written) {
  const int m = standingsRound(table, players);
  const std::filesystem::path path = resultsPath(table);
  const ReportHead head{pathCp932(path), pairing::makeDateStamp()};
  return writeAndShow(
      path, [&] { return composeResults(table, players, m, head, ui); }, texts::kCannotCreateReport,
      ui, written);
}

}  // namespace toq::reports
