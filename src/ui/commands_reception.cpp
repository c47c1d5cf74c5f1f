// The morning of the event in the window: "申込一覧の取り込み..." and "受付".
#include "data/entry_sheet.h"
#include "edit/entry_import.h"
#include "edit/history.h"
#include "edit/reception.h"
#include "reports/print/print_job.h"
#include "text/cp932.h"
#include "ui/column_settings.h"
#include "ui/commands.h"
#include "ui/dialogs/entries_dialog.h"
#include "ui/dialogs/reception_dialog.h"
#include "ui/grade_settings.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/print/printing.h"
#include "ui/print_requests.h"

namespace toq::ui {

namespace {

// The reception list as the window's printing takes it.
print::PrintRequest receptionListRequest(const MainView& view, const edit::Workspace& ws) {
  return printRequest(reports::print::Layout::ReceptionList, view, ws);
}

}  // namespace

void Commands::printReceptionList() {
  printingOf(window_, ui_).preview(receptionListRequest(view_, ws_));
}

void Commands::saveReceptionListPdf() {
  printingOf(window_, ui_).savePdf(receptionListRequest(view_, ws_));
}

Prepared Commands::importEntries() {
  EntriesDialog::ColumnMemory memory;
  memory.recall = [this](const std::vector<std::string>& headers) {
    return storedColumns(settings_, headers);
  };
  memory.remember = [this](const std::vector<std::string>& headers, const data::ColumnChoice& c) {
    storeColumns(settings_, headers, c);
  };
  std::optional<EntriesDialog::Choice> choice = EntriesDialog::ask(
      [this](const std::string& bytes, const data::GradeTable& grades,
             const data::ColumnChoice& columns) {
        EntriesDialog::Preview p;
        p.sheet = data::readEntrySheet(bytes, grades, columns);
        p.plan = edit::planEntries(ws_, p.sheet);
        return p;
      },
      storedGrades(settings_), std::move(memory), &window_);
  if (!choice) return Prepared::stop(edit::Stop::Declined);
  storeGrades(settings_, choice->grades);
  return Prepared::to([this, choice = std::move(*choice)] {
    return edit::importEntries(ws_, ui_, choice.plan, choice.participants);
  });
}

void Commands::reception() {
  // One dialog, left open at the door; a second 受付 brings it forward.
  if (auto* open = window_.findChild<ReceptionDialog*>()) {
    open->show();
    open->raise();
    open->activateWindow();
    return;
  }
  ReceptionDialog::Hooks hooks;
  hooks.list = [this](const std::string& q) { return edit::receptionList(ws_, q); };
  hooks.count = [this] { return edit::receptionCount(ws_); };
  hooks.receive = [this](const edit::ReceptionLine& line) {
    // One arrival through the edit layer's door, as its own undo step.
    const std::string label = edit::receptionLabel(text::toUtf8(line.name), false);
    return pass(edit::StepRule{label.c_str()},
                [&] { return edit::receivePlayer(ws_, ui_, line.number); })
        .outcome;
  };
  hooks.walkIn = [this](const edit::PlayerForm& form) {
    const std::string label = edit::receptionLabel(form.name, true);
    return pass(edit::StepRule{label.c_str()}, [&] { return edit::registerWalkIn(ws_, ui_, form); })
        .outcome;
  };
  hooks.undoArrival = [this]() -> std::optional<std::string> {
    // Only a check-in is taken back here: any other latest change stays for the window's undo.
    const std::optional<std::string> name = edit::arrivalStepName(ws_);
    if (!name) return std::nullopt;
    const edit::Outcome o = pass(edit::StepRule{}, [&] { return edit::undo(ws_, ui_); }).outcome;
    return o.changed ? name : std::nullopt;
  };
  auto* dialog = new ReceptionDialog(std::move(hooks), &window_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // Every change of the event, an arrival from a phone too, shows in the list at once.
  connect(&window_, &MainWindow::changesShown, dialog, &ReceptionDialog::refresh);
  dialog->show();
}

}  // namespace toq::ui
