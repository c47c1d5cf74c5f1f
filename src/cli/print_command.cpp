// toq-cli print: one of the three printed layouts as a PDF file, drawn as the desktop program
// prints it. Needs the Qt painting library; a build without it says so.
#include "cli/cli.h"
#include "cli/commands.h"

#ifdef TOQ_HAVE_PRINT
#include <optional>
#include <string_view>

#include "print_qt/gui_session.h"
#include "print_qt/pdf_output.h"
#include "reports/print/print_job.h"
#include "text/format.h"
#include "text/paths.h"
#endif

namespace toq::cli {

#ifdef TOQ_HAVE_PRINT

namespace {

using reports::print::Layout;

constexpr const char* kUnknownLayout =
    "印刷形式 %s はありません（players・grid・chart・reception のどれかです）。";

std::optional<Layout> layoutNamed(std::string_view name) {
  if (name == "players") return Layout::PlayerList;
  if (name == "grid") return Layout::Grid;
  if (name == "chart") return Layout::Chart;
  if (name == "reception") return Layout::ReceptionList;
  return std::nullopt;
}

// The window's screen is not there: widths in screen pixels are taken at the usual 96 dpi.
constexpr reports::print::ScreenResolution kUsualScreen{96, 96};

}  // namespace

int printCommand(Invocation& inv) {
  const std::optional<Layout> layout = layoutNamed(inv.args.at(1));
  if (!layout) {
    inv.ui.errorBox(text::format(kUnknownLayout, inv.args[1].c_str()), services::kErrorCaption);
    return inv.usage();
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path target =
      inv.args.size() > 2 ? inv.pathArg(2)
                          : reports::print::defaultPdfPath(*layout, ws.table, ws.playerFile);

  print_qt::GuiSession gui;
  reports::print::PrintJob job(*layout, ws.table, ws.players,
                               reports::print::documentTitle(ws.table), kUsualScreen);
  if (print_qt::writePdf(target, job, inv.ui) != 0) return kExitFailure;
  inv.out << text::pathToUtf8(target) << '\n';
  return inv.ui.openWithViewer(target) == 0 ? kExitOk : kExitFailure;
}

#else

int printCommand(Invocation& inv) {
  inv.ui.errorBox(
      "この toq-cli は Qt なしでビルドされたため、印刷（PDFの作成）は使えません。"
      "Qt 6 のある環境でビルドした toq-cli か、デスクトップ版 toq の「PDFに保存...」を使って"
      "ください。",
      services::kErrorCaption);
  return kExitFailure;
}

#endif

}  // namespace toq::cli
