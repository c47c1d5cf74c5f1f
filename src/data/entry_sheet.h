#pragma once
// An entry list as a web form or a spreadsheet exports it: the header row matched to the
// register's fields by name, every other column listed as ignored, and each line read into
// an entry or refused with its reason ("12行目: レーティング「千五百」が数ではありません").
//
//   const data::EntrySheet sheet = data::readEntrySheet(bytes, grades);
//   for (const data::RefusedLine& r : sheet.refused) show(r.message);

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/grades.h"
#include "data/sheet_text.h"

namespace toq::data {

/// The fields a column can fill.
enum class EntryField {
  Name,
  ShortName,
  Rating,
  Grade,
  Boards,
  Professional,
  Affiliation,
  Reading,
  Count
};
inline constexpr std::size_t kEntryFieldCount = static_cast<std::size_t>(EntryField::Count);

/// A field and the headers that name it: a header cell names the field when, its notes set
/// aside (（…）, (…), ［…］, [...], 【…】 and from ※ on), it is one of the names or contains one
/// (a name of one letter only as the whole cell), widths folded, ASCII letters in any case.
struct EntryHeader {
  EntryField field;
  std::array<std::string_view, 5> names;
};
/// The header names of every field: one line per field.
extern const std::array<EntryHeader, kEntryFieldCount> kEntryHeaders;

/// One accepted line. Texts are CP932; a field the sheet left out (or left empty) stays none.
struct EntryRow {
  int line = 0;  ///< 1-based line of the file
  std::string name;
  std::optional<std::string> shortName;
  std::optional<int> rating;  ///< the rating column, else the grade's rating
  std::optional<int> boards;
  std::optional<int> professional;
  std::optional<std::string> affiliation;  ///< 所属
  std::optional<std::string> reading;      ///< よみ (ふりがな)
};

/// A line left out, with its reason (UTF-8, "12行目: …").
struct RefusedLine {
  int line = 0;
  std::string message;
};

/// What a sheet holds.
struct EntrySheet {
  bool read = false;    ///< false: the whole file is refused, for `problem`
  std::string problem;  ///< UTF-8
  SheetEncoding encoding = SheetEncoding::Utf8;
  char separator = ',';
  /// The column of each field, -1 when the sheet has none.
  std::array<int, kEntryFieldCount> columns{};
  std::vector<std::string> headers;  ///< the header row's cells (UTF-8), trimmed
  /// Fields that no header named or that two headers named (the first was taken): the
  /// column chooser asks about these.
  std::vector<EntryField> unsure;
  std::vector<std::string> ignored;  ///< headers of the columns no field takes (UTF-8)
  std::vector<std::string> grades;   ///< the grades found, canonical, in order of appearance
  std::vector<EntryRow> rows;
  std::vector<RefusedLine> refused;
  /// Lines taken with a stand-in for a character Shift-JIS cannot hold ("3行目: 氏名「𠮷田
  /// 一」は「吉田 一」として登録します").
  std::vector<RefusedLine> standIns;

  bool has(EntryField f) const { return columns[static_cast<std::size_t>(f)] >= 0; }
};

/// The field a header names, if any.
std::optional<EntryField> fieldOfHeader(std::string_view utf8);

/// The field's name as the column chooser and --column say it ("氏名", "ふりがな"...).
std::string_view fieldName(EntryField f);
/// The field a chooser's or --column's name stands for.
std::optional<EntryField> fieldNamed(std::string_view utf8);

/// Columns chosen by hand, by field: kAutomatic leaves the header's match, kUnused takes no
/// column, any other value is the 0-based column.
inline constexpr int kAutomatic = -2;
inline constexpr int kUnused = -1;
struct ColumnChoice {
  std::array<int, kEntryFieldCount> columns;
  ColumnChoice() { columns.fill(kAutomatic); }
  bool any() const;
};

/// Reads a sheet's bytes (UTF-8, with or without BOM, or Shift-JIS; comma or tab separated),
/// its columns matched by their headers, then as `chosen` says (a column chosen for one field
/// is taken from any other).
EntrySheet readEntrySheet(std::string_view bytes, const GradeTable& grades,
                          const ColumnChoice& chosen = {});

}  // namespace toq::data
