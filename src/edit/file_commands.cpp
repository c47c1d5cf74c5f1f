#include "edit/file_commands.h"

#include <memory>
#include <string>
#include <vector>

#include "data/csv_file.h"
#include "data/name_list.h"
#include "data/path_text.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/short_name_proposal.h"
#include "edit/unsaved.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr const char* kNoPlayers = "対局者が登録されていません。";
constexpr const char* kListNotRead = "対局者ファイル(%s)を読み込めませんでした。";
constexpr const char* kOverwriteQuestion = "同名のファイル(%s)があります。書き換えますか？";
constexpr const char* kTableCaption = "対戦表保存";
constexpr const char* kTableSaveError = "対戦表保存エラー(%s)";
constexpr const char* kTableSaved = "対戦表(%s)を保存しました。";
constexpr const char* kCsvCaption = "CSVファイル保存";
constexpr const char* kCsvSaveError = "CSVファイル保存エラー(%s)";
constexpr const char* kCsvSaved = "CSVファイル(%s)を保存しました。";
constexpr const char* kPlayerFileNotSaved = "対局者データを保存できませんでした(%s)。";

// ASCII letters lowered; every other character (of a native file name) as it is.
template <class Char>
Char lowerAscii(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// The target of a save: the chooser's name with the extension, after the question when a file
// of that name exists; No shows the chooser again.
std::optional<std::filesystem::path> chooseTarget(services::Services& ui,
                                                  const SaveNameChooser& choose,
                                                  std::filesystem::path suggested,
                                                  std::string_view ext, const char* caption) {
  for (;;) {
    std::optional<std::filesystem::path> chosen = choose ? choose(suggested) : std::nullopt;
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::filesystem::path target = withExtension(*chosen, ext);
    std::error_code ec;
    if (!std::filesystem::exists(target, ec) ||
        ui.askYesNo(text::format(kOverwriteQuestion, data::pathUtf8(target).c_str()), caption))
      return target;
    suggested = *chosen;
  }
}

}  // namespace

bool hasExtension(const std::filesystem::path& file, std::string_view ext) {
  // The native name (wide on Windows): only its ASCII extension is compared.
  const auto name = file.filename().native();
  const std::size_t dot = name.rfind('.');
  if (dot == decltype(name)::npos || name.size() - dot - 1 != ext.size()) return false;
  for (std::size_t i = 0; i < ext.size(); ++i)
    if (lowerAscii(name[dot + 1 + i]) !=
        static_cast<std::filesystem::path::value_type>(lowerAscii(ext[i])))
      return false;
  return true;
}

OpenedDocument openDocument(Workspace& ws, services::Services& ui,
                            const std::filesystem::path& file) {
  OpenedDocument opened;
  if (!hasExtension(file, "ply")) {
    opened.code = openTable(ws, ui, file) == 0 ? 0 : -1;
    return opened;
  }
  opened.kind = DocumentKind::Register;
  ws.history.clear();
  opened.code = loadPlayers(ws, file) == 0 ? 0 : -1;
  if (!opened.done()) ui.errorBox(text::format(kListNotRead, data::pathUtf8(file).c_str()));
  return opened;
}

int saveDocument(Workspace& ws, services::Services& ui) {
  // A table without rows is never written over its file.
  if (ws.table.filePath.empty() || ws.table.rows() == 0) return 0;
  return writeTable(ws, ui);
}

std::filesystem::path withExtension(const std::filesystem::path& chosen, std::string_view ext) {
  if (hasExtension(chosen, ext)) return chosen;
  std::filesystem::path target = chosen;
  target += ".";
  target += std::string(ext);
  return target;
}

int importNameList(Workspace& ws, services::Services& ui, const std::filesystem::path& list) {
  // The import empties register and table before it reads; a list that cannot be read must
  // not leave them empty, or the next save would write the empty register over its file.
  auto players = std::make_unique<data::Register>(ws.players);
  auto table = std::make_unique<data::Table>(ws.table);
  data::FileStamp tableWritten;
  data::FileStamp playersWritten;
  if (data::ImportNameList(ws.players, ws.table, list, ws.playerFile, ui, &tableWritten,
                           &playersWritten) != 0) {
    ws.players = *players;
    ws.table = *table;
    ui.errorBox(text::format(kListNotRead, data::pathUtf8(list).c_str()));
    return -1;
  }
  // Both files are new: what was not written (a table without rows is not) is still to be.
  ws.tableOnDisk = tableWritten;
  ws.playersOnDisk = playersWritten;
  ws.tableUnsaved = !tableWritten.known();
  ws.playersUnsaved = !playersWritten.known();
  if (ws.players.empty()) ui.warningBox(kNoPlayers, services::kAppCaption);
  // Players of one family name get short names that tell them apart, written at once.
  std::vector<int> numbers;
  for (const data::Player& p : ws.players.all()) numbers.push_back(p.number);
  if (proposeShortNames(ws, ui, numbers)) writePlayers(ws, ui);
  return 0;
}

SavedFile saveTableAs(Workspace& ws, services::Services& ui, const SaveNameChooser& choose) {
  SavedFile saved;
  std::optional<std::filesystem::path> target =
      chooseTarget(ui, choose, ws.table.filePath, "tai", kTableCaption);
  if (!target) return saved;
  saved.path = *target;
  const std::string where = data::pathUtf8(*target);
  if (data::WriteTableFile(ws.table, *target, ui) != 0) {
    ui.errorBox(text::format(kTableSaveError, where.c_str()), "");
    return saved;
  }
  ui.statusMessage(text::format(kTableSaved, where.c_str()));
  // Beside it under the same base name, where opening the table looks for it.
  const std::filesystem::path playerFile = data::siblingWithExtension(*target, ".ply");
  if (data::WritePlayerFile(ws.players, playerFile) != 0)
    ui.errorBox(text::format(kPlayerFileNotSaved, data::pathUtf8(playerFile).c_str()));
  saved.code = 0;
  return saved;
}

SavedFile saveCsv(const Workspace& ws, services::Services& ui, const SaveNameChooser& choose) {
  SavedFile saved;
  std::filesystem::path suggested = ws.table.filePath;
  suggested += ".csv";
  std::optional<std::filesystem::path> target =
      chooseTarget(ui, choose, suggested, "csv", kCsvCaption);
  if (!target) return saved;
  saved.path = *target;
  const std::string where = data::pathUtf8(*target);
  if (data::WriteCsvFile(ws.table, ws.players, *target, ui) != 0) {
    ui.errorBox(text::format(kCsvSaveError, where.c_str()), "");
    return saved;
  }
  ui.statusMessage(text::format(kCsvSaved, where.c_str()));
  saved.code = 0;
  return saved;
}

}  // namespace toq::edit
