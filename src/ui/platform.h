#pragma once
// What the program asks of the operating system beyond Qt: when the machine last started, its
// name, and the program a process runs.

#include <QDateTime>
#include <QString>
#include <optional>

namespace toq::ui::platform {

/// When this machine last started (UTC); invalid when it cannot be told.
QDateTime bootTime();

/// The machine's name as lock files record it.
QString machineName();

/// The file name of the program process `pid` runs ("toq.exe", "toq"): nothing when no such
/// process runs, an empty name when it runs but its program cannot be told.
std::optional<QString> processName(qint64 pid);

}  // namespace toq::ui::platform
