// The list's context menu: its entries come from the view layer for the mode, the selection
// and the clicked cell; the chosen command runs without the menu bar's enabling rules.
#include <QAction>
#include <QMenu>
#include <map>

#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/repeated_test_run.h"
#include "view/context_menu.h"
#include "view/layout.h"

namespace toq::ui {

void Commands::showContextMenu(const QPoint& globalPos) {
  if (repeatedTest_->running()) return;
  QMenu menu(&window_);
  menu.setObjectName(QStringLiteral("contextMenu"));
  std::map<const QAction*, view::Command> commands;
  for (const view::MenuItem& entry : view::contextMenu(window_.viewState(), view_.selectedRow(),
                                                       view_.clickedColumn(), ws_.table)) {
    if (entry.separator())
      menu.addSeparator();
    else
      commands[menu.addAction(fromUtf8(entry.text))] = entry.command;
  }
  // The command runs once the menu has closed, on the clicked cell's round (the result sheet
  // opens on it).
  if (QAction* chosen = menu.exec(globalPos); chosen && commands.contains(chosen))
    runAt(commands[chosen], {-1, view::roundOfColumn(view_.clickedColumn())});
}

}  // namespace toq::ui
