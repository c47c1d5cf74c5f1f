// The commands of the menu "ファイル" that read or write the table and the register: open a
// table, import a name list, save the table under a new name, save the CSV chart; and the new
// event of the menu "対戦表".

#include "data/stored_text.h"
#include "edit/backup_open.h"
#include "edit/file_commands.h"
#include "edit/new_event.h"
#include "services/program_directory.h"
#include "ui/commands.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/dialogs/unread_file_box.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr const char* kReadOnly =
    "読み取り専用で開いています。変更はできません（ファイルを直すか、バックアップを開いてください）"
    "。";

// The save dialogs start in the folder that holds the program.
QString programFolder() {
  return fromPath(services::programDirectory(nullptr));
}

// A chooser over a save dialog, from the core's suggested name.
template <class Dialog>
edit::SaveNameChooser saveChooser(QWidget* parent, Dialog dialog) {
  return [parent,
          dialog](const std::filesystem::path& suggested) -> std::optional<std::filesystem::path> {
    const QString chosen = dialog(parent, fromPath(suggested), programFolder());
    if (chosen.isEmpty()) return std::nullopt;
    return toPath(chosen);
  };
}

}  // namespace

void Commands::offerBackupWhenNotWhole() {
  nameOffendingRecords();
  const std::string fault = ws_.notReadWhole();
  if (fault == offeredFault_) return;
  offeredFault_ = fault;
  if (fault.empty()) return;
  if (!askOpenBackup(&window_, fromUtf8(fault))) {
    ui_.statusMessage(kReadOnly);
    return;
  }
  pass(edit::StepRule::newDocument(), [this] {
    edit::Outcome o;
    o.code = edit::openBackup(ws_, ui_);
    return o;
  });
}

void Commands::nameOffendingRecords() {
  std::string named;
  for (const std::string& record : data::offendingRecords(ws_.players)) named += record + "\n";
  if (named == namedRecords_) return;
  namedRecords_ = named;
  if (!named.empty()) ui_.warningBox(named, services::kWarningCaption);
}

bool Commands::mayReplaceDocument() {
  return settleBeforeExit(window_, ws_, ui_, settings_);
}

Prepared Commands::openTable() {
  if (!mayReplaceDocument()) return Prepared::stop(edit::Stop::Declined);
  const QString chosen = chooseTableToOpen(&window_, fromPath(ws_.table.directory()));
  if (chosen.isEmpty()) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, chosen] {
    edit::Outcome o;
    o.code = edit::openTable(ws_, ui_, toPath(chosen));
    window_.setDocumentPath(fromPath(ws_.table.filePath));
    return o;
  });
}

Prepared Commands::importNameList() {
  if (!mayReplaceDocument()) return Prepared::stop(edit::Stop::Declined);
  const QString chosen = chooseNameList(&window_, fromPath(ws_.table.directory()), nameListFilter_);
  if (chosen.isEmpty()) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, chosen] {
    edit::Outcome o;
    o.code = edit::importNameList(ws_, ui_, toPath(chosen));
    if (o.done()) window_.setDocumentPath(fromPath(ws_.table.filePath));
    return o;
  });
}

void Commands::saveTableAs() {
  const edit::SavedFile saved =
      edit::saveTableAs(ws_, ui_, saveChooser(&window_, chooseTableSaveName));
  if (saved.done()) window_.addRecentFile(fromPath(saved.path));
}

edit::Outcome Commands::makeNewEvent(const edit::NewEventChoice& choice) {
  // Asked once the dialog says whether the register goes along: only what would be replaced
  // counts.
  if (edit::newEventReplacesUnsaved(ws_, choice.keepRegister) && !mayReplaceDocument())
    return edit::stopped(edit::Stop::Declined);
  edit::NewEventChoice settled = choice;
  settled.settled = true;
  return pass(edit::StepRule::newDocument(), [&] { return edit::newEvent(ws_, ui_, settled); })
      .outcome;
}

void Commands::newTable() {
  edit::NewEventChoice initial;
  initial.numberOfGames = ws_.table.numberOfGames;
  // The dialog makes the event itself, so that a failed save keeps it open with the input;
  // each try is one pass through the door.
  const std::optional<edit::NewEventChoice> choice =
      NewEventDialog::ask(ui_, NewEventDialog::Purpose::NewEvent, &window_, initial,
                          [this](const edit::NewEventChoice& c) { return makeNewEvent(c); });
  if (!choice) return;
  showEventFiles(window_, ws_, settings_);
  view_.setTableMode(true);
}

void Commands::saveCsv() {
  edit::saveCsv(ws_, ui_, saveChooser(&window_, chooseCsvSaveName));
}

}  // namespace toq::ui
