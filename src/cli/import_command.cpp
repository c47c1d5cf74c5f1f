#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "data/name_list.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

int importCommand(Invocation& inv) {
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path list = inv.pathArg(0);
  const std::size_t before = inv.ui.problemsShown();
  if (data::ImportNameList(ws.players, ws.table, list, ws.playerFile, inv.ui) != 0)
    return inv.fail(before, text::format(kImportReadError, text::pathToUtf8(list).c_str()));
  // The import goes on past a full table or a file it could not write, after saying so;
  // the command then ends as failed, since the files do not hold the whole list.
  const bool complete = inv.ui.problemsShown() == before;
  if (ws.players.empty()) inv.ui.warningBox(kNoPlayers, services::kAppCaption);

  inv.out << text::format(kImportSummary, ws.players.count(), ws.table.participantCount,
                          ws.table.numberOfGames);
  inv.out << text::pathToUtf8(ws.playerFile) << '\n';
  inv.out << text::pathToUtf8(ws.table.filePath) << '\n';
  return complete ? kExitOk : kExitFailure;
}

}  // namespace toq::cli
