#pragma once
// The CSV wall chart: one column per participant, last row first.

#include <filesystem>

#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::data {

/// Writes the chart (with a ".bak" copy): 0, or -1 with a message.
int WriteCsvFile(const Table& table, const Register& players, const std::filesystem::path& path,
                 services::Services& ui);

}  // namespace toq::data
