#include "cli/cli.h"
#include "cli/commands.h"
#include "reports/report_files.h"
#include "reports/web_page.h"
#include "reports/web_texts.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

int htmlCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path target =
      inv.args.size() > 1 ? inv.pathArg(1) : reports::webPagePath(ws.table);
  if (reports::writeWebPage(ws.table, ws.players, target, inv.ui) != reports::kReportShown)
    return kExitFailure;
  const std::string where = text::pathToUtf8(target);
  inv.ui.statusMessage(text::format(reports::web_texts::kSaved, where.c_str()));
  inv.out << where << '\n';
  // With --view the page goes to the browser; a viewer that cannot start has said so.
  return inv.ui.openWithViewer(target) == 0 ? kExitOk : kExitFailure;
}

}  // namespace toq::cli
