// import-entries: an entry list from a web form or a spreadsheet into the register (and with
// --participants into the table), as the window's "申込一覧の取り込み..." does.

#include <algorithm>
#include <filesystem>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "data/line_reader.h"
#include "data/path_text.h"
#include "edit/command_door.h"
#include "edit/entry_import.h"
#include "edit/reception_texts.h"
#include "edit/unsaved.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

constexpr const char* kBadGrade = "--grade には「初段=1500」の形で指定してください: %s";
constexpr const char* kSheetNotRead = "申込一覧を読めません: %s";
constexpr const char* kIgnoredColumns = "使わない列: %s";
constexpr const char* kImported = "新規登録 %d人・更新 %d人・対戦表に %d行";
constexpr const char* kListSeparator = "、";
constexpr const char* kBadColumn =
    "--column には「氏名=3」（列の番号）か「氏名=見出し」の形で指定してください: %s";
constexpr const char* kUnsureColumn =
    "%sの列がはっきりしません（%s）。--column %s=列番号 で選べます。";
constexpr const char* kNoColumn = "見つかりません";
constexpr const char* kUsedColumn = "「%s」を使います";
constexpr const char* kDefaultRatings =
    "段級・レーティングが空欄の %d人は既定のレーティング（%d）にしました。";
constexpr std::string_view kUnusedWord = "使わない";

// The columns chosen with --column (by 1-based number or by header text); none after telling
// which one cannot be used.
std::optional<data::ColumnChoice> columnsOf(Invocation& inv,
                                            const std::vector<std::string>& headers) {
  data::ColumnChoice chosen;
  for (const auto& [option, value] : inv.values) {
    if (option != "--column") continue;
    const std::size_t eq = value.find('=');
    const std::optional<data::EntryField> field =
        eq == std::string::npos ? std::nullopt : data::fieldNamed(value.substr(0, eq));
    const std::string column = eq == std::string::npos ? std::string() : value.substr(eq + 1);
    std::optional<int> index;
    if (column == kUnusedWord) index = data::kUnused;
    if (const std::optional<int> n = parseInteger(column); n && *n >= 1) index = *n - 1;
    for (std::size_t c = 0; c < headers.size() && !index; ++c)
      if (headers[c] == column) index = static_cast<int>(c);
    if (!field || !index) {
      inv.ui.errorBox(text::format(kBadColumn, value.c_str()), services::kErrorCaption);
      return std::nullopt;
    }
    chosen.columns[static_cast<std::size_t>(*field)] = *index;
  }
  return chosen;
}

// The fields whose column the header left unsure, and which column was taken.
void tellUnsure(Invocation& inv, const data::EntrySheet& sheet) {
  for (data::EntryField f : sheet.unsure) {
    const int column = sheet.columns[static_cast<std::size_t>(f)];
    // A field no header names is only worth a word when it is the name.
    if (column < 0 && f != data::EntryField::Name) continue;
    const std::string name(data::fieldName(f));
    const std::string used = column < 0 ? std::string(kNoColumn)
                                        : text::format(kUsedColumn, sheet.headers[column].c_str());
    inv.ui.warningBox(text::format(kUnsureColumn, name.c_str(), used.c_str(), name.c_str()), "");
  }
}

// The grades' ratings given with --grade; none after telling which one is malformed.
std::optional<data::GradeTable> gradesOf(Invocation& inv) {
  data::GradeTable grades;
  for (const auto& [option, value] : inv.values) {
    if (option != "--grade") continue;
    // Several in one value too: "初段=1500,三段=1700".
    for (std::size_t from = 0; from <= value.size();) {
      const std::size_t comma = std::min(value.find(',', from), value.size());
      const std::string one = value.substr(from, comma - from);
      const auto given = data::parseGradeRating(one);
      if (!given) {
        inv.ui.errorBox(text::format(kBadGrade, one.c_str()), services::kErrorCaption);
        return std::nullopt;
      }
      grades.set(given->first, given->second);
      from = comma + 1;
    }
  }
  return grades;
}

// The table, or a new one at that path when there is no such file yet.
int openOrStart(Invocation& inv, const std::filesystem::path& path) {
  if (std::filesystem::exists(path)) return openTable(inv, path);
  inv.workspace.table.SetTableFile(path);
  inv.workspace.playerFile = data::siblingWithExtension(path, ".ply");
  return kExitOk;
}

void tellIgnored(Invocation& inv, const data::EntrySheet& sheet) {
  if (sheet.ignored.empty()) return;
  std::string list;
  for (const std::string& h : sheet.ignored) list += (list.empty() ? "" : kListSeparator) + h;
  inv.ui.statusMessage(text::format(kIgnoredColumns, list.c_str()));
}

}  // namespace

int importEntriesCommand(Invocation& inv) {
  const std::optional<data::GradeTable> grades = gradesOf(inv);
  if (!grades) return kExitUsage;
  const std::filesystem::path sheetPath = inv.pathArg(1);
  const std::optional<std::string> bytes = data::readWholeFile(sheetPath);
  const std::size_t before = inv.ui.problemsShown();
  if (!bytes) return inv.fail(before, text::format(kSheetNotRead, inv.args[1].c_str()));
  const std::optional<data::ColumnChoice> chosen =
      columnsOf(inv, data::readEntrySheet(*bytes, *grades).headers);
  if (!chosen) return kExitUsage;
  const data::EntrySheet sheet = data::readEntrySheet(*bytes, *grades, *chosen);
  if (!sheet.read) return inv.fail(before, sheet.problem);
  tellUnsure(inv, sheet);
  for (const data::RefusedLine& r : sheet.standIns) inv.ui.warningBox(r.message, "");
  if (int code = openOrStart(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  tellIgnored(inv, sheet);
  const edit::EntryPlan plan = edit::planEntries(ws, sheet);
  for (const data::RefusedLine& r : plan.refused) inv.ui.warningBox(r.message, "");
  edit::EntryImportCounts counts;
  const edit::Passed p = edit::runCommand(
      ws, inv.ui, edit::StepRule{edit::texts::kLabelImportEntries},
      [&] { return edit::importEntries(ws, inv.ui, plan, inv.has("--participants"), &counts); },
      journal::Who::cli());
  if (!p.outcome.done() && p.outcome.stop != edit::Stop::NothingToDo)
    return editFailed(inv, before, p.outcome, {});
  // A table started here is written even without rows, so that the event can be served and
  // its arrivals added.
  if (!std::filesystem::exists(ws.table.filePath) && edit::writeTable(ws, inv.ui, true) != 0)
    return inv.fail(before, kNotSaved);
  inv.out << text::format(kImported, counts.added, counts.updated, counts.rows) << '\n';
  if (plan.defaultRatings > 0)
    inv.out << text::format(kDefaultRatings, plan.defaultRatings, data::kDefaultRating) << '\n';
  inv.out << text::pathToUtf8(ws.playerFile) << '\n';
  inv.out << text::pathToUtf8(ws.table.filePath) << '\n';
  return plan.refused.empty() ? kExitOk : kExitFailure;
}

}  // namespace toq::cli
