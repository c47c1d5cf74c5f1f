// Printing, the print preview, the printer setup and the PDF of what the main view shows: the
// player list in player mode; in table mode the coloured grid while "印刷形式２" is checked,
// else the vertical league chart.
#include "qr/qr_code.h"
#include "reports/print/print_job.h"
#include "server/desk_secret.h"
#include "server/slip_cards.h"
#include "ui/commands.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/print/printing.h"
#include "ui/print_requests.h"
#include "ui/qt_text.h"
#include "ui/venue_link.h"

namespace toq::ui {

namespace {

using print::Printing;
using print::PrintRequest;

PrintRequest requestFor(const MainView& view, const edit::Workspace& ws, bool printFormat2) {
  return printRequest(reports::print::layoutFor(view.tableMode(), printFormat2), view, ws);
}

constexpr const char* kNoSlips = "結果用紙にする対局がありません（組み合わせがまだです）。";

// The slips of the latest paired round: the codes of the table's desk secret, the QR codes of
// the address the window serves at (or would serve at). False after telling why not.
bool slipRequest(PrintRequest& r, edit::Workspace& ws, const VenueDialog* venue,
                 services::Services& ui) {
  std::string error;
  const std::optional<std::string> secret = server::deskSecret(ws.table.filePath, false, error);
  if (!secret) {
    ui.errorBox(error, services::kErrorCaption);
    return false;
  }
  const std::string address = venue ? venue->slipAddress() : server::lanAddress();
  r.slips = server::slipCards(ws, *secret, std::nullopt, address);
  if (r.slips.empty()) {
    ui.errorBox(kNoSlips, services::kErrorCaption);
    return false;
  }
  for (reports::print::SlipCard& card : r.slips) card.qr = qr::encode(card.address);
  r.layout = reports::print::Layout::Slips;
  r.suggestedPdf = reports::print::slipsPdfPath(ws.table, r.slips.front().round);
  return true;
}

constexpr const char* kNoStandings =
    "成績表にする回戦がありません（すべての結果が入った回戦がまだです）。";

// The standings after the last completed round, titled with the event's name. False after
// telling why not.
bool standingsRequest(PrintRequest& r, edit::Workspace& ws, services::Services& ui) {
  r.layout = reports::print::Layout::Standings;
  r.standings = reports::standingsList(ws.table, ws.players);
  if (r.standings.round < 0) {
    ui.errorBox(kNoStandings, services::kErrorCaption);
    return false;
  }
  r.standingsCaption = reports::standingsCaption(ws.table, r.standings);
  r.documentTitle = reports::print::documentTitle(ws.table, r.layout);
  r.suggestedPdf = reports::print::defaultPdfPath(r.layout, ws.table, ws.playerFile);
  return true;
}

}  // namespace

void Commands::printStandings() {
  PrintRequest r = requestFor(view_, ws_, printFormat2_);
  if (standingsRequest(r, ws_, ui_)) printingOf(window_, ui_).preview(r);
}

void Commands::saveStandingsPdf() {
  PrintRequest r = requestFor(view_, ws_, printFormat2_);
  if (standingsRequest(r, ws_, ui_)) printingOf(window_, ui_).savePdf(r);
}

void Commands::printSlips() {
  PrintRequest r = requestFor(view_, ws_, printFormat2_);
  if (slipRequest(r, ws_, venue_->dialog(), ui_)) printingOf(window_, ui_).preview(r);
}

void Commands::saveSlipsPdf() {
  PrintRequest r = requestFor(view_, ws_, printFormat2_);
  if (slipRequest(r, ws_, venue_->dialog(), ui_)) printingOf(window_, ui_).savePdf(r);
}

void Commands::print() {
  printingOf(window_, ui_).print(requestFor(view_, ws_, printFormat2_));
}

void Commands::printPreview() {
  printingOf(window_, ui_).preview(requestFor(view_, ws_, printFormat2_));
}

void Commands::printSetup() {
  printingOf(window_, ui_).setup();
}

void Commands::savePdf() {
  printingOf(window_, ui_).savePdf(requestFor(view_, ws_, printFormat2_));
}

}  // namespace toq::ui
