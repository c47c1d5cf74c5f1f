#include "reports/round_list.h"

#include <cstdlib>

#include "pairing/date_stamp.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "reports/texts.h"
#include "text/cp932.h"
#include "text/format.h"
#include "view/game_mark.h"

namespace toq::reports {

std::string sideLabel(int side, bool handicapGame) {
  const auto& labels = handicapGame ? texts::kHandicapSideLabels : texts::kEvenSideLabels;
  // Side codes outside 1 and 2 read as undecided.
  return text::sj(labels[(side == 1 || side == 2) ? side : 0]);
}

std::string handicapName(int code) {
  const int position = data::handicapPosition(std::abs(code));
  return position < 0 ? std::string() : text::sj(data::kHandicapNames[position]);
}

namespace {

void writePair(ReportText& out, const data::Table& table, const data::Register& players, int round,
               int row, int opponent, services::Services& ui) {
  const std::string name = table.ParticipantName(row, players, ui);
  const std::string opponentName = table.ParticipantName(opponent, players, ui);
  const int handicap = table.handicap[row][round];
  if (table.side[row][round] == data::kSideUndecided) {
    out.put(text::format("%2d.     ", row + 1)).put(text::padRight(name, 20));
    out.putText(texts::kVersus).put(text::format("%2d.     ", opponent + 1));
    out.put(text::padRight(opponentName, 16)).put(" ");
  } else {
    out.put(text::format("%2d. (", row + 1))
        .put(sideLabel(table.side[row][round], handicap != 0))
        .put(")")
        .put(text::padRight(name, 20));
    out.putText(texts::kVersus)
        .put(text::format("%2d. (", opponent + 1))
        .put(sideLabel(table.side[opponent][round], handicap != 0))
        .put(")")
        .put(text::padRight(opponentName, 14))
        .put(" ");
  }
  out.put(handicapName(handicap));
  if (view::secondMeeting(table, row, round)) out.putText(texts::kSecondGame);
  out.endLine();
}

}  // namespace

std::vector<RoundListLine> roundListLines(const data::Table& table, int round) {
  std::vector<RoundListLine> lines;
  if (round < 0 || round >= roundsOf(table)) return lines;
  for (int row = 0; row < rowsOf(table); ++row) {
    const int code = table.opponent[row][round];
    if (code == data::kBye || code == data::kAbsent) continue;
    // An opponent code that names no row reads as not paired yet.
    const int opponent = opponentOf(table, row, round);
    if (opponent < 0 || opponent >= row) lines.push_back({row, opponent});
  }
  return lines;
}

std::string composeRoundList(const data::Table& table, const data::Register& players, int round,
                             const ReportHead& head, services::Services& ui) {
  ReportText out;
  out.head(head).putText(text::format(texts::kRoundListTitle, round + 1)).endLine();
  for (const RoundListLine& line : roundListLines(table, round)) {
    if (line.opponent < 0) {
      out.put(text::format("%2d. ", line.row + 1))
          .put(text::padRight(table.ParticipantName(line.row, players, ui), 20))
          .putText(texts::kUndecided)
          .endLine();
    } else {
      writePair(out, table, players, round, line.row, line.opponent, ui);
    }
  }
  return out.take();
}

std::filesystem::path roundListPath(const data::Table& table, int round) {
  return reportPath(table, text::format(texts::kRoundListFile, round + 1));
}

int writeRoundList(const data::Table& table, const data::Register& players, int round,
                   services::Services& ui, std::filesystem::path* written) {
  if (round < 0 || round >= roundsOf(table)) {
    ui.errorBox(texts::kNoPairedRound);
    return kReportNotWritten;
  }
  const std::filesystem::path path = roundListPath(table, round);
  const ReportHead head{pathCp932(path), pairing::makeDateStamp()};
  return writeAndShow(
      path, [&] { return composeRoundList(table, players, round, head, ui); },
      texts::kCannotCreateRoundList, ui, written);
}

}  // namespace toq::reports
