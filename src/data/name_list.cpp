#include "data/name_list.h"

#include <iostream>

#include "data/file_parsers.h"
#include "data/file_texts.h"
#include "data/int_scan.h"
#include "data/line_reader.h"
#include "data/name_field.h"
#include "data/path_text.h"
#include "data/player_file.h"
#include "data/stored_text.h"
#include "data/table_file.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

namespace {

// A player line carries rating, entries and professional; up to nine integers are accepted.
constexpr std::size_t kMaxListIntegers = 9;

// Builds the record of a player line; none (after telling why) when the line has no name.
std::optional<Player> parsePlayerLine(std::string_view line, int lineNumber, std::ostream& out,
                                      std::ostream& err) {
  std::size_t opening = line.find('"');
  if (opening == std::string_view::npos) {
    out << texts::kNoName;
    return std::nullopt;
  }
  auto name = quotedText(line, opening);
  if (!name) {
    err << texts::kNoClosingQuote << lineNumber << '\n';
    return std::nullopt;
  }
  if (const TextCheck check = checkStoredText(name->text); !check.ok()) {
    err << text::format(texts::kRefusedLine, lineNumber,
                        textProblemMessage(check, texts::kNameField).c_str())
        << '\n';
    return std::nullopt;
  }
  Player p;
  p.name = std::move(name->text);
  MarkWomanProfessional(p);
  std::size_t comma = line.find(',', name->closing + 1);
  if (comma == std::string_view::npos) return p;
  std::vector<int> values = scanIntList(line, comma + 1, kMaxListIntegers);
  if (values.size() > 0) p.rating = values[0];
  if (const std::string range = ratingRangeMessage(p.rating); !range.empty()) {
    err << text::format(texts::kRefusedLine, lineNumber, range.c_str()) << '\n';
    return std::nullopt;
  }
  if (values.size() > 1) {
    p.entries = values[1];
    // A player on several boards at once can only be a professional.
    if (p.entries > 1) p.professional = 1;
  }
  if (values.size() > 2) p.professional = values[2];
  return p;
}

}  // namespace

void parseNameListText(Register& players, Table& table, std::string_view text,
                       services::Services& ui, std::ostream& out, std::ostream& err) {
  static const std::string kGames = text::sj(texts::kNameListGames);
  bool tableFull = false;
  LineReader lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (line.empty() || line[0] == '#') continue;
    // Without an integer after it, the games line is a player line like any other.
    std::size_t pos = kGames.size();
    if (line.starts_with(kGames)) {
      if (auto games = scanInt(line, pos)) {
        if (*games >= 1 && *games <= kMaxRounds)
          table.numberOfGames = *games;
        else
          err << texts::kGamesOutOfRange << lines.lineNumber() << '\n';
        continue;
      }
    }
    auto player = parsePlayerLine(line, lines.lineNumber(), out, err);
    if (!player) continue;
    const int entries = player->entries;
    if (players.AddPlayer(std::move(*player)) != 0) continue;
    const int number = players.at(players.count()).number;
    // Once the table is full, further rows are not tried: the full-table message shows once.
    for (int i = 0; i < entries && !tableFull; ++i)
      if (table.AddParticipant(number, ui) != 0) tableFull = true;
  }
}

int ImportNameList(Register& players, Table& table, const std::filesystem::path& path,
                   std::filesystem::path& playerFile, services::Services& ui,
                   FileStamp* tableWritten, FileStamp* playersWritten) {
  players.clear();
  table.ResetEntries();
  table.participantCount = 0;
  auto bytes = readWholeFile(path);
  if (!bytes) {
    std::cout << text::format(texts::kImportReadError, pathUtf8(path).c_str()) << std::flush;
    return -1;
  }
  parseNameListText(players, table, *bytes, ui, std::cout, std::cerr);

  playerFile = siblingWithExtension(path, ".ply");
  if (WritePlayerFile(players, playerFile, playersWritten) != 0)
    ui.errorBox(text::format(texts::kTableNotSaved, pathUtf8(playerFile).c_str()));
  table.title = texts::kImportTitle;
  const std::filesystem::path tablePath = siblingWithExtension(path, ".tai");
  table.SetTableFile(tablePath);
  // The list names a new event: its table is written even without players, so that the file
  // the import names exists.
  WriteTableFile(table, tablePath, ui, true, tableWritten);
  return 0;
}

}  // namespace toq::data
