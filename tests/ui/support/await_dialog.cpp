#include "ui/support/await_dialog.h"

#include <QAction>
#include <QTest>

namespace toq::testing {

Await::Await(std::function<bool()> probe) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this, probe] {
    if (handled_ || !probe()) return;
    handled_ = true;
    timer_.stop();
  });
  timer_.start();
}

std::unique_ptr<Await> Await::popup(std::function<void(QMenu*)> act) {
  return std::unique_ptr<Await>(new Await([act]() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || !menu->isVisible()) return false;
    act(menu);
    return true;
  }));
}

QStringList entryTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions())
    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return texts;
}

bool chooseEntry(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions()) {
    if (a->isSeparator() || a->text() != text || !a->isEnabled()) continue;
    menu->setActiveAction(a);
    QTest::keyClick(menu, Qt::Key_Return);
    return true;
  }
  menu->close();
  return false;
}

}  // namespace toq::testing
