#pragma once
// The folder that holds the program: the manual and the default folder of the file dialogs.

#include <filesystem>

namespace toq::services {

/// The program directory from the executable's path and the current folder, without touching
/// the disk: the executable's folder, or the current folder when the path names no folder.
/// The result ends in a separator (it can be prefixed to a file name) or is empty, which
/// stands for the current folder: "." becomes empty, and a bare drive ("C:") stays as it is.
std::filesystem::path programDirectoryOf(const std::filesystem::path& executable,
                                         const std::filesystem::path& currentDir);

/// The program directory of the running program. On Linux the executable is found through
/// /proc/self/exe; elsewhere, or when that fails, `argv0` is used (it may be null).
std::filesystem::path programDirectory(const char* argv0);

}  // namespace toq::services
