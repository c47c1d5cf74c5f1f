#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/text_grid.h"
#include "data/file_texts.h"
#include "data/stored_text.h"
#include "edit/file_commands.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

int openTable(Invocation& inv, const std::filesystem::path& path, edit::Workspace* into) {
  edit::Workspace& ws = into ? *into : inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  if (edit::openTable(ws, inv.ui, path) != 0) {
    // The table's reader has said what is wrong with the table; the player file's fault is
    // said here. Nothing is written: the command ends.
    if (!ws.playersNotWhole.empty()) inv.ui.errorBox(ws.playersNotWhole, services::kErrorCaption);
    return inv.fail(before,
                    text::format(data::texts::kTableNotRead, text::pathToUtf8(path).c_str()));
  }
  warnOffendingRecords(inv, ws);
  return kExitOk;
}

void warnOffendingRecords(Invocation& inv, const edit::Workspace& ws) {
  for (const std::string& problem : data::offendingRecords(ws.players))
    inv.ui.warningBox(problem, services::kWarningCaption);
}

int showCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  inv.out << layOutColumns(gridLines(view::tableGrid(ws.table, ws.players, &inv.ui)));
  return kExitOk;
}

}  // namespace toq::cli
