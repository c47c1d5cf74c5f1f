// add, candidates, remove: the table's participants.

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/text_grid.h"
#include "edit/edit_texts.h"
#include "edit/participants.h"
#include "text/format.h"

namespace toq::cli {

int addCommand(Invocation& inv) {
  const std::optional<int> number = parseInteger(inv.args[1]);
  if (!number) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelAddParticipant}, [&] {
    return edit::addParticipant(ws, inv.ui, edit::given(*number));
  });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kParticipantAdded, rowLabel(ws, o.row).c_str(), o.row + 1) << '\n';
  return kExitOk;
}

int candidatesCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  std::vector<GridLine> lines;
  for (const edit::ParticipantChoice& c : edit::participantChoices(inv.workspace))
    lines.push_back({text::format("%d", c.number), c.name});
  inv.out << layOutColumns(lines, {true});
  return kExitOk;
}

int removeCommand(Invocation& inv) {
  const std::optional<int> row = indexOperand(inv.args[1]);
  if (!row) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::string name = rowLabel(ws, *row);
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelRemoveParticipant},
                                      [&] { return edit::removeParticipant(ws, inv.ui, *row); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kParticipantRemoved, name.c_str()) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
