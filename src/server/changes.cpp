#include "server/changes.h"

#include "edit/command_door.h"

namespace toq::server {

edit::Outcome applyChange(edit::Workspace& ws, services::Services& ui, std::string_view label,
                          const ChangeCommand& change) {
  return edit::runCommand(ws, ui, std::string(label), [&] { return change(ws); }).outcome;
}

}  // namespace toq::server
