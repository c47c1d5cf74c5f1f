#include "edit/new_event.h"

#include <memory>
#include <optional>
#include <string>

#include "data/path_text.h"
#include "data/player_file.h"
#include "data/stored_text.h"
#include "data/table_file.h"
#include "edit/edit_texts.h"
#include "edit/file_commands.h"
#include "edit/history_hook.h"
#include "edit/rounds.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::edit {

namespace {

constexpr std::size_t kMaxTitleBytes = 255;
constexpr const char* kTitleField = "大会名（ファイル名）";

// The event's table file: the chosen name with ".tai" unless it has it.
std::optional<std::filesystem::path> eventFile(const std::filesystem::path& chosen,
                                               services::Services& ui) {
  if (chosen.empty() || !chosen.has_filename()) {
    ui.errorBox(texts::kNoEventFile);
    return std::nullopt;
  }
  return withExtension(chosen, "tai");
}

// The event's name: the file's base name, as the table's title holds it (CP932).
std::optional<std::string> eventName(const std::filesystem::path& tableFile,
                                     services::Services& ui) {
  const std::string base = text::pathToUtf8(tableFile.stem());
  // The event's name passes the rule of every stored text; only its length is not held
  // against it: a long file name gives a shortened title.
  std::string message;
  std::optional<std::string> name = data::storedText(base, kTitleField, message, std::string::npos);
  if (!name) {
    ui.errorBox(message);
    return std::nullopt;
  }
  return std::string(text::cutAtCharBoundary(*name, kMaxTitleBytes));
}

/// The stamps of the two files of an event once both are written.
struct WrittenEvent {
  data::FileStamp table;
  data::FileStamp players;
};

// Writes the event's pair of files; none after the message of what failed.
std::optional<WrittenEvent> writeEventFiles(const data::Table& table,
                                            const std::filesystem::path& tableFile,
                                            const data::Register& players,
                                            const std::filesystem::path& playerFile,
                                            services::Services& ui) {
  WrittenEvent written;
  // A folder that is not there yet (a documents folder the account never had, a new folder
  // typed with the name) is made; when it cannot be, the table's writer says so.
  std::error_code ec;
  if (const std::filesystem::path folder = tableFile.parent_path();
      !folder.empty() && !std::filesystem::exists(folder, ec))
    std::filesystem::create_directories(folder, ec);
  if (data::WriteTableFile(table, tableFile, ui, true, &written.table) != 0) return std::nullopt;
  if (data::WritePlayerFile(players, playerFile, &written.players) != 0) {
    ui.errorBox(text::format(texts::kPlayerFileNotSaved, text::pathToUtf8(playerFile).c_str()));
    return std::nullopt;
  }
  return written;
}

// The workspace's files are now the event's, holding exactly what is in memory.
void adoptEventFiles(Workspace& ws, const std::filesystem::path& playerFile,
                     const WrittenEvent& written) {
  ws.playerFile = playerFile;
  ws.tableOnDisk = written.table;
  ws.playersOnDisk = written.players;
  ws.tableUnsaved = false;
  ws.playersUnsaved = false;
}

// Before the table (and an emptied register) is replaced: its unsaved changes go to its own
// file; what cannot go anywhere is dropped only after a Yes.
Stop settleWhatIsReplaced(Workspace& ws, services::Services& ui, bool keepRegister, bool settled) {
  if (ws.tableUnsaved && !ws.table.filePath.empty()) writeTable(ws, ui, true);
  if (!keepRegister && ws.playersUnsaved && !ws.playerFile.empty()) writePlayers(ws, ui);
  if (newEventReplacesUnsaved(ws, keepRegister) && !settled &&
      !ui.askYesNo(texts::kDiscardQuestion, services::kQuestionCaption))
    return Stop::Declined;
  return Stop::None;
}

}  // namespace

bool newEventReplacesUnsaved(const Workspace& ws, bool keepRegister) {
  const bool dropsTable = ws.tableUnsaved && ws.table.rows() > 0;
  const bool dropsPlayers = !keepRegister && ws.playersUnsaved && !ws.players.empty();
  return dropsTable || dropsPlayers;
}

Outcome newEvent(Workspace& ws, services::Services& ui, const NewEventChoice& choice) {
  if (choice.numberOfGames < kMinGames || choice.numberOfGames > kMaxGames) {
    ui.errorBox(text::format(texts::kGamesRange, kMinGames, kMaxGames));
    return stopped(Stop::Refused);
  }
  const std::optional<std::filesystem::path> file = eventFile(choice.tableFile, ui);
  if (!file) return stopped(Stop::Refused);
  const std::optional<std::string> name = eventName(*file, ui);
  if (!name) return stopped(Stop::Refused);
  if (Stop why = settleWhatIsReplaced(ws, ui, choice.keepRegister, choice.settled);
      why != Stop::None)
    return stopped(why);

  // Both files are written before the workspace changes, so a folder that cannot be written
  // leaves the program as it was.
  auto table = std::make_unique<data::Table>();
  table->numberOfGames = choice.numberOfGames;
  table->title = *name;
  table->SetTableFile(*file);
  auto players = choice.keepRegister ? std::make_unique<data::Register>(ws.players)
                                     : std::make_unique<data::Register>();
  const std::filesystem::path playerFile = data::siblingWithExtension(*file, ".ply");
  const std::optional<WrittenEvent> written =
      writeEventFiles(*table, *file, *players, playerFile, ui);
  if (!written) return stopped(Stop::Refused);

  ws.table = *table;
  ws.players = std::move(*players);
  adoptEventFiles(ws, playerFile, *written);
  clearHistory(ws);
  ui.statusMessage(text::format(texts::kNewEventMade, text::pathToUtf8(*file).c_str()));
  Outcome done;
  done.code = 0;
  done.changed = true;
  done.saved = true;
  done.other = choice.numberOfGames;
  return done;
}

int saveEventAs(Workspace& ws, services::Services& ui, const std::filesystem::path& tableFile) {
  const std::optional<std::filesystem::path> file = eventFile(tableFile, ui);
  if (!file) return -1;
  const std::optional<std::string> name = eventName(*file, ui);
  if (!name) return -1;
  const std::filesystem::path playerFile = data::siblingWithExtension(*file, ".ply");
  const std::optional<WrittenEvent> written =
      writeEventFiles(ws.table, *file, ws.players, playerFile, ui);
  if (!written) return -1;
  ws.table.SetTableFile(*file);
  ws.table.title = *name;
  adoptEventFiles(ws, playerFile, *written);
  ui.statusMessage(text::format(texts::kEventSaved, text::pathToUtf8(*file).c_str()));
  return 0;
}

}  // namespace toq::edit
