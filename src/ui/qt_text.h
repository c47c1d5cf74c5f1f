#pragma once
// Texts crossing the Qt edge: CP932 bytes of the core to QString and back through the
// project's own conversion, so a name looks the same in the window and in a file.

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace toq::ui {

/// A CP932 text of the core (names, titles, cell texts); a control character (from an old
/// file) shows as "\x1B".
QString fromCp932(std::string_view cp932);
/// A tool tip that shows `text` as it is, whatever markup it looks like.
QString plainToolTip(const QString& text);
/// A UTF-8 text (the core's messages and captions).
QString fromUtf8(std::string_view utf8);
/// A typed text as CP932; none when a character cannot be held in CP932.
std::optional<std::string> toCp932(const QString& text);
/// A typed text as UTF-8.
std::string toUtf8(const QString& text);
/// File names: native paths, never CP932.
std::filesystem::path toPath(const QString& fileName);
QString fromPath(const std::filesystem::path& path);

}  // namespace toq::ui
