// The list's context menu: its entries come from the view layer for the mode, the selection
// and the clicked cell; the chosen command runs without the menu bar's enabling rules.
#include <QAction>
#include <QMenu>

#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "view/context_menu.h"

namespace toq::ui {

void Commands::showContextMenu(const QPoint& globalPos) {
  if (testRunning_) return;
  view::ViewState state;
  state.tableMode = view_.tableMode();
  state.selectedLines = view_.selectedLineCount();
  QMenu menu(&window_);
  menu.setObjectName(QStringLiteral("contextMenu"));
  for (const view::MenuEntry& entry :
       view::contextMenu(state, view_.selectedRow(), view_.clickedColumn(), ws_.table)) {
    if (entry.separator()) {
      menu.addSeparator();
      continue;
    }
    QAction* a = menu.addAction(fromUtf8(entry.text));
    a->setData(static_cast<int>(entry.command));
  }
  // The command runs once the menu has closed.
  if (QAction* chosen = menu.exec(globalPos))
    run(static_cast<view::Command>(chosen->data().toInt()));
}

}  // namespace toq::ui
