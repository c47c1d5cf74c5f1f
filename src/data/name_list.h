#pragma once
// Import of a name list ("*.txt"): a new register and a new table from one file.

#include <filesystem>

#include "data/file_stamp.h"
#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Replaces register and table by the list, writes base.ply and base.tai beside it and sets
/// `playerFile` to base.ply: 0, or -1 when the list cannot be read. The stamps, when given,
/// receive those of the files written (and are left alone for a file not written).
int ImportNameList(Register& players, Table& table, const std::filesystem::path& path,
                   std::filesystem::path& playerFile, services::Services& ui,
                   FileStamp* tableWritten = nullptr, FileStamp* playersWritten = nullptr);

}  // namespace toq::data
