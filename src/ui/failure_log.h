#pragma once
// What the window catches is never swallowed: each failure is written with the time to the
// log file "toq-errors.log" in the user's data folder (services::userDataDirectory) and to
// standard error, so that it can be read afterwards even where the window has no console
// (Windows).

#include <QString>
#include <filesystem>

namespace toq::ui {

/// The log file's name in the user's data folder.
inline constexpr const char* kFailureLogName = "toq-errors.log";

/// The log file: in the user's data folder; empty when the environment names none.
std::filesystem::path failureLogPath();

/// Writes "YYYY-MM-DD hh:mm:ss text" to the log file (created with its folder when missing)
/// and to standard error. A log that cannot be written still reaches standard error.
void logFailure(const QString& text);

}  // namespace toq::ui
