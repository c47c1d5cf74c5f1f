#pragma once
// The question after a file of the event did not read whole: its backup, or the event as it
// could be read, read-only.

#include <QString>

class QWidget;

namespace toq::ui {

/// Shows what is wrong (the file, the line) and asks what to open: true for the backup
/// (".bak"), false to look at what could be read, read-only.
bool askOpenBackup(QWidget* parent, const QString& fault);

}  // namespace toq::ui
