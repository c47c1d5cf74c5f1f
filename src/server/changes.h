#pragma once
// Changes of a section's table asked for over the network, and the look at files another
// program changed: each one pass through the edit layer's door (edit/command_door.h) on the
// section's owner, told to the hub from the door's answer alone.

#include <functional>
#include <string>
#include <vector>

#include "edit/command_door.h"
#include "edit/outcome.h"
#include "edit/workspace.h"

namespace toq::server {

class Hub;
class RequestServices;

/// What reached a section's table from outside its host, for the host: a change a request
/// made, or files another program changed that were read again.
struct NetworkChange {
  int section = 0;  ///< 0-based
  std::string
      label;  ///< UTF-8 name of the undo step, "会場から: 2回戦 A 対 B 勝ち"; empty for a re-read
  int round = -1;  ///< the 0-based round the command worked on
  edit::Changes changes;
  std::vector<std::string> statuses;  ///< the edit layer's status messages of a re-read (UTF-8)
  std::vector<std::string> problems;  ///< its warnings of a look at the files (a file vanished...)
};

/// A change as the edit layer makes it.
using ChangeCommand = std::function<edit::Outcome(edit::Workspace&)>;

/// Makes one change that a request asked for through the door, its undo step named by `step`
/// inside the pass; the hub hears of whatever the pass changed (a re-read of a refused
/// request included). The journal names `who`.
edit::Passed applyChange(Hub& hub, int section, edit::Workspace& ws, RequestServices& ui,
                         const edit::StepRule& step, const ChangeCommand& change,
                         const journal::Who& who);

/// Looks at the section's files for a change made by another program, as a pass without a
/// step; what was read again is a new version, announced and told to the host, and logged.
void lookAtFiles(Hub& hub, int section, edit::Workspace& ws);

/// Names of the steps a request makes: "会場から: 2回戦 A 対 B: B の勝ち", and
/// "会場から: 2回戦を組み合わせました。".
namespace steps {
std::string result(const edit::Snapshot& before, const edit::Workspace& after,
                   const edit::Outcome& done);
std::string pairing(const edit::Snapshot& before, const edit::Workspace& after,
                    const edit::Outcome& done);
}  // namespace steps

}  // namespace toq::server
