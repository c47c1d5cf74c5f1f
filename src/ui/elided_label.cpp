#include "ui/elided_label.h"

#include "ui/qt_text.h"

#include <QEvent>
#include <QPainter>

namespace toq::ui {

namespace {

constexpr int kMargin = 4;
constexpr int kSlack = 8;

}  // namespace

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent, int percent)
    : QWidget(parent), text_(text), percent_(percent) {
  setToolTip(plainToolTip(text));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  if (parent) parent->installEventFilter(this);
}

void ElidedLabel::setText(const QString& text) {
  text_ = text;
  setToolTip(plainToolTip(text));
  updateGeometry();
  update();
}

bool ElidedLabel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) updateGeometry();
  return QWidget::eventFilter(watched, event);
}

QString ElidedLabel::shownText() const {
  return fontMetrics().elidedText(text_, Qt::ElideRight, std::max(0, width() - 2 * kMargin));
}

QSize ElidedLabel::sizeHint() const {
  // A little more than the advance: eliding measures the text slightly wider than it.
  const int full = fontMetrics().horizontalAdvance(text_) + 2 * kMargin + kSlack;
  const int share = parentWidget() ? parentWidget()->width() * percent_ / 100 : full;
  return {std::max(minimumSizeHint().width(), std::min(full, share)), fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance(QStringLiteral("結果…")) + 2 * kMargin,
          fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   shownText());
}

}  // namespace toq::ui
