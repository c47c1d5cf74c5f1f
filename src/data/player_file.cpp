#include "data/player_file.h"

#include "data/file_parsers.h"
#include "data/file_texts.h"
#include "data/int_scan.h"
#include "data/line_reader.h"
#include "data/name_field.h"
#include "data/read_fault.h"
#include "data/safe_write.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

namespace {

constexpr char kLineEnd[] = "\r\n";
// A record line carries rating, entries and professional; up to nine integers are accepted.
constexpr std::size_t kMaxRecordIntegers = 9;

std::string playerFileText(const Register& players) {
  std::string out =
      text::sj(text::format(texts::kPlayerFileTitle, texts::kProduct, texts::kProductVersion)) +
      kLineEnd;
  out += text::sj(text::format(texts::kVersionLine, texts::kVersion)) + kLineEnd;
  for (int pos = 1; pos <= players.count(); ++pos) {
    const Player& p = players.at(pos);
    out += text::format("%04d,%04d,", pos, p.number);
    out += '"' + p.name + "\",\"" + p.shortName + "\",";
    out += text::format("%d,%d,%d,", p.rating, p.entries, p.professional);
    // Only a record with an affiliation has the extra field, so that every other line stays
    // as older versions wrote it; their readers stop at the integers before it.
    if (!p.affiliation.empty() || !p.reading.empty()) out += '"' + p.affiliation + "\",";
    // The reading, when there is one, follows the affiliation (empty when it has none).
    if (!p.reading.empty()) out += '"' + p.reading + "\",";
    out += kLineEnd;
  }
  return out;
}

// Fills a fresh record from a record line; false when the line is malformed.
bool parseRecordLine(std::string_view line, Player& p) {
  std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return false;
  std::size_t pos = comma + 1;
  auto number = scanInt(line, pos);
  if (!number) return false;
  p.number = *number;

  auto name = quotedText(line, line.find('"'));
  if (!name) return false;
  // A field longer than a name holds (never written by this program) is cut at a character.
  p.name = std::string(text::cutAtCharBoundary(name->text, kMaxNameBytes));
  auto shortName = quotedText(line, line.find('"', name->closing + 1));
  if (!shortName) return false;
  p.shortName = std::string(text::cutAtCharBoundary(shortName->text, kMaxNameBytes));

  // The integers start after the closing quote and its comma.
  std::vector<int> values = scanIntList(line, shortName->closing + 2, kMaxRecordIntegers);
  if (values.size() > 0) p.rating = values[0];
  if (values.size() > 1) p.entries = values[1];
  if (values.size() > 2) p.professional = values[2];

  // The affiliation is the quoted field after the integers, when there is one.
  auto affiliation = quotedText(line, line.find('"', shortName->closing + 1));
  if (!affiliation) return true;
  p.affiliation = std::string(text::cutAtCharBoundary(affiliation->text, kMaxNameBytes));
  if (auto reading = quotedText(line, line.find('"', affiliation->closing + 1)))
    p.reading = std::string(text::cutAtCharBoundary(reading->text, kMaxNameBytes));
  return true;
}

}  // namespace

int parsePlayerText(Register& players, std::string_view text, ReadFault* fault) {
  static const std::string kFull = text::format(texts::kRegisterOverflow, kMaxPlayers);
  int result = 0;
  LineReader lines(text);
  std::string_view line;
  // Every line is looked at, so that a file read for viewing shows all it can; the first fault
  // is the one reported.
  while (lines.next(line)) {
    if (const std::string bad = lineBytesFault(line); !bad.empty()) {
      noteFault(fault, lines.lineNumber(), bad);
      result = -1;
      continue;
    }
    if (line.empty() || line[0] == '#' || line[0] == '$') continue;
    Player p;
    if (!parseRecordLine(line, p)) {
      noteFault(fault, lines.lineNumber(), texts::kBrokenRecord);
      result = -1;
      continue;
    }
    MarkWomanProfessional(p);
    if (players.AddPlayer(std::move(p)) != 0) {
      noteFault(fault, lines.lineNumber(), kFull);
      if (result == 0) result = -2;
    }
  }
  return result;
}

std::string playerFileBytes(const Register& players) {
  return playerFileText(players);
}

int WritePlayerFile(const Register& players, const std::filesystem::path& path,
                    FileStamp* written) {
  const std::string content = playerFileText(players);
  const int result = writeFileSafely(path, content);
  if (result == 0 && written) *written = stampOf(path, content);
  return result;
}

int ReadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read,
                   ReadFault* fault) {
  auto bytes = readWholeFile(path);
  if (!bytes) return -1;
  if (read) *read = stampOf(path, *bytes);
  return parsePlayerText(players, *bytes, fault);
}

int LoadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read,
                   ReadFault* fault) {
  players.clear();
  return ReadPlayerFile(players, path, read, fault);
}

}  // namespace toq::data
