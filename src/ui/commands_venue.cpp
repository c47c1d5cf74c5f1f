// "会場公開(&L)...": the event on the venue's network. The dialog stays open beside the list;
// results from the network show in the list and the status bar as they arrive.
#include "data/table.h"
#include "ui/commands.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr std::string_view kAllResultsIn = "すべての結果が揃いました";

}  // namespace

void Commands::venue() {
  if (!venue_) {
    venue_ = new VenueDialog(ws_, ui_, &window_);
    // A pairing from the organiser's page follows the window's check boxes.
    venue_->setBeforeEachJob([this] { view_.readOptions(); });
    // The change passed the edit layer's door on this thread; the window shows it as any.
    connect(venue_, &VenueDialog::changedFromNetwork, this, [this](const QString& label) {
      afterTableChange();
      ui_.statusMessage(toUtf8(label));
      // The last result of the latest round: the next round is offered, never paired unasked.
      const data::Table& t = ws_.table;
      const int latest = t.LastPairedRound();
      if (latest >= 0 && t.LastCompletedRound() == latest && latest + 1 < t.rounds())
        ui_.statusMessage(kAllResultsIn);
    });
    // Every change of the event, whoever made it, is told to the served pages.
    connect(&window_, &MainWindow::eventChanged, venue_, &VenueDialog::notifyChanged);
    connect(venue_, &VenueDialog::servingChanged, &window_, &MainWindow::showServing);
    // Another program changed the table's files while serving: the server read them again and
    // told the pages; the list follows, and the user hears why.
    connect(venue_, &VenueDialog::filesLooked, this,
            [this](bool reread, const QStringList& statuses, const QStringList& problems) {
              if (reread) afterTableChange();
              for (const QString& s : statuses) ui_.statusMessage(toUtf8(s));
              for (const QString& p : problems) ui_.warningBox(toUtf8(p));
            });
    // The window is going: requests in flight finish on the GUI thread, then the server stops.
    connect(&window_, &MainWindow::closing, venue_, &VenueDialog::stopServing);
  }
  venue_->show();
  venue_->raise();
  venue_->activateWindow();
}

}  // namespace toq::ui
