#pragma once
// Paths as the files and messages show them, and the sibling files of a table.

#include <filesystem>
#include <string>

namespace toq::data {

/// The path as UTF-8, for messages.
std::string pathUtf8(const std::filesystem::path& path);
/// The path as CP932 for writing into a file; its raw bytes when CP932 cannot hold it.
std::string pathCp932(const std::filesystem::path& path);
/// The path with the extension of its file name replaced ("dir/list.txt", ".ply" ->
/// "dir/list.ply"); a name without an extension gets it appended. Dots in folder names are
/// never taken for an extension.
std::filesystem::path siblingWithExtension(const std::filesystem::path& path, const char* ext);

}  // namespace toq::data
