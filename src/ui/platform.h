#pragma once
// What the program asks of the operating system beyond Qt: when the machine last started, its
// name, the program a process runs, and the face of the window's own texts.

#include <QDateTime>
#include <QFont>
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

/// The font of the window's own texts, from the system's font. Nearly every text the window
/// shows is Japanese, so on Windows its face must hold Japanese itself: the system's font when
/// its face does (a Japanese Windows' MS UI Gothic), else the first installed of Yu Gothic UI,
/// Meiryo UI, MS UI Gothic and the IPA Gothic faces, in the system font's size. (A Wine prefix
/// without Wine's own fonts resolves the system's "MS Shell Dlg" to whichever face comes first,
/// a math face whose Latin letters and digits a line edit leaves blank.) Elsewhere the
/// desktop's font as it is.
QFont windowFont(const QFont& system);

}  // namespace toq::ui::platform
