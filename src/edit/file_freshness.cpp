#include "edit/file_freshness.h"

#include <memory>
#include <optional>
#include <string>

#include "data/line_reader.h"
#include "data/player_file.h"
#include "data/read_fault.h"
#include "data/table_file.h"
#include "edit/edit_texts.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::edit {

namespace {

/// How a file on disk stands against what this program last read or wrote there.
enum class OnDisk { NotNamed, Same, Changed, Gone, Unreadable, NeverSeen };

struct Look {
  OnDisk state = OnDisk::NotNamed;
  std::string bytes;  ///< the file now, when Changed
};

Look look(const std::filesystem::path& file, const data::FileStamp& seen) {
  if (file.empty()) return {};
  std::optional<std::string> bytes = data::readWholeFile(file);
  if (!bytes) {
    // Reported only when this program had the file; one never seen was never there, and one
    // already reported is forgotten (the stamp is cleared), so it is said once.
    if (!seen.known() || seen.path != file) return {OnDisk::NeverSeen, {}};
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    return {exists || ec ? OnDisk::Unreadable : OnDisk::Gone, {}};
  }
  if (seen.holds(file, *bytes)) return {OnDisk::Same, {}};
  return {OnDisk::Changed, std::move(*bytes)};
}

std::string where(const std::filesystem::path& file) {
  return text::pathToUtf8(file);
}

/// The messages that name one of the two files when it cannot be read again.
struct FileTexts {
  const char* vanished;
  const char* unreadable;
  const char* conflict;
};
constexpr FileTexts kTableTexts{texts::kTableVanished, texts::kTableUnreadable,
                                texts::kTableConflict};
constexpr FileTexts kPlayersTexts{texts::kPlayersVanished, texts::kPlayersUnreadable,
                                  texts::kPlayersConflict};

/// One of the two files as the freshness check sees it: the file, what this program last saw
/// there, its unsaved flag and its messages.
struct Kept {
  const std::filesystem::path& file;
  data::FileStamp& seen;
  bool& unsaved;
  std::string& notWhole;
  const FileTexts& texts;
};

// Whether a file that another program changed may be read again; false after saying what
// stands in the way: the file vanished or cannot be read (what is in memory is now unsaved),
// or this program holds unsaved changes that reading would throw away (the next save writes
// over the other program's version, which its ".bak" keeps).
bool mayReread(const Kept& k, services::Services& ui) {
  Look now = look(k.file, k.seen);
  switch (now.state) {
    case OnDisk::NotNamed:
    case OnDisk::Same:
    case OnDisk::NeverSeen:
      return false;
    case OnDisk::Gone:
    case OnDisk::Unreadable:
      ui.warningBox(text::format(now.state == OnDisk::Gone ? k.texts.vanished : k.texts.unreadable,
                                 where(k.file).c_str()));
      k.seen = {};
      k.unsaved = true;
      return false;
    case OnDisk::Changed:
      break;
  }
  if (k.unsaved) {
    ui.warningBox(text::format(k.texts.conflict, where(k.file).c_str()));
    k.seen = data::stampOf(k.file, now.bytes);
    return false;
  }
  return true;
}

bool sameData(const data::Table& a, const data::Table& b) {
  return data::sameContents(a, b);
}

bool sameData(const data::Register& a, const data::Register& b) {
  return a == b;
}

// One kept file against its data in memory: read again into a copy when another program
// changed it, so that a file the reader refuses leaves the data as it was (and unsaved, as it
// is no longer on disk). `read` reads into the copy, telling the user when it fails. True when
// the data was replaced by different data.
template <class Data, class Read>
bool catchUp(const Kept& k, Data& inMemory, Read read, services::Services& ui) {
  if (!mayReread(k, ui)) return false;
  auto fresh = std::make_unique<Data>(inMemory);
  data::FileStamp stamp;
  data::ReadFault fault;
  const int result = read(*fresh, &stamp, &fault);
  if (stamp.known()) k.seen = stamp;
  // A file changed into one that does not read whole: the last good state stays in memory,
  // and nothing is written until the file reads whole again.
  k.notWhole = fault.any() ? data::readFaultMessage(k.file, fault) : std::string();
  if (result != 0) {
    if (!fault.any()) k.unsaved = true;
    return false;
  }
  if (sameData(*fresh, inMemory)) return false;
  inMemory = std::move(*fresh);
  return true;
}

bool catchUpPlayers(Workspace& ws, services::Services& ui) {
  const std::filesystem::path file = ws.playerFile;
  return catchUp(
      {file, ws.playersOnDisk, ws.playersUnsaved, ws.playersNotWhole, kPlayersTexts}, ws.players,
      [&](data::Register& fresh, data::FileStamp* stamp, data::ReadFault* fault) {
        fresh = data::Register();
        const int result = data::LoadPlayerFile(fresh, file, stamp, fault);
        if (fault->any())
          ui.errorBox(data::readFaultMessage(file, *fault));
        else if (result != 0)
          ui.errorBox(text::format(texts::kPlayerFileUnread, where(file).c_str()));
        return result;
      },
      ui);
}

bool catchUpTable(Workspace& ws, services::Services& ui) {
  const std::filesystem::path file = ws.table.filePath;
  return catchUp(
      {file, ws.tableOnDisk, ws.tableUnsaved, ws.tableNotWhole, kTableTexts}, ws.table,
      [&](data::Table& fresh, data::FileStamp* stamp, data::ReadFault* fault) {
        return data::ReadTableFile(fresh, file, ui, stamp, fault);
      },
      ui);
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
  data::OpenFaults faults;
  const int result = data::OpenTableFile(ws.players, ws.table, path, ws.playerFile, ui,
                                         &ws.tableOnDisk, &ws.playersOnDisk, &faults);
  ws.tableUnsaved = false;
  ws.playersUnsaved = false;
  ws.playersNotWhole =
      faults.players.any() ? data::readFaultMessage(ws.playerFile, faults.players) : std::string();
  ws.tableNotWhole =
      faults.table.any() ? data::readFaultMessage(ws.table.filePath, faults.table) : std::string();
  return result;
}

int readTable(Workspace& ws, services::Services& ui) {
  ws.tableOnDisk = {};
  data::ReadFault fault;
  const int result = data::ReadTableFile(ws.table, {}, ui, &ws.tableOnDisk, &fault);
  ws.tableUnsaved = false;
  ws.tableNotWhole = fault.any() ? data::readFaultMessage(ws.table.filePath, fault) : std::string();
  return result;
}

int loadPlayers(Workspace& ws, const std::filesystem::path& file) {
  ws.playerFile = file;
  ws.playersOnDisk = {};
  data::ReadFault fault;
  const int result = data::LoadPlayerFile(ws.players, file, &ws.playersOnDisk, &fault);
  ws.playersUnsaved = false;
  ws.playersNotWhole = fault.any() ? data::readFaultMessage(file, fault) : std::string();
  return result;
}

}  // namespace toq::edit
