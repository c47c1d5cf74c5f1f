#include "data/entry_sheet.h"

#include <algorithm>

#include "data/entry_texts.h"
#include "data/player.h"
#include "data/register.h"
#include "data/stored_text.h"
#include "data/stand_ins.h"
#include "data/width_fold.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

const std::array<EntryHeader, kEntryFieldCount> kEntryHeaders = {{
    {EntryField::Name, {"氏名", "名前", "お名前", "name"}},
    {EntryField::ShortName, {"省略名", "略称", "short name"}},
    {EntryField::Rating, {"レーティング", "r", "rating"}},
    {EntryField::Grade, {"段級", "段級位", "棋力", "grade"}},
    {EntryField::Boards, {"同時対局数", "boards"}},
    {EntryField::Professional, {"プロ"}},
    {EntryField::Affiliation, {"所属", "所属先", "affiliation", "club"}},
    {EntryField::Reading, {"ふりがな", "フリガナ", "よみ", "ヨミ", "reading"}},
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

// The names of the chooser, in the order of the fields.
constexpr std::array<std::string_view, kEntryFieldCount> kFieldNames = {
    "氏名", "省略名", "レーティング", "段級", "同時対局数", "プロ", "所属", "ふりがな"};
// Fields whose names hide inside others' ("ふりがな（お名前）", "short name"): asked first.
constexpr std::array<EntryField, kEntryFieldCount> kContainsOrder = {
    EntryField::Reading, EntryField::ShortName, EntryField::Name,         EntryField::Rating,
    EntryField::Grade,   EntryField::Boards,    EntryField::Professional, EntryField::Affiliation};

// Pairs of brackets whose text is a note to the person filling in the form.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kNoteBrackets = {
    {{"（", "）"}, {"(", ")"}, {"［", "］"}, {"[", "]"}, {"【", "】"}}};

// The header with its notes set aside.
std::string withoutNotes(std::string_view utf8) {
  std::string out(utf8.substr(0, utf8.find("※")));
  for (const auto& [open, close] : kNoteBrackets)
    for (std::size_t at; (at = out.find(open)) != std::string::npos;) {
      const std::size_t end = out.find(close, at + open.size());
      out.erase(at, end == std::string::npos ? std::string::npos : end + close.size() - at);
    }
  return out;
}

std::string folded(std::string_view utf8) {
  const std::string wide = foldWidth(utf8);
  return lowerAscii(trimSpaces(wide));
}

bool namesField(std::string_view header, EntryField f, bool contains) {
  for (std::string_view name : kEntryHeaders[index(f)].names) {
    if (name.empty()) continue;
    if (header == name) return true;
    if (contains && name.size() > 1 && header.find(name) != std::string_view::npos) return true;
  }
  return false;
}

void matchHeader(EntrySheet& sheet, const SheetRecord& header, const ColumnChoice& chosen) {
  sheet.columns.fill(-1);
  std::array<int, kEntryFieldCount> matches{};
  for (std::size_t c = 0; c < header.cells.size(); ++c) {
    sheet.headers.emplace_back(trimSpaces(header.cells[c]));
    const std::optional<EntryField> f = fieldOfHeader(header.cells[c]);
    if (f && ++matches[index(*f)] == 1) sheet.columns[index(*f)] = static_cast<int>(c);
  }
  for (std::size_t f = 0; f < kEntryFieldCount; ++f) {
    const int given = chosen.columns[f];
    if (given == kAutomatic) continue;
    for (int& other : sheet.columns)
      if (other == given) other = -1;
    sheet.columns[f] = given < static_cast<int>(header.cells.size()) ? given : -1;
  }
  for (std::size_t f = 0; f < kEntryFieldCount; ++f)
    if (chosen.columns[f] == kAutomatic && matches[f] != 1)
      sheet.unsure.push_back(static_cast<EntryField>(f));
  for (std::size_t c = 0; c < sheet.headers.size(); ++c)
    if (std::find(sheet.columns.begin(), sheet.columns.end(), static_cast<int>(c)) ==
            sheet.columns.end() &&
        !sheet.headers[c].empty())
      sheet.ignored.push_back(sheet.headers[c]);
}

// A name or short name in CP932, or the line's refusal. A character Shift-JIS cannot hold is
// given its everyday stand-in when it has one, and the line says so in `standIns`.
std::optional<std::string> nameText(std::string_view utf8, const char* field, int line,
                                    std::string& refusal,
                                    std::vector<RefusedLine>* standIns = nullptr) {
  const std::string folded(trimSpaces(utf8));
  std::optional<std::string> cp932 = text::toCp932(folded);
  std::vector<StandIn> made;
  const std::string replaced = cp932 ? folded : withStandIns(folded, &made);
  // The stand-ins first, then the rule of every stored text on what they give.
  std::string message;
  cp932 = storedText(replaced, field, message);
  if (!cp932) {
    refusal = text::format(texts::kLinePrefix, line, message.c_str());
    return std::nullopt;
  }
  if (!made.empty() && standIns) {
    std::string pairs;
    for (const StandIn& m : made)
      pairs += (pairs.empty() ? "" : "、") + m.original + "→" + m.standIn;
    standIns->push_back({line, text::format(texts::kEntryStandIn, line, field, folded.c_str(),
                                            replaced.c_str(), pairs.c_str())});
  }
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
  if (auto n = nameText(name, texts::kFieldName, r.line, refusal, &sheet.standIns))
    e.name = std::move(*n);
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
  const std::string_view reading = cellOf(sheet, r, EntryField::Reading);
  if (!reading.empty() && refusal.empty())
    e.reading = nameText(reading, texts::kFieldReading, r.line, refusal);
  return e;
}

}  // namespace

std::optional<EntryField> fieldOfHeader(std::string_view utf8) {
  const std::string whole = folded(utf8);
  // A note that says the column is the reading ("お名前（ふりがな）") decides it.
  if (namesField(whole, EntryField::Reading, true)) return EntryField::Reading;
  const std::string header = folded(withoutNotes(utf8));
  if (header.empty()) return std::nullopt;
  for (EntryField f : kContainsOrder)
    if (namesField(header, f, false)) return f;
  for (EntryField f : kContainsOrder)
    if (namesField(header, f, true)) return f;
  return std::nullopt;
}

std::string_view fieldName(EntryField f) {
  return kFieldNames[index(f)];
}

std::optional<EntryField> fieldNamed(std::string_view utf8) {
  const std::string name = folded(utf8);
  for (std::size_t f = 0; f < kEntryFieldCount; ++f)
    if (name == kFieldNames[f]) return static_cast<EntryField>(f);
  return fieldOfHeader(utf8);
}

bool ColumnChoice::any() const {
  return std::any_of(columns.begin(), columns.end(), [](int c) { return c != kAutomatic; });
}

EntrySheet readEntrySheet(std::string_view bytes, const GradeTable& grades,
                          const ColumnChoice& chosen) {
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
  matchHeader(sheet, *header, chosen);
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
