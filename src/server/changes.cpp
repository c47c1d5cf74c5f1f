#include "server/changes.h"

namespace toq::server {

edit::Outcome applyChange(edit::Workspace& ws, std::string_view label,
                          const ChangeCommand& change) {
  // UNDO HISTORY: the one call point for changes from the network. When the workspace keeps
  // an undo history, record the change here under `label` (a snapshot before `change`, kept
  // when the outcome says the table changed), exactly as the window's commands do.
  (void)label;
  return change(ws);
}

}  // namespace toq::server
