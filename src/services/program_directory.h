#pragma once
// The folder that holds the program: the manual and the default folder of the file dialogs. A
// program installed from a package lives in a folder its user cannot write (/usr/bin, Program
// Files) and finds its manual elsewhere; the functions below say where both go.

#include <filesystem>

namespace toq::services {

/// The program directory from the executable's path and the current folder, without touching
/// the disk: the executable's folder, or the current folder when the path names no folder.
/// The result ends in a separator (it can be prefixed to a file name) or is empty, which
/// stands for the current folder: "." becomes empty, and a bare drive ("C:") stays as it is.
std::filesystem::path programDirectoryOf(const std::filesystem::path& executable,
                                         const std::filesystem::path& currentDir);

/// The program directory of the running program. The executable is found through
/// /proc/self/exe on Linux and GetModuleFileNameW on Windows; elsewhere, or when that fails,
/// `argv0` is used (it may be null).
std::filesystem::path programDirectory(const char* argv0);

/// Where an installed package keeps the manual and the sample name list, relative to the
/// folder above the program's own ("/usr" for "/usr/bin/").
inline constexpr const char* kInstalledDataFolder = "share/toq";

/// The manual: "manual.html" in the program directory, where a build folder and a copied
/// program folder hold it; else the one an installed package put under kInstalledDataFolder.
/// When neither exists, the one in the program directory (opening it then fails quietly).
std::filesystem::path manualPath(const std::filesystem::path& programDir);

/// The user's own folder for the program's files: %LOCALAPPDATA%\TOQ on Windows;
/// $XDG_DATA_HOME/toq, else $HOME/.local/share/toq, elsewhere. Empty when the environment
/// names none.
std::filesystem::path userDataDirectory();

/// The folder the program writes its own files into (the repeated test's log): the program
/// directory when a file can be created there, as for a program run from its build folder;
/// else `userData`, created when missing, as for an installed program. The program directory
/// when `userData` is empty.
std::filesystem::path writableFolder(const std::filesystem::path& programDir,
                                     const std::filesystem::path& userData);

/// writableFolder() of the program directory and the user's data folder.
std::filesystem::path logFolder(const std::filesystem::path& programDir);

}  // namespace toq::services
