#include "server/changes.h"

#include "edit/results.h"
#include "server/access_log.h"
#include "server/answers.h"
#include "server/hub.h"
#include "server/request_services.h"
#include "server/texts.h"
#include "text/format.h"

namespace toq::server {

edit::Passed applyChange(Hub& hub, int section, edit::Workspace& ws, RequestServices& ui,
                         const edit::StepRule& step, const ChangeCommand& change,
                         const journal::Who& who) {
  edit::Passed pass = edit::runCommand(
      ws, ui, step, [&] { return change(ws); }, who);
  hub.passed(section, pass, ui);
  return pass;
}

void lookAtFiles(Hub& hub, int section, edit::Workspace& ws) {
  RequestServices ui;
  const edit::Passed pass = edit::lookAtFiles(ws, ui);
  hub.passed(section, pass, ui);
  // What could not be read is the host's to show even when nothing changed.
  if (!ui.problems().empty() && !pass.changes.any() && hub.hooks().changedFromNetwork) {
    NetworkChange looked;
    looked.section = section;
    looked.statuses = ui.statuses();
    looked.problems = ui.problems();
    hub.hooks().changedFromNetwork(looked);
  }
  for (const std::string& line : ui.statuses()) hub.log(localTime() + " " + line);
  for (const std::string& line : ui.problems()) hub.log(localTime() + " " + line);
}

namespace steps {

std::string result(const edit::Snapshot& before, const edit::Workspace& after,
                   const edit::Outcome& done) {
  return text::format(texts::kResultChange, edit::steps::result(before, after, done).c_str());
}

std::string pairing(const edit::Snapshot&, const edit::Workspace&, const edit::Outcome& done) {
  return text::format(texts::kPairChange, done.round + 1);
}

}  // namespace steps

}  // namespace toq::server
