#pragma once
// When a file of the event did not read whole: its backup (".bak") opened in its place. The
// file that did not read is set aside under a name of its own, never deleted or written over.

#include <filesystem>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Puts the backup of each file of the open event that did not read whole in its place and
/// opens the event again: the file as it was is kept as "NAME.unread-YYYYMMDD-HHMMSS". 0 when
/// the event now reads whole; -1 after a message when a backup is missing or does not read
/// whole either (nothing is moved then).
int openBackup(Workspace& ws, services::Services& ui);

}  // namespace toq::edit
