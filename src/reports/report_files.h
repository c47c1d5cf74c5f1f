#pragma once
// Where the reports go and how they reach the disk and the viewer.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "data/table.h"
#include "services/services.h"

namespace toq::reports {

/// Results of the report writers.
inline constexpr int kReportShown = 0;          ///< written and handed to the viewer
inline constexpr int kReportNotWritten = -1;    ///< nothing to report; no file
inline constexpr int kReportWriteError = -2;    ///< the file could not be created or written
inline constexpr int kReportViewerFailed = -3;  ///< written, but the viewer could not show it

/// The table file's name with every ".tai" replaced by "-" (UTF-8): "event.tai" gives "event-".
std::string reportTitle(const data::Table& table);

/// A report file in the report folder (the table file's folder); `nameUtf8` is its file name.
std::filesystem::path reportPath(const data::Table& table, std::string_view nameUtf8);

/// A path as UTF-8 text, for messages.
std::string pathUtf8(const std::filesystem::path& path);
/// A path as CP932 text, for a report head; characters CP932 lacks become '?'.
std::string pathCp932(const std::filesystem::path& path);

/// Creates (or overwrites) the file, composes its content and writes it; there is no ".bak"
/// copy. When the file cannot be created or written, `failureMessage` (UTF-8; its "%s" becomes
/// the path; empty for no message) is shown and kReportWriteError returned; the content is then
/// not composed when creation already failed. Otherwise the file goes to the viewer:
/// kReportShown, or kReportViewerFailed after the viewer's own message.
int writeAndShow(const std::filesystem::path& path, const std::function<std::string()>& compose,
                 std::string_view failureMessage, services::Services& ui,
                 std::filesystem::path* written);

}  // namespace toq::reports
