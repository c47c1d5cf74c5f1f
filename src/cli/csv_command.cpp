#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "data/csv_file.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

int csvCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  std::filesystem::path target = ws.table.filePath;
  target += ".csv";
  if (inv.args.size() > 1) target = inv.pathArg(1);
  const std::string where = text::pathToUtf8(target);
  const std::size_t before = inv.ui.problemsShown();
  if (data::WriteCsvFile(ws.table, ws.players, target, inv.ui) != 0)
    return inv.fail(before, text::format(kCsvSaveError, where.c_str()));
  inv.ui.statusMessage(text::format(kCsvSaved, where.c_str()));
  inv.out << where << '\n';
  return kExitOk;
}

}  // namespace toq::cli
