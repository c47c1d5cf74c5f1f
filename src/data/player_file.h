#pragma once
// The player file (".ply"): the register as Shift-JIS text, one quoted record per line.

#include <filesystem>

#include "data/register.h"

namespace toq::data {

/// Writes the register (with a ".bak" copy of the previous file): 0, -1 cannot open, -2 write error.
int WritePlayerFile(const Register& players, const std::filesystem::path& path);
/// Adds the records of a player file: 0, -1 cannot open or malformed line (records read so
/// far stay), -2 register full.
int ReadPlayerFile(Register& players, const std::filesystem::path& path);
/// Empties the register and reads the file.
int LoadPlayerFile(Register& players, const std::filesystem::path& path);

}  // namespace toq::data
