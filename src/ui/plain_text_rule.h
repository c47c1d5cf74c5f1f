#pragma once
// Every label and message box of the window shows its text as plain text: a name typed as
// "<a href=...>" or "<img ...>" reads as typed, never as a link or a picture.

#include <QObject>

class QMessageBox;

namespace toq::ui {

/// Makes every label of the application plain text from its first showing (once per
/// application; later calls do nothing).
void installPlainTextRule();

/// A message box that shows its text as plain text.
void makePlain(QMessageBox& box);

}  // namespace toq::ui
