#pragma once
// Writing a whole file without ever leaving a broken one: the previous file is copied to
// ".bak", the new content goes to a temporary file in the same folder, which then replaces
// the target. A save reported done is on the disk: the file is flushed before the rename and
// its folder after it (Windows: the rename is written through).

#include <filesystem>
#include <string_view>

namespace toq::data {

/// 0; -1 when the target cannot be created (or the path is empty); -2 when writing failed (the
/// target is untouched).
int writeFileSafely(const std::filesystem::path& path, std::string_view content);

/// "path.bak" beside the path.
std::filesystem::path backupPath(const std::filesystem::path& path);

}  // namespace toq::data
