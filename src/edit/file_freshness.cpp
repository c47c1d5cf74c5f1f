#include "edit/file_freshness.h"

#include <memory>
#include <optional>
#include <string>

#include "data/line_reader.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::edit {

namespace {

/// How a file on disk stands against what this program last read or wrote there.
enum class OnDisk { NotNamed, Same, Changed, Vanished, Absent, Unreadable };

struct Look {
  OnDisk state = OnDisk::NotNamed;
  std::string bytes;  ///< the file now, when Changed
};

Look look(const std::filesystem::path& file, const data::FileStamp& seen) {
  if (file.empty()) return {};
  std::optional<std::string> bytes = data::readWholeFile(file);
  if (!bytes) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec) || ec) return {OnDisk::Unreadable, {}};
    // Gone: reported only when this program had it; a file never seen was never there.
    return {seen.known() && seen.path == file ? OnDisk::Vanished : OnDisk::Absent, {}};
  }
  if (seen.holds(file, *bytes)) return {OnDisk::Same, {}};
  return {OnDisk::Changed, std::move(*bytes)};
}

// What the table file holds of a table: rows, rounds, the lock and every used entry.
bool sameTableContent(const data::Table& a, const data::Table& b) {
  if (a.participantCount != b.participantCount || a.numberOfGames != b.numberOfGames ||
      a.lockFlag != b.lockFlag)
    return false;
  for (int r = 0; r < usedRows(a); ++r) {
    if (a.participants[r] != b.participants[r]) return false;
    for (int k = 0; k < usedRounds(a); ++k)
      if (a.opponent[r][k] != b.opponent[r][k] || a.side[r][k] != b.side[r][k] ||
          a.handicap[r][k] != b.handicap[r][k] || a.result[r][k] != b.result[r][k])
        return false;
  }
  return true;
}

std::string where(const std::filesystem::path& file) {
  return text::pathToUtf8(file);
}

// Whether a file that another program changed may be read again; false after saying what
// stands in the way: the file vanished (what is in memory is now unsaved), or this program
// holds unsaved changes that reading would throw away (the next save writes over the other
// program's version, which its ".bak" keeps).
bool mayReread(const std::filesystem::path& file, data::FileStamp& seen, bool& unsaved,
               const char* vanishedText, const char* conflictText, services::Services& ui) {
  Look now = look(file, seen);
  switch (now.state) {
    case OnDisk::NotNamed:
    case OnDisk::Same:
    case OnDisk::Absent:
    case OnDisk::Unreadable:
      return false;
    case OnDisk::Vanished:
      ui.warningBox(text::format(vanishedText, where(file).c_str()));
      seen = {};
      unsaved = true;
      return false;
    case OnDisk::Changed:
      break;
  }
  if (unsaved) {
    ui.warningBox(text::format(conflictText, where(file).c_str()));
    seen = data::stampOf(file, now.bytes);
    return false;
  }
  return true;
}

// The register against its file; true when it was replaced by different records.
bool catchUpPlayers(Workspace& ws, services::Services& ui) {
  const std::filesystem::path file = ws.playerFile;
  if (!mayReread(file, ws.playersOnDisk, ws.playersUnsaved, texts::kPlayersVanished,
                 texts::kPlayersConflict, ui))
    return false;
  auto fresh = std::make_unique<data::Register>();
  data::FileStamp read;
  const int result = data::LoadPlayerFile(*fresh, file, &read);
  if (read.known()) ws.playersOnDisk = read;
  if (result != 0) {
    ui.errorBox(text::format(texts::kPlayerFileUnread, where(file).c_str()));
    ws.playersUnsaved = true;  // what is in memory is no longer on disk
    return false;
  }
  if (fresh->all() == ws.players.all()) return false;
  ws.players = std::move(*fresh);
  return true;
}

// The table against its file; true when it was replaced by a different table.
bool catchUpTable(Workspace& ws, services::Services& ui) {
  const std::filesystem::path file = ws.table.filePath;
  if (!mayReread(file, ws.tableOnDisk, ws.tableUnsaved, texts::kTableVanished,
                 texts::kTableConflict, ui))
    return false;
  // Into a copy, so that a file the reader refuses leaves the table as it was.
  auto fresh = std::make_unique<data::Table>(ws.table);
  data::FileStamp read;
  const int result = data::ReadTableFile(*fresh, file, ui, &read);
  if (read.known()) ws.tableOnDisk = read;
  if (result != 0) {
    ws.tableUnsaved = true;
    return false;
  }
  if (sameTableContent(*fresh, ws.table)) return false;
  ws.table = *fresh;
  return true;
}

}  // namespace

bool rereadChangedFiles(Workspace& ws, services::Services& ui) {
  const bool players = catchUpPlayers(ws, ui);
  const bool table = catchUpTable(ws, ui);
  if (players && table)
    ui.statusMessage(texts::kBothReread);
  else if (table)
    ui.statusMessage(texts::kTableReread);
  else if (players)
    ui.statusMessage(texts::kPlayersReread);
  // Undo would write the states before the other program's change over it.
  if (players || table) ws.history.clear();
  return players || table;
}

int openTable(Workspace& ws, services::Services& ui, const std::filesystem::path& path) {
  // Another document: the steps of the one before cannot be undone in it.
  ws.history.clear();
  ws.tableOnDisk = {};
  ws.playersOnDisk = {};
  const int result = data::OpenTableFile(ws.players, ws.table, path, ws.playerFile, ui,
                                         &ws.tableOnDisk, &ws.playersOnDisk);
  ws.tableUnsaved = false;
  ws.playersUnsaved = false;
  return result;
}

int readTable(Workspace& ws, services::Services& ui) {
  ws.tableOnDisk = {};
  const int result = data::ReadTableFile(ws.table, {}, ui, &ws.tableOnDisk);
  ws.tableUnsaved = false;
  return result;
}

int loadPlayers(Workspace& ws, const std::filesystem::path& file) {
  ws.playerFile = file;
  ws.playersOnDisk = {};
  const int result = data::LoadPlayerFile(ws.players, file, &ws.playersOnDisk);
  ws.playersUnsaved = false;
  return result;
}

}  // namespace toq::edit
