#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::cli {

std::optional<int> indexOperand(std::string_view text) {
  std::optional<int> value = parseInteger(text);
  if (!value) return std::nullopt;
  return *value < 1 ? -1 : *value - 1;
}

std::string rowLabel(const edit::Workspace& ws, int row) {
  const data::Table& t = ws.table;
  if (row >= 0 && row < data::kMaxRows && t.validRow(row))
    if (const data::Player* p = ws.players.FindPlayer(t.participants[row]))
      return text::toUtf8(p->name);
  return text::format(kRowWord, row + 1);
}

edit::Outcome throughDoor(Invocation& inv, const edit::StepRule& rule,
                          const std::function<edit::Outcome()>& change) {
  return edit::runCommand(inv.workspace, inv.ui, rule, change, journal::Who::cli()).outcome;
}

int editFailed(Invocation& inv, std::size_t problemsBefore, const edit::Outcome& outcome,
               const std::string& nothingToDo) {
  if (outcome.code == -2) return inv.fail(problemsBefore, kNotSaved);
  if (outcome.stop == edit::Stop::NothingToDo && !nothingToDo.empty())
    return inv.fail(problemsBefore, nothingToDo);
  return inv.fail(problemsBefore, kNotDone);
}

}  // namespace toq::cli
