#include "ui/print_requests.h"

#include "reports/print/print_job.h"
#include "ui/main_view.h"
#include "ui/main_window.h"

namespace toq::ui {

print::Printing& printingOf(MainWindow& window, services::Services& ui) {
  if (auto* printing = window.findChild<print::Printing*>(QString(), Qt::FindDirectChildrenOnly))
    return *printing;
  return *new print::Printing(&window, ui);
}

print::PrintRequest printRequest(reports::print::Layout layout, const MainView& view,
                                 const edit::Workspace& ws) {
  print::PrintRequest r;
  r.layout = layout;
  r.table = &ws.table;
  r.players = &ws.players;
  r.documentTitle = reports::print::documentTitle(ws.table);
  r.screen = {view.logicalDpiX(), view.logicalDpiY()};
  r.suggestedPdf = reports::print::defaultPdfPath(r.layout, ws.table, ws.playerFile);
  return r;
}

}  // namespace toq::ui
