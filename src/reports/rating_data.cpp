#include "reports/rating_data.h"

#include "pairing/compat.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "reports/report_text.h"
#include "reports/texts.h"

namespace toq::reports {

std::string composeRatingData(const data::Table& table, const data::Register& players,
                              const pairing::DateStamp& stamp, services::Services& ui) {
  ReportText out;
  out.dateLines(stamp);
  for (int round = 0; round < roundsOf(table); ++round)
    for (int row = 0; row < rowsOf(table); ++row) {
      const int opponent = opponentOf(table, row, round);
      if (opponent < row || table.handicap[row][round] != 0) continue;
      if (pairing::isProfessional(table, players, row) ||
          pairing::isProfessional(table, players, opponent))
        continue;
      const int result = table.result[row][round];
      if (result != data::kWin && result != data::kLoss) continue;
      const int winner = result == data::kWin ? row : opponent;
      const int loser = result == data::kWin ? opponent : row;
      const std::string winnerName = table.ParticipantName(winner, players, ui);
      out.put(winnerName)
          .putText(texts::kRatingSeparator)
          .put(table.ParticipantName(loser, players, ui))
          .putText(texts::kRatingSeparator)
          .put(winnerName)
          .putText(texts::kRatingWins)
          .endLine();
    }
  return out.take();
}

std::filesystem::path ratingPath(const data::Table& table) {
  return reportPath(table, reportTitle(table) + std::string(texts::kRatingFile));
}

int writeRatingData(const data::Table& table, const data::Register& players, services::Services& ui,
                    std::filesystem::path* written) {
  const std::filesystem::path path = ratingPath(table);
  const pairing::DateStamp stamp = pairing::makeDateStamp();
  return writeAndShow(
      path, [&] { return composeRatingData(table, players, stamp, ui); }, {}, ui, written);
}

}  // namespace toq::reports
