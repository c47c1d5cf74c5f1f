#include "ui/venue_link.h"

#include <QTimer>

#include "edit/rounds.h"
#include "server/guard_texts.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

VenueLink::VenueLink(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                     QObject* parent)
    : QObject(parent), window_(window), ws_(ws), ui_(ui) {}

void VenueLink::show() {
  if (!dialog_) make();
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void VenueLink::make() {
  dialog_ = new VenueDialog(ws_, ui_, &window_);
  // A pairing from the organiser's page follows the window's check boxes.
  dialog_->setBeforeEachJob([this] { window_.view()->readOptions(); });
  connect(dialog_, &VenueDialog::changedFromNetwork, this, &VenueLink::changedFromNetwork);
  // Every change the window makes itself is told to the served pages.
  connect(&window_, &MainWindow::eventChanged, dialog_, &VenueDialog::notifyChanged);
  connect(dialog_, &VenueDialog::servingChanged, &window_, &MainWindow::showServing);
  connect(dialog_, &VenueDialog::jobFailed, this,
          [this](const QString& message) { ui_.statusMessage(toUtf8(message)); });
  // The window is going: requests in flight finish on the GUI thread, then the server stops.
  connect(&window_, &MainWindow::closing, dialog_, &VenueDialog::stopServing);
}

void VenueLink::changedFromNetwork(const server::NetworkChange& change) {
  // The server tells the pages itself, once, after the sender's answer.
  if (change.changes.any() || change.changes.document)
    window_.showChanges(change.changes, MainWindow::Told::ByServer);
  if (!change.label.empty()) ui_.statusMessage(change.label);
  // The last result of the latest round: the next round is offered, never paired unasked.
  if (change.changes.table && edit::allResultsIn(ws_.table))
    ui_.statusMessage(server::texts::kAllResultsIn);
  for (const std::string& s : change.statuses) ui_.statusMessage(s);
  // A warning box runs an event loop: shown after the job that found it.
  for (const std::string& p : change.problems)
    QTimer::singleShot(0, this, [this, p] { ui_.warningBox(p); });
}

}  // namespace toq::ui
