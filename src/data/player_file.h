#pragma once
// The player file (".ply"): the register as Shift-JIS text, one quoted record per line.

#include <filesystem>
#include <string>

#include "data/file_stamp.h"
#include "data/read_fault.h"
#include "data/register.h"

namespace toq::data {

/// Writes the register (with a ".bak" copy of the previous file): 0, -1 cannot open, -2 write
/// error. `written`, when given, receives the stamp of the file written.
int WritePlayerFile(const Register& players, const std::filesystem::path& path,
                    FileStamp* written = nullptr);
/// The bytes WritePlayerFile would write for the register (the event's journal keeps them).
std::string playerFileBytes(const Register& players);
/// Adds the records of a player file: 0; -1 cannot open, or a line that is not a record (a NUL,
/// a broken record: the other records are read, the file did not read whole); -2 register
/// full. `read`, when given, receives the stamp of the bytes read (left alone when the file
/// could not be read at all); `fault`, when given, the first fault with its line.
int ReadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read = nullptr,
                   ReadFault* fault = nullptr);
/// Empties the register and reads the file.
int LoadPlayerFile(Register& players, const std::filesystem::path& path, FileStamp* read = nullptr,
                   ReadFault* fault = nullptr);

}  // namespace toq::data
