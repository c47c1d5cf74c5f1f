#pragma once
// What the window's print commands share: its one printing (made when first needed, keeping
// the printer setup until the window goes) and the request of a layout of its event.

#include "edit/workspace.h"
#include "reports/print/layout.h"
#include "services/services.h"
#include "ui/print/printing.h"

namespace toq::ui {

class MainView;
class MainWindow;

/// The window's printing.
print::Printing& printingOf(MainWindow& window, services::Services& ui);

/// The request of a layout of the window's table and register, at the view's resolution.
print::PrintRequest printRequest(reports::print::Layout layout, const MainView& view,
                                 const edit::Workspace& ws);

}  // namespace toq::ui
