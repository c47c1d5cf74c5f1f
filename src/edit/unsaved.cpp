#include "edit/unsaved.h"

#include "data/path_text.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/edit_texts.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::edit {

UnsavedChanges unsavedChanges(const Workspace& ws) {
  return {ws.tableUnsaved, ws.playersUnsaved};
}

bool hasUnsavedChanges(const Workspace& ws) {
  return unsavedChanges(ws).any();
}

bool needsEventFile(const Workspace& ws) {
  const bool noTableFile = ws.table.filePath.empty();
  return (ws.tableUnsaved && noTableFile) ||
         (ws.playersUnsaved && ws.playerFile.empty() && noTableFile);
}

void markTableChanged(Workspace& ws) {
  ws.tableUnsaved = true;
}

int writeTable(Workspace& ws, services::Services& ui, bool evenEmpty) {
  // A file that did not read whole is never written over, nor its event's other file.
  if (!ws.notReadWhole().empty()) return -1;
  if (ws.table.filePath.empty()) {
    ws.tableUnsaved = true;
    ui.statusMessage(texts::kTableNotOnFile);
    return -3;
  }
  // The writer leaves an empty table unwritten (it may be one whose file could not be read);
  // the change it carries is then still to be saved.
  if (ws.table.rows() == 0 && !evenEmpty) {
    ws.tableUnsaved = true;
    return 0;
  }
  data::FileStamp written;
  const int result = data::WriteTableFile(ws.table, {}, ui, evenEmpty, &written);
  ws.tableUnsaved = result != 0;
  if (result == 0) ws.tableOnDisk = written;
  return result;
}

int writePlayers(Workspace& ws, services::Services& ui) {
  if (!ws.notReadWhole().empty()) return -1;
  if (ws.playerFile.empty()) {
    ws.playersUnsaved = true;
    ui.statusMessage(texts::kPlayersNotOnFile);
    return -3;
  }
  data::FileStamp written;
  if (data::WritePlayerFile(ws.players, ws.playerFile, &written) != 0) {
    ws.playersUnsaved = true;
    ui.errorBox(text::format(texts::kPlayerFileNotSaved, text::pathToUtf8(ws.playerFile).c_str()));
    return -2;
  }
  ws.playersUnsaved = false;
  ws.playersOnDisk = written;
  return 0;
}

int saveAll(Workspace& ws, services::Services& ui) {
  if (!hasUnsavedChanges(ws)) return 0;
  if (!ws.notReadWhole().empty()) {
    ui.errorBox(text::format(texts::kNotWrittenNotWhole, ws.notReadWhole().c_str()));
    return -2;
  }
  if (ws.playersUnsaved && ws.playerFile.empty() && !ws.table.filePath.empty())
    ws.playerFile = data::siblingWithExtension(ws.table.filePath, ".ply");
  // Nothing is written unless everything pending has a file to go to.
  if ((ws.tableUnsaved && ws.table.filePath.empty()) ||
      (ws.playersUnsaved && ws.playerFile.empty())) {
    ui.errorBox(texts::kNoFileNamed);
    return -1;
  }
  int result = 0;
  if (ws.playersUnsaved && writePlayers(ws, ui) != 0) result = -2;
  // The table was changed, so even an emptied one is what the user made.
  if (ws.tableUnsaved && writeTable(ws, ui, true) != 0) result = -2;
  return result;
}

}  // namespace toq::edit
