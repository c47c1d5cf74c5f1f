#pragma once
// The player file (".ply"): the register as Shift-JIS text, one quoted record per line.

#include <filesystem>
#include <string>

#include "data/file_stamp.h"
#include "data/register.h"

namespace toq::data {

/// Writes the register (with a ".bak" copy of the previous file): 0, -1 cannot open, -2 write
/// error. `written`, when given, receives the stamp of the file written.
int WritePlayerFile(const Register& players, const std::filesystem::path& path,
                    FileStamp* written = nullptr);
/// The bytes WritePlayerFile would write for the register (the event's journal keeps them).
std::string playerFileBytes(const Register& players);
/// Adds the records of a player file: 0, -1 cannot open or malformed line (records read so
/// far stay), -2 register full. `read`, when given, receives the stamp of the bytes read (left
/// alone when the file could not be read at all).
int ReadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read = nullptr);
/// Empties the register and reads the file.
int LoadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read = nullptr);

}  // namespace toq::data
