#include "ui/placeholder_fit.h"

#include <QFontMetrics>
#include <algorithm>

namespace toq::ui {

namespace {

// The widest a field grows for its placeholder, and the room its frame and margins take.
constexpr int kWidestField = 420;
constexpr int kFrame = 24;

}  // namespace

void setFittingPlaceholder(QLineEdit* edit, const QString& text) {
  const QFontMetrics metrics(edit->font());
  const int needed = metrics.horizontalAdvance(text) + kFrame;
  if (needed <= kWidestField) {
    edit->setMinimumWidth(std::max(edit->minimumWidth(), needed));
    edit->setPlaceholderText(text);
    return;
  }
  edit->setMinimumWidth(kWidestField);
  edit->setPlaceholderText(metrics.elidedText(text, Qt::ElideRight, kWidestField - kFrame));
  edit->setToolTip(text);
}

}  // namespace toq::ui
