// Printing, the print preview, the printer setup and the PDF of what the main view shows: the
// player list in player mode; in table mode the coloured grid while "印刷形式２" is checked,
// else the vertical league chart.
#include "reports/print/print_job.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/print/printing.h"

namespace toq::ui {

namespace {

using print::Printing;
using print::PrintRequest;

/// The window's printing, made when it is first needed; it keeps the printer setup until the
/// window goes.
Printing& printingOf(MainWindow& window, services::Services& ui) {
  if (auto* printing = window.findChild<Printing*>(QString(), Qt::FindDirectChildrenOnly))
    return *printing;
  return *new Printing(&window, ui);
}

PrintRequest requestFor(const MainView& view, edit::Workspace& ws, bool printFormat2) {
  PrintRequest r;
  r.layout = reports::print::layoutFor(view.tableMode(), printFormat2);
  r.table = &ws.table;
  r.players = &ws.players;
  r.documentTitle = reports::print::documentTitle(ws.table);
  r.screen = {view.logicalDpiX(), view.logicalDpiY()};
  r.suggestedPdf = reports::print::defaultPdfPath(r.layout, ws.table, ws.playerFile);
  return r;
}

}  // namespace

void Commands::print() {
  printingOf(window_, ui_).print(requestFor(view_, ws_, printFormat2_));
}

void Commands::printPreview() {
  printingOf(window_, ui_).preview(requestFor(view_, ws_, printFormat2_));
}

void Commands::printSetup() {
  printingOf(window_, ui_).setup();
}

void Commands::savePdf() {
  printingOf(window_, ui_).savePdf(requestFor(view_, ws_, printFormat2_));
}

}  // namespace toq::ui
