#pragma once
// New players who would look like someone already registered get distinct short names, and
// the user is told which.

#include <span>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Gives distinct short names to the look-alikes of the players `numbers` (data/short_names.h)
/// and says in a message box what was given. True when a record changed (the register is
/// then to be written by the caller).
bool proposeShortNames(Workspace& ws, services::Services& ui, std::span<const int> numbers);

}  // namespace toq::edit
