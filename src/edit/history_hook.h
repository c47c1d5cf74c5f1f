#pragma once
// The undo history is about one event: a new event forgets the previous one's.

#include "edit/workspace.h"

namespace toq::edit {

/// Forgets every step that undo could take back.
void clearHistory(Workspace& ws);

}  // namespace toq::edit
