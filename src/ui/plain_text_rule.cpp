#include "ui/plain_text_rule.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>

namespace toq::ui {

namespace {

// Sets plain text on every label as it is polished, before it is first shown: labels of
// dialogs, of message boxes and of the status bar alike.
class PlainLabels : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish)
      if (auto* label = qobject_cast<QLabel*>(watched)) label->setTextFormat(Qt::PlainText);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void installPlainTextRule() {
  QCoreApplication* app = QCoreApplication::instance();
  static const QString kName = QStringLiteral("toqPlainLabels");
  if (!app || app->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly)) return;
  auto* rule = new PlainLabels(app);
  rule->setObjectName(kName);
  app->installEventFilter(rule);
}

void makePlain(QMessageBox& box) {
  box.setTextFormat(Qt::PlainText);
}

}  // namespace toq::ui
