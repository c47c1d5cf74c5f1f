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
  data::ReadFault fault;
  const int result = data::LoadPlayerFile(ws.players, file, nullptr, &fault);
  // Every record that could be read is shown, also when a line could not be.
  if (!ws.players.empty()) inv.out << layOutColumns(gridLines(view::playerGrid(ws.players)));
  if (result == 0) {
    warnOffendingRecords(inv, ws);
    return kExitOk;
  }
  const std::string where = text::pathToUtf8(file);
  inv.ui.errorBox(fault.any() ? data::readFaultMessage(file, fault)
                              : text::format(kPlayerFileReadError, where.c_str()),
                  services::kErrorCaption);
  return kExitFailure;
}

}  // namespace toq::cli
