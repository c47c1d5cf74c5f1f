#include "data/table_file.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "data/file_parsers.h"
#include "data/file_texts.h"
#include "data/int_scan.h"
#include "data/line_reader.h"
#include "data/path_text.h"
#include "data/player_file.h"
#include "data/read_fault.h"
#include "data/safe_write.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

namespace {

constexpr char kLineEnd[] = "\r\n";

void appendValues(std::string& out, const Plane& plane, int row, int games) {
  for (int k = 0; k < games; ++k) out += text::format("%02d,", plane[row][k]);
}

std::string tableFileText(const Table& table, const std::filesystem::path& target) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(target, ec);
  if (ec) full = target;

  std::string out =
      text::sj(text::format(texts::kTableFileTitle, texts::kProduct, texts::kProductVersion)) +
      kLineEnd;
  out += "# " + pathCp932(full) + kLineEnd;
  out += text::sj(text::format(texts::kVersionLine, texts::kVersion)) + kLineEnd;
  out += text::sj(text::format(texts::kCountLine, table.participantCount)) + kLineEnd;
  out += text::sj(text::format(texts::kGamesLine, table.numberOfGames)) + kLineEnd;
  out += text::sj(text::format(texts::kLockLine, table.lockFlag)) + kLineEnd;

  // Bounded by the planes, whatever the counts hold.
  const int rows = std::clamp(table.participantCount, 0, kMaxRows);
  const int games = std::clamp(table.numberOfGames, 0, kMaxRounds);
  for (int r = 0; r < rows; ++r) {
    out += text::format("%02d,%2d, ", r + 1, table.participants[r]);
    appendValues(out, table.opponent, r, games);
    out += ' ';
    appendValues(out, table.side, r, games);
    out += ' ';
    appendValues(out, table.handicap, r, games);
    out += ' ';
    appendValues(out, table.result, r, games);
    out += kLineEnd;
  }
  return out;
}

// The integer after the first ":" of a header line, if any.
std::optional<int> headerValue(std::string_view line) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::size_t pos = colon + 1;
  return scanInt(line, pos);
}

// Reads one value after the next comma into `slot`; false when the line has no more.
bool nextValue(std::string_view line, std::size_t& pos, std::int16_t& slot) {
  std::size_t comma = line.find(',', pos);
  if (comma == std::string_view::npos) return false;
  pos = comma + 1;
  auto value = scanInt(line, pos);
  if (!value) return false;
  slot = clampToInt16(*value);
  return true;
}

// A row line: the player number after the first comma, then opponents, sides, handicaps and
// results of every round, each after the next comma. A short line keeps what the row held.
bool parseRowLine(std::string_view line, Table& table, int row) {
  std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return false;
  std::size_t pos = comma + 1;
  auto number = scanInt(line, pos);
  if (!number) return false;
  table.participants[row] = *number;
  const int games = std::clamp(table.numberOfGames, 0, kMaxRounds);
  for (Plane* plane : {&table.opponent, &table.side, &table.handicap, &table.result})
    for (int k = 0; k < games; ++k)
      if (!nextValue(line, pos, (*plane)[row][k])) return true;
  return true;
}

}  // namespace

