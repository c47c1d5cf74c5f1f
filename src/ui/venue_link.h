#pragma once
// The window and the venue's server side by side: the venue dialog made when first asked for,
// every change the window makes told to the served pages, and every change that reached the
// window's table from outside (a request, a file another program changed) shown as any change
// of the window's own, without telling the pages twice.

#include <QObject>

#include "edit/workspace.h"
#include "server/changes.h"
#include "services/services.h"

namespace toq::ui {

class MainWindow;
class VenueDialog;

class VenueLink : public QObject {
  Q_OBJECT

 public:
  VenueLink(MainWindow& window, edit::Workspace& ws, services::Services& ui,
            QObject* parent = nullptr);

  /// "会場公開": shows the venue dialog, made when first asked for.
  void show();
  /// The venue dialog; null until it was first shown.
  VenueDialog* dialog() const { return dialog_; }

 private:
  void make();
  void changedFromNetwork(const server::NetworkChange& change);

  MainWindow& window_;
  edit::Workspace& ws_;
  services::Services& ui_;
  VenueDialog* dialog_ = nullptr;
};

}  // namespace toq::ui
