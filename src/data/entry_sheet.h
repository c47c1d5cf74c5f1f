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
enum class EntryField { Name, ShortName, Rating, Grade, Boards, Professional, Affiliation, Count };
inline constexpr std::size_t kEntryFieldCount = static_cast<std::size_t>(EntryField::Count);

/// A field and the headers that name it (compared after trimming, ASCII letters in any case).
struct EntryHeader {
  EntryField field;
  std::array<std::string_view, 4> names;
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
  std::vector<std::string> ignored;  ///< headers of the columns no field takes (UTF-8)
  std::vector<std::string> grades;   ///< the grades found, canonical, in order of appearance
  std::vector<EntryRow> rows;
  std::vector<RefusedLine> refused;

  bool has(EntryField f) const { return columns[static_cast<std::size_t>(f)] >= 0; }
};

/// The field a header names, if any.
std::optional<EntryField> fieldOfHeader(std::string_view utf8);

/// Reads a sheet's bytes (UTF-8, with or without BOM, or Shift-JIS; comma or tab separated).
EntrySheet readEntrySheet(std::string_view bytes, const GradeTable& grades);

}  // namespace toq::data
