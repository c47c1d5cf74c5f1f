#include "reports/standings_report.h"

#include <algorithm>

#include "pairing/date_stamp.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "reports/texts.h"
#include "text/cp932.h"
#include "text/format.h"

#include "view/cells.h"

namespace toq::reports {

namespace {

// The record of a row alone, or of its board group when rows of the same player follow.
std::string recordText(const Record& r, bool group) {
  if (!group)
    return text::sj(r.draws > 0 ? text::format(texts::kRecordWithDraws, r.wins, r.losses, r.draws)
                                : text::format(texts::kRecord, r.wins, r.losses));
  const std::string boards(texts::kBoardCounts[std::clamp(r.rows, 0, 5)]);
  return text::sj(
      r.draws > 0 ? text::format(texts::kBoardsWithDraws, boards.c_str(), r.wins, r.losses, r.draws)
                  : text::format(texts::kBoards, boards.c_str(), r.wins, r.losses));
}

void rankLine(ReportText& out, const data::Table& table, const data::Register& players, int m,
              int row, int rank, services::Services& ui) {
  const bool group = samePlayer(table, row, row + 1);
  const Record r = group ? groupRecord(table, row, m, +1) : ownRecord(table, row, m);
  const std::string rate = winRateText(r);
  out.putText(text::format(texts::kRankLabel, rank))
      .put(text::padRight(table.ParticipantName(row, players, ui), 16))
      .put("  ")
      .put(text::padRight(recordText(r, group), 6))
      .put("  ")
      .put(text::padRight(rate.empty() ? rate : text::sj(texts::kWinRateLabel) + rate, 6));
  if (const std::string mark = view::withdrawnMark(table, row); !mark.empty()) out.put("  " + mark);
  out.endLine();
}

}  // namespace

std::string composeStandings(const data::Table& table, const data::Register& players, int m,
                             const ReportHead& head, services::Services& ui) {
  ReportText out;
  out.head(head).putText(text::format(texts::kStandingsTitle, m + 1)).endLine();
  if (m < 0 || m >= data::kMaxRounds) return out.take();
  const int rows = rowsOf(table);
  int previous = 0;
  for (int rank = 1; rank <= rows; ++rank) {
    int written = 0;
    for (int row = 0; row < rows; ++row)
      if (table.standings[row][m].rank == rank) {
        rankLine(out, table, players, m, row, rank, ui);
        ++written;
      }
    // One empty line after every rank; a place left out by a tie adds one more, further
    // left-out places add none.
    if (!(rank > 1 && written == 0 && previous == 0)) out.endLine();
    previous = written;
  }
  return out.take();
}

std::filesystem::path standingsPath(const data::Table& table) {
  return reportPath(table, texts::kStandingsFile);
}

int writeStandings(data::Table& table, const data::Register& players, services::Services& ui,
                   std::filesystem::path* written) {
  const int m = standingsRound(table, players);
  if (m < 0) return kReportNotWritten;
  const std::filesystem::path path = standingsPath(table);
  const ReportHead head{pathCp932(path), pairing::makeDateStamp()};
  return writeAndShow(
      path, [&] { return composeStandings(table, players, m, head, ui); },
      texts::kCannotCreateReport, ui, written);
}

}  // namespace toq::reports
