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
                         const edit::StepRule& step, const ChangeCommand& change) {
  edit::Passed pass = edit::runCommand(ws, ui, step, [&] { return change(ws); });
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

std::string result(const edit::Snapshot&, const edit::Workspace& after, const edit::Outcome& done) {
  const std::optional<api::Game> game = gameOf(after, done.row, done.round);
  if (!game) return {};
  const auto& p = game->board.players;
  const bool first = p[0].row == done.row + 1;
  const int code = after.table.result[done.row][done.round];
  return text::format(texts::kResultChange, done.round + 1, (first ? p[0] : p[1]).name.c_str(),
                      (first ? p[1] : p[0]).name.c_str(), edit::resultName(code));
}

std::string pairing(const edit::Snapshot&, const edit::Workspace&, const edit::Outcome& done) {
  return text::format(texts::kPairChange, done.round + 1);
}

}  // namespace steps

}  // namespace toq::server
