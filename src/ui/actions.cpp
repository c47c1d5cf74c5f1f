#include "ui/actions.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "ui/qt_text.h"
#include "view/command_table.h"
#include "view/menus.h"

namespace toq::ui {

namespace {

using view::ToolIcon;

QIcon iconOf(ToolIcon icon) {
  QStyle* style = QApplication::style();
  switch (icon) {
    case ToolIcon::CancelAll:
      return style->standardIcon(QStyle::SP_DialogResetButton);
    case ToolIcon::Open:
      return style->standardIcon(QStyle::SP_DialogOpenButton);
    case ToolIcon::Save:
      return style->standardIcon(QStyle::SP_DialogSaveButton);
    case ToolIcon::Print:
      return style->standardIcon(QStyle::SP_FileIcon);
    case ToolIcon::About:
      return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case ToolIcon::Undo:
      return style->standardIcon(QStyle::SP_ArrowBack);
    case ToolIcon::Redo:
      return style->standardIcon(QStyle::SP_ArrowForward);
    case ToolIcon::None:
      break;
  }
  return {};
}

}  // namespace

Actions::Actions(QMainWindow* window) : QObject(window) {
  for (const view::CommandEntry& entry : view::commandTable()) {
    if (!entry.hasAction()) continue;
    auto* a = new QAction(fromUtf8(entry.text), window);
    if (entry.shortcut) a->setShortcuts(QKeySequence::listFromString(fromUtf8(entry.shortcut)));
    a->setCheckable(entry.checkable);
    if (entry.tool.icon != ToolIcon::None) a->setIcon(iconOf(entry.tool.icon));
    const view::Command command = entry.command;
    connect(a, &QAction::triggered, this, [this, command] { emit triggered(command); });
    actions_[command] = a;
    if (entry.acceleratorOnly()) {
      a->setShortcutContext(Qt::WindowShortcut);
      window->addAction(a);
      accelerators_ << a;
    } else if (entry.shortcut && entry.menu == view::Menu::None) {
      // A toolbar button's key works while the toolbar is hidden too.
      window->addAction(a);
    }
  }
}

QAction* Actions::action(view::Command command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

void Actions::buildMenus(QMainWindow* window) {
  using Kind = view::MenuItem::Kind;
  for (const view::MenuTitle& title : view::menuBar()) {
    QMenu* menu = window->menuBar()->addMenu(fromUtf8(title.text));
    // A grey entry says why in its tooltip.
    menu->setToolTipsVisible(true);
    for (const view::MenuItem& item : view::menuItems(title.menu)) {
      if (item.kind == Kind::Command) {
        menu->addAction(action(item.command));
      } else if (item.kind == Kind::RecentFiles) {
        recentMenu_ = menu;
        recentSeparator_ = menu->addSeparator();
      } else {
        menu->addSeparator();
      }
    }
  }
  toolBar_ = window->addToolBar(QStringLiteral("メイン"));
  toolBar_->setObjectName("mainToolBar");
  for (const view::MenuItem& item : view::toolBarItems()) {
    if (item.separator())
      toolBar_->addSeparator();
    else
      toolBar_->addAction(action(item.command));
  }
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void Actions::updateEnabled(const view::ViewState& state, const data::Table& table) {
  // Commands without a rule (the accelerators) are left as they are. A grey entry or button
  // says why in its tooltip and, while the pointer is on it, in the status bar; an enabled one
  // shows its own text again.
  for (auto& [command, a] : actions_) {
    const view::CommandEntry* entry = view::findCommand(command);
    if (!entry || !entry->enabled) continue;
    const bool enabled = entry->enabled(state, table);
    a->setEnabled(enabled);
    const QString why = enabled ? QString() : fromUtf8(view::disabledReason(command, state, table));
    a->setToolTip(why);
    a->setStatusTip(why);
  }
}

}  // namespace toq::ui
