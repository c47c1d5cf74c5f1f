#include "edit/backup_open.h"

#include <memory>
#include <optional>
#include <vector>

#include "data/file_parsers.h"
#include "data/line_reader.h"
#include "data/safe_write.h"
#include "edit/file_freshness.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::edit {

namespace {

constexpr const char* kNoBackup = "バックアップ(%s)がありません。";
constexpr const char* kBackupBroken = "バックアップ(%s)も全部は読めません。";
constexpr const char* kNotMoved = "%s を %s に移せませんでした。";
constexpr const char* kBackupOpened =
    "バックアップを開きました。読めなかったファイルは %s として残してあります。";

// Whether a backup's bytes read whole as the kind of file it backs up.
bool readsWhole(const std::filesystem::path& original, const std::string& bytes) {
  data::ReadFault fault;
  if (original.extension() == ".ply") {
    data::Register players;
    return data::parsePlayerText(players, bytes, &fault) == 0;
  }
  auto table = std::make_unique<data::Table>();
  return data::parseTableText(*table, bytes, &fault) == data::TableTextResult::Ok;
}

// Checks the backup of a file; false after saying why it cannot stand in for it.
bool backupUsable(const std::filesystem::path& file, services::Services& ui) {
  const std::filesystem::path backup = data::backupPath(file);
  const std::optional<std::string> bytes = data::readWholeFile(backup);
  if (!bytes) {
    ui.errorBox(text::format(kNoBackup, text::pathToUtf8(backup).c_str()));
    return false;
  }
  if (!readsWhole(file, *bytes)) {
    ui.errorBox(text::format(kBackupBroken, text::pathToUtf8(backup).c_str()));
    return false;
  }
  return true;
}

// Moves the file aside and copies its backup in its place; the name it was moved to, or none
// after a message.
std::optional<std::filesystem::path> replaceByBackup(const std::filesystem::path& file,
                                                     const std::string& when,
                                                     services::Services& ui) {
  std::filesystem::path aside = file;
  aside += ".unread-" + when;
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  if (!ec) std::filesystem::copy_file(data::backupPath(file), file, ec);
  if (ec) {
    ui.errorBox(
        text::format(kNotMoved, text::pathToUtf8(file).c_str(), text::pathToUtf8(aside).c_str()));
    return std::nullopt;
  }
  return aside;
}

}  // namespace

int openBackup(Workspace& ws, services::Services& ui) {
  std::vector<std::filesystem::path> broken;
  if (!ws.playersNotWhole.empty()) broken.push_back(ws.playerFile);
  if (!ws.tableNotWhole.empty()) broken.push_back(ws.table.filePath);
  if (broken.empty()) return 0;
  for (const std::filesystem::path& file : broken)
    if (!backupUsable(file, ui)) return -1;
  const std::string when = text::localTimeNow("%Y%m%d-%H%M%S");
  std::string kept;
  for (const std::filesystem::path& file : broken) {
    const std::optional<std::filesystem::path> aside = replaceByBackup(file, when, ui);
    if (!aside) return -1;
    kept += (kept.empty() ? "" : "、") + text::pathToUtf8(*aside);
  }
  const std::filesystem::path table = ws.table.filePath;
  const int reopened = table.empty() ? loadPlayers(ws, ws.playerFile) : openTable(ws, ui, table);
  if (reopened != 0) return -1;
  ui.statusMessage(text::format(kBackupOpened, kept.c_str()));
  return 0;
}

}  // namespace toq::edit
