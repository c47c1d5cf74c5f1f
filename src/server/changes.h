#pragma once
// Changes of the table asked for over the network, made on the owner's thread.

#include <functional>
#include <string>
#include <string_view>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::server {

/// What a change from the network did, for the host: its status line and its list.
struct NetworkChange {
  std::string label;  ///< UTF-8, "会場から: 2回戦 A 対 B 勝ち"
  int round = -1;     ///< the 0-based round changed
};

/// A change as the edit layer makes it.
using ChangeCommand = std::function<edit::Outcome(edit::Workspace&)>;

/// Makes one change that a request asked for; `label` names it (UTF-8). Every change from the
/// network passes here, on the owner's thread, through the edit layer's door
/// (edit/command_door.h) that the window's commands pass too.
edit::Outcome applyChange(edit::Workspace& ws, services::Services& ui, std::string_view label,
                          const ChangeCommand& change);

}  // namespace toq::server
