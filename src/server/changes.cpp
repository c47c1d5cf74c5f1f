#include "server/changes.h"

#include "edit/command_door.h"

namespace toq::server {

edit::Outcome applyChange(edit::Workspace& ws, services::Services& ui, std::string_view label,
                          const ChangeCommand& change) {
  const std::string name(label);
  return edit::runCommand(ws, ui, edit::StepRule{name.c_str()}, [&] { return change(ws); }).outcome;
}

}  // namespace toq::server
