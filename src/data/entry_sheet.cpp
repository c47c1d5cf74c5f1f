#include "data/entry_sheet.h"

#include <algorithm>

#include "data/entry_texts.h"
#include "data/player.h"
#include "data/register.h"
#include "data/stored_text.h"
#include "data/width_fold.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

const std::array<EntryHeader, kEntryFieldCount> kEntryHeaders = {{
    {EntryField::Name, {"氏名", "名前", "お名前", "name"}},
    {EntryField::ShortName, {"省略名", "略称"}},
    {EntryField::Rating, {"レーティング", "r", "rating"}},
    {EntryField::Grade, {"段級", "段級位", "棋力"}},
    {EntryField::Boards, {"同時対局数"}},
    {EntryField::Professional, {"プロ"}},
    {EntryField::Affiliation, {"所属", "所属先", "affiliation"}},
}};

namespace {

// Cells that say "no" in a professional column; any other text says yes.
constexpr std::array<std::string_view, 7> kNoWords = {"0", "いいえ", "no", "false", "×", "✕", "-"};
constexpr int kMaxBoards = 99;

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::size_t index(EntryField f) {
  return static_cast<std::size_t>(f);
}

// The cell of a field in a record, trimmed; empty when the sheet or the record has none.
std::string_view cellOf(const EntrySheet& sheet, const SheetRecord& r, EntryField f) {
  const int column = sheet.columns[index(f)];
  if (column < 0 || static_cast<std::size_t>(column) >= r.cells.size()) return {};
  return trimSpaces(r.cells[static_cast<std::size_t>(column)]);
}

bool allEmpty(const SheetRecord& r) {
  return std::all_of(r.cells.begin(), r.cells.end(),
                     [](const std::string& c) { return trimSpaces(c).empty(); });
}

void matchHeader(EntrySheet& sheet, const SheetRecord& header) {
  sheet.columns.fill(-1);
  for (std::size_t c = 0; c < header.cells.size(); ++c) {
    const std::optional<EntryField> f = fieldOfHeader(header.cells[c]);
    if (f && sheet.columns[index(*f)] < 0)
      sheet.columns[index(*f)] = static_cast<int>(c);
    else if (!trimSpaces(header.cells[c]).empty())
      sheet.ignored.emplace_back(trimSpaces(header.cells[c]));
  }
}

// A name or short name in CP932, or the line's refusal.
std::optional<std::string> nameText(std::string_view utf8, const char* field, int line,
                                    std::string& refusal) {
  const std::string folded(trimSpaces(utf8));
  std::string message;
  std::optional<std::string> cp932 = storedText(folded, field, message);
  if (!cp932) refusal = text::format(texts::kLinePrefix, line, message.c_str());
  return cp932;
}

// A number cell; none with `refusal` set when the cell holds something else.
std::optional<int> numberCell(std::string_view cell, const char* field, int line,
                              std::string& refusal) {
  if (cell.empty()) return std::nullopt;
  std::optional<int> n = cellNumber(cell);
  if (!n) refusal = text::format(texts::kEntryNotNumber, line, field, std::string(cell).c_str());
  return n;
}

std::optional<int> professionalCell(std::string_view cell) {
  const std::string folded = lowerAscii(foldWidth(cell));
  if (folded.empty()) return 0;
  return std::find(kNoWords.begin(), kNoWords.end(), folded) == kNoWords.end() ? 1 : 0;
}

void readRating(EntrySheet& sheet, const SheetRecord& r, const GradeTable& grades, EntryRow& e,
                std::string& refusal) {
  e.rating = numberCell(cellOf(sheet, r, EntryField::Rating), texts::kFieldRating, r.line, refusal);
  if (e.rating && refusal.empty())
    if (const std::string range = ratingRangeMessage(*e.rating); !range.empty())
      refusal = text::format(texts::kLinePrefix, r.line, range.c_str());
  const std::string_view gradeCell = cellOf(sheet, r, EntryField::Grade);
  if (gradeCell.empty()) return;
  const std::string grade = canonicalGrade(gradeCell);
  if (std::find(sheet.grades.begin(), sheet.grades.end(), grade) == sheet.grades.end())
    sheet.grades.push_back(grade);
  if (e.rating || !refusal.empty()) return;
  e.rating = grades.ratingOf(grade);
  if (!e.rating) refusal = text::format(texts::kEntryGradeUnknown, r.line, grade.c_str());
}

// The entry of a record, or the reason it is refused in `refusal`.
EntryRow readRow(EntrySheet& sheet, const SheetRecord& r, const GradeTable& grades,
                 std::string& refusal) {
  EntryRow e;
  e.line = r.line;
  const std::string_view name = cellOf(sheet, r, EntryField::Name);
  if (name.empty()) {
    refusal = text::format(texts::kEntryNoName, r.line);
    return e;
  }
  if (auto n = nameText(name, texts::kFieldName, r.line, refusal)) e.name = std::move(*n);
  const std::string_view shortName = cellOf(sheet, r, EntryField::ShortName);
  if (!shortName.empty() && refusal.empty())
    e.shortName = nameText(shortName, texts::kFieldShortName, r.line, refusal);
  readRating(sheet, r, grades, e, refusal);
  const std::string_view boards = cellOf(sheet, r, EntryField::Boards);
  if (refusal.empty()) e.boards = numberCell(boards, texts::kFieldBoards, r.line, refusal);
  if (e.boards && (*e.boards < 1 || *e.boards > kMaxBoards) && refusal.empty())
    refusal = text::format(texts::kEntryBoards, r.line, std::string(boards).c_str());
  if (sheet.has(EntryField::Professional))
    e.professional = professionalCell(cellOf(sheet, r, EntryField::Professional));
  const std::string_view affiliation = cellOf(sheet, r, EntryField::Affiliation);
  if (!affiliation.empty() && refusal.empty())
    e.affiliation = nameText(affiliation, texts::kFieldAffiliation, r.line, refusal);
  return e;
}

}  // namespace

std::optional<EntryField> fieldOfHeader(std::string_view utf8) {
  const std::string header = lowerAscii(trimSpaces(utf8));
  for (const EntryHeader& h : kEntryHeaders)
    for (std::string_view name : h.names)
      if (!name.empty() && header == name) return h.field;
  return std::nullopt;
}

EntrySheet readEntrySheet(std::string_view bytes, const GradeTable& grades) {
  EntrySheet sheet;
  sheet.columns.fill(-1);
  const DecodedSheet decoded = decodeSheet(bytes);
  if (!decoded.ok) {
    sheet.problem = text::format(texts::kSheetNotText, decoded.badLine);
    return sheet;
  }
  sheet.encoding = decoded.encoding;
  sheet.separator = guessSeparator(decoded.utf8);
  std::vector<SheetRecord> records = splitSheet(decoded.utf8, sheet.separator);
  auto header = std::find_if_not(records.begin(), records.end(), allEmpty);
  if (header == records.end()) {
    sheet.problem = texts::kSheetEmpty;
    return sheet;
  }
  matchHeader(sheet, *header);
  if (!sheet.has(EntryField::Name)) {
    sheet.problem = texts::kSheetNoName;
    return sheet;
  }
  sheet.read = true;
  for (auto r = header + 1; r != records.end(); ++r) {
    if (allEmpty(*r)) continue;
    std::string refusal;
    EntryRow row = readRow(sheet, *r, grades, refusal);
    if (refusal.empty())
      sheet.rows.push_back(std::move(row));
    else
      sheet.refused.push_back({r->line, std::move(refusal)});
  }
  return sheet;
}

}  // namespace toq::data
