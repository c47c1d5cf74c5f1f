#pragma once
// The guard in front of every command that changes the table.

#include "data/table.h"
#include "services/services.h"

namespace toq::services {

/// Refusal shown when the table's lock flag is set.
inline constexpr std::string_view kLockedMessage = "変更は禁止されています。";

/// True when changes are allowed. When the table is locked it shows the refusal as a warning
/// box captioned "TOQ" and answers false.
bool lockCheck(const data::Table& table, Services& ui);

}  // namespace toq::services
