#pragma once
// A line edit's placeholder that is never cut: the field is made wide enough for it, or, past
// a sensible width, the placeholder is shortened at a character with the whole text as the
// field's tooltip.

#include <QLineEdit>
#include <QString>

namespace toq::ui {

void setFittingPlaceholder(QLineEdit* edit, const QString& text);

}  // namespace toq::ui
