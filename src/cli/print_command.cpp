// toq-cli print: one of the three printed layouts as a PDF file, drawn as the desktop program
// prints it. Needs the Qt painting library; a build without it says so.
#include "cli/cli.h"
#include "cli/commands.h"

#ifdef TOQ_HAVE_PRINT
#include <optional>
#include <string_view>

#include "print_qt/gui_session.h"
#include "print_qt/pdf_output.h"
#include "qr/qr_code.h"
#include "reports/print/print_job.h"
#include "server/desk_secret.h"
#include "server/slip_cards.h"
#include "text/format.h"
#include "text/paths.h"
#endif

namespace toq::cli {

#ifdef TOQ_HAVE_PRINT

namespace {

using reports::print::Layout;

constexpr const char* kUnknownLayout =
    "印刷形式 %s はありません（players・grid・chart・reception・slips・standings のどれかです）。";
constexpr const char* kBadRound =
    "回戦 %s はありません（1 から数えた、組み合わせ済みの回戦です）。";
constexpr const char* kBadAddress =
    "アドレス %s は使えません（http://ホスト:ポート の形で指定してください）。";
constexpr const char* kNoStandings =
    "成績表にする回戦がありません（すべての結果が入った回戦がまだです）。";
constexpr const char* kBadStandingsRound =
    "回戦 %s の成績はまだありません（1 から数えた、すべての結果が入った回戦です）。";
constexpr const char* kNoSlips = "結果用紙にする対局がありません（組み合わせがまだです）。";

std::optional<Layout> layoutNamed(std::string_view name) {
  if (name == "players") return Layout::PlayerList;
  if (name == "grid") return Layout::Grid;
  if (name == "chart") return Layout::Chart;
  if (name == "reception") return Layout::ReceptionList;
  if (name == "slips") return Layout::Slips;
  if (name == "standings") return Layout::Standings;
  return std::nullopt;
}

// The window's screen is not there: widths in screen pixels are taken at the usual 96 dpi.
constexpr reports::print::ScreenResolution kUsualScreen{96, 96};

// The slips of the round asked for (else the latest paired), with the codes of the table's
// desk secret and the desk's address given (else the one `serve --lan` would print).
int prepareSlips(Invocation& inv, reports::print::PrintJob& job) {
  edit::Workspace& ws = inv.workspace;
  std::optional<int> round;
  if (std::optional<std::string> k = inv.value("--round")) {
    const std::optional<int> n = parseInteger(*k);
    if (!n || !ws.table.validRound(*n - 1) || *n - 1 > ws.table.LastPairedRound()) {
      inv.ui.errorBox(text::format(kBadRound, k->c_str()), services::kErrorCaption);
      return kExitFailure;
    }
    round = *n - 1;
  }
  std::string address = inv.value("--address").value_or(server::lanAddress());
  while (!address.empty() && address.back() == '/') address.pop_back();
  if (address.rfind("http://", 0) != 0 || address.size() <= 7) {
    inv.ui.errorBox(text::format(kBadAddress, address.c_str()), services::kErrorCaption);
    return kExitFailure;
  }
  std::string error;
  const std::optional<std::string> secret = server::deskSecret(ws.table.filePath, false, error);
  if (!secret) {
    inv.ui.errorBox(error, services::kErrorCaption);
    return kExitFailure;
  }
  std::vector<reports::print::SlipCard> cards = server::slipCards(ws, *secret, round, address);
  if (cards.empty()) {
    inv.ui.errorBox(kNoSlips, services::kErrorCaption);
    return kExitFailure;
  }
  for (reports::print::SlipCard& card : cards) card.qr = qr::encode(card.address);
  job.setSlips(std::move(cards));
  return kExitOk;
}

// The standings after the round asked for (else the last completed round).
int prepareStandings(Invocation& inv, reports::print::PrintJob& job) {
  edit::Workspace& ws = inv.workspace;
  int round = -1;
  const std::optional<std::string> k = inv.value("--round");
  if (k) {
    const std::optional<int> n = parseInteger(*k);
    if (!n || *n < 1 || *n - 1 > ws.table.LastCompletedRound() || !ws.table.validRound(*n - 1)) {
      inv.ui.errorBox(text::format(kBadStandingsRound, k->c_str()), services::kErrorCaption);
      return kExitFailure;
    }
    round = *n - 1;
  }
  reports::StandingsList list = reports::standingsList(ws.table, ws.players, round);
  if (list.round < 0) {
    inv.ui.errorBox(kNoStandings, services::kErrorCaption);
    return kExitFailure;
  }
  std::string caption = reports::standingsCaption(ws.table, list);
  job.setStandings(std::move(list), std::move(caption));
  return kExitOk;
}

}  // namespace

int printCommand(Invocation& inv) {
  const std::optional<Layout> layout = layoutNamed(inv.args.at(1));
  if (!layout) {
    inv.ui.errorBox(text::format(kUnknownLayout, inv.args[1].c_str()), services::kErrorCaption);
    return inv.usage();
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  std::filesystem::path target =
      inv.args.size() > 2 ? inv.pathArg(2)
                          : reports::print::defaultPdfPath(*layout, ws.table, ws.playerFile);

  print_qt::GuiSession gui;
  reports::print::PrintJob job(*layout, ws.table, ws.players,
                               reports::print::documentTitle(ws.table, *layout), kUsualScreen);
  if (*layout == Layout::Slips) {
    if (int code = prepareSlips(inv, job); code != kExitOk) return code;
    if (inv.args.size() <= 2)
      target = reports::print::slipsPdfPath(ws.table, job.slips().front().round);
  }
  if (*layout == Layout::Standings)
    if (int code = prepareStandings(inv, job); code != kExitOk) return code;
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
