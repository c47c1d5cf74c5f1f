#pragma once
// The "OK" and "キャンセル" buttons every data-entry dialog ends with, and a labelled row.

class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QString;
class QWidget;

namespace toq::ui {

/// OK (the default button: Enter) accepts, キャンセル (and Esc) rejects.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

/// Adds "label  control" as a row of a grid; the label is the control's buddy, so that
/// assistive technology reads the control under the label's text.
QLabel* addLabelledRow(QGridLayout* grid, int row, const QString& label, QWidget* control);

}  // namespace toq::ui
