#pragma once
// Native paths and UTF-8 text: messages show paths as UTF-8, files hold them as CP932.

#include <filesystem>
#include <string>
#include <string_view>

namespace toq::text {

/// The path of a UTF-8 text (a command-line argument, a name typed by the user).
std::filesystem::path pathFromUtf8(std::string_view utf8);
/// The path as UTF-8 text with the system's own separators, for messages.
std::string pathToUtf8(const std::filesystem::path& path);

}  // namespace toq::text