TableTextResult parseTableText(Table& table, std::string_view text, ReadFault* fault) {
  static const std::string kGames = text::sj(texts::kGamesLabel);
  static const std::string kLock = text::sj(texts::kLockLabel);
  static const std::string kCount = text::sj(texts::kCountLabel);
  table.participantCount = 0;
  int rows = 0;
  std::optional<int> statedCount;
  int countLine = 0;
  LineReader lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (const std::string bad = lineBytesFault(line); !bad.empty()) {
      noteFault(fault, lines.lineNumber(), bad);
      return TableTextResult::Nul;
    }
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '$') {
      std::string_view label = line.substr(1);
      if (label.starts_with(kGames)) {
        if (auto games = headerValue(line)) {
          if (*games < 1 || *games > kMaxRounds) {
            noteFault(fault, lines.lineNumber(), texts::kBadGames);
            return TableTextResult::BadGames;
          }
          table.numberOfGames = *games;
        }
      } else if (label.starts_with(kLock)) {
        if (auto lock = headerValue(line)) table.lockFlag = *lock;
      } else if (label.starts_with(kCount)) {
        statedCount = headerValue(line);
        countLine = lines.lineNumber();
      }
      continue;
    }
    if (rows >= kMaxParticipants) {
      noteFault(fault, lines.lineNumber(), texts::kTooManyRows);
      return TableTextResult::TooManyRows;
    }
    if (!parseRowLine(line, table, rows)) {
      noteFault(fault, lines.lineNumber(), texts::kBrokenRow);
      return TableTextResult::BadRow;
    }
    table.participantCount = ++rows;
  }
  // Rows lost from a file (cut short, a line deleted) show as a count that does not match.
  if (statedCount && *statedCount != rows) {
    noteFault(fault, countLine, text::format(texts::kCountMismatch, *statedCount, rows));
    return TableTextResult::CountMismatch;
  }
  return TableTextResult::Ok;
}

std::string tableFileBytes(const Table& table, const std::filesystem::path& target) {
  return tableFileText(table, target);
}

int WriteTableFile(const Table& table, const std::filesystem::path& path, services::Services& ui,
                   bool evenEmpty, FileStamp* written) {
  // A table without rows is written only when asked for: an empty table in memory may as well
  // be one whose file could not be read, and that file must not be overwritten.
  if (table.participantCount < 0 || (table.participantCount == 0 && !evenEmpty)) return 0;
  const std::filesystem::path target = path.empty() ? table.filePath : path;
  const std::string content = tableFileText(table, target);
  int result = writeFileSafely(target, content);
  if (result != 0) {
    // A failed save is always reported: the commands save after every change and rely on it.
    ui.errorBox(text::format(texts::kTableNotSaved, pathUtf8(target).c_str()));
    return result;
  }
  if (written) *written = stampOf(target, content);
  ui.statusMessage(
      text::format(texts::kTableSaved, pathUtf8(target).c_str(), table.participantCount));
  return 0;
}

int ReadTableFile(Table& table, const std::filesystem::path& path, services::Services& ui,
                  FileStamp* read, ReadFault* fault) {
  const std::filesystem::path source = path.empty() ? table.filePath : path;
  auto bytes = readWholeFile(source);
  if (!bytes) {
    ui.errorBox(text::format(texts::kTableNotRead, pathUtf8(source).c_str()));
    return -1;
  }
  if (read) *read = stampOf(source, *bytes);
  // Read into a copy so that a refused file leaves the table as it was.
  auto copy = std::make_unique<Table>(table);
  ReadFault found;
  const TableTextResult outcome = parseTableText(*copy, *bytes, &found);
  if (outcome != TableTextResult::Ok) {
    ui.errorBox(readFaultMessage(source, found));
    noteFault(fault, found.line, found.what);
  }
  // The rows read before the fault are kept for viewing; nothing writes them (the caller holds
  // the fault). A number of games out of range leaves the copy half read: not kept.
  if (outcome == TableTextResult::BadGames || outcome == TableTextResult::Nul) return -1;
  table = *copy;
  if (outcome != TableTextResult::Ok) return -1;
  table.filePath = source;
  return 0;
}

int OpenTableFile(Register& players, Table& table, const std::filesystem::path& path,
                  std::filesystem::path& playerFile, services::Services& ui, FileStamp* tableRead,
                  FileStamp* playersRead, OpenFaults* faults) {
  playerFile = siblingWithExtension(path, ".ply");
  ReadFault playersFault;
  const int playersResult = LoadPlayerFile(players, playerFile, playersRead, &playersFault);
  // A missing player file is an event without players yet; one that did not read whole is not.
  if (playersResult != 0 && playersFault.any() && faults) faults->players = playersFault;
  const std::filesystem::path tablePath = siblingWithExtension(path, ".tai");
  table.SetTableFile(tablePath);
  const int result =
      ReadTableFile(table, tablePath, ui, tableRead, faults ? &faults->table : nullptr);
  return result != 0 || playersFault.any() ? -1 : 0;
}

}  // namespace toq::data
