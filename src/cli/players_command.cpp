#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/text_grid.h"
#include "data/player_file.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

int playersCommand(Invocation& inv) {
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path file = inv.pathArg(0);
  const int result = data::LoadPlayerFile(ws.players, file);
  // The records read before a malformed line or a full register stay, as in the program.
  if (!ws.players.empty()) inv.out << layOutColumns(gridLines(view::playerGrid(ws.players)));
  if (result == 0) return kExitOk;
  const std::string where = text::pathToUtf8(file);
  inv.ui.errorBox(
      text::format(result == -2 ? kPlayerFileFull : kPlayerFileReadError, where.c_str()),
      services::kErrorCaption);
  return kExitFailure;
}

}  // namespace toq::cli
