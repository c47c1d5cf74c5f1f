#include "ui/event_file.h"

#include "edit/new_event.h"
#include "edit/unsaved.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

void showEventFiles(MainWindow& window, const edit::Workspace& ws, AppSettings& settings) {
  settings.setTableFile(fromPath(ws.table.filePath));
  settings.setPlayerFile(fromPath(ws.playerFile));
  window.setDocumentPath(fromPath(ws.table.filePath));
  window.showUnsaved(edit::hasUnsavedChanges(ws));
}

bool nameEventFile(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                   AppSettings& settings) {
  const std::optional<edit::NewEventChoice> choice =
      NewEventDialog::ask(ui, NewEventDialog::Purpose::NameEventFile, &window);
  if (choice && edit::saveEventAs(ws, ui, choice->tableFile) == 0) {
    showEventFiles(window, ws, settings);
    return true;
  }
  ui.statusMessage(kNotSaved);
  window.showUnsaved(edit::hasUnsavedChanges(ws));
  return false;
}

bool settleBeforeExit(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                      AppSettings& settings) {
  if (!edit::hasUnsavedChanges(ws)) return true;
  switch (ui.askYesNoCancel(kUnsavedAtExit, services::kAppCaption)) {
    case services::Services::Answer::No:
      return true;
    case services::Services::Answer::Cancel:
      return false;
    case services::Services::Answer::Yes:
      break;
  }
  // Whatever has a file of its own goes there; what has none goes to the event's new files.
  if (edit::needsEventFile(ws)) return nameEventFile(window, ws, ui, settings);
  const bool saved = edit::saveAll(ws, ui) == 0;
  window.showUnsaved(edit::hasUnsavedChanges(ws));
  return saved;
}

}  // namespace toq::ui
