#include "data/csv_file.h"

#include <algorithm>

#include "data/file_texts.h"
#include "data/path_text.h"
#include "data/safe_write.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string csvText(const Table& table, const Register& players, services::Services& ui) {
  static const std::string kFirstMoveCell = text::sj(texts::kCsvFirstMove) + ",";
  static const std::string kOtherSideCell = text::sj(texts::kCsvOtherSide) + ",";
  static const std::string kByeCell = text::sj(texts::kCsvBye) + ",";
  // Bounded by the planes, whatever the counts hold.
  const int n = std::clamp(table.participantCount, 0, kMaxRows);
  const int games = std::clamp(table.numberOfGames, 0, kMaxRounds);

  std::string out = eventName(table) + ",,,," + kLineEnd;
  for (int r = n - 1; r >= 0; --r) out += text::format("%2d,", r + 1);
  out += text::sj(texts::kCsvRankLabel) + kLineEnd;
  for (int r = n - 1; r >= 0; --r) out += players.IndexToName(table.participants[r], ui) + ",";
  out += text::sj(texts::kCsvNameLabel) + kLineEnd;

  for (int k = 0; k < games; ++k) {
    for (int r = n - 1; r >= 0; --r)
      out += table.side[r][k] == kSideFirst ? kFirstMoveCell : kOtherSideCell;
    out += text::format("%d", k + 1) + kLineEnd;
    for (int r = n - 1; r >= 0; --r) {
      if (table.opponent[r][k] == kBye) {
        out += kByeCell;
      } else if (int o = table.opponentRow(r, k); o >= 0) {
        out += players.IndexToShortName(table.participants[o], ui) + ",";
      } else {
        // An empty cell keeps every later cell of the line under its own participant.
        out += ",";
      }
    }
    out += kLineEnd;
  }
  return out;
}

}  // namespace

int WriteCsvFile(const Table& table, const Register& players, const std::filesystem::path& path,
                 services::Services& ui) {
  if (writeFileSafely(path, csvText(table, players, ui)) != 0) {
    ui.errorBox(text::format(texts::kCsvNotSaved, pathUtf8(path).c_str()));
    return -1;
  }
  return 0;
}

}  // namespace toq::data
