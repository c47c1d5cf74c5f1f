#pragma once
// "会場公開": serves the event on the venue's network from the window. Start and stop, this
// computer only or the venue's network, the port, the result desk, the public and organiser
// URLs with their QR codes (printable), and the number of open pages. Non-modal; it owns the
// server and the GUI thread's executor, and stops the server when it goes.

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "edit/workspace.h"
#include "server/server.h"
#include "services/services.h"

class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace toq::ui {

class GuiExecutor;

class VenueDialog : public QDialog {
  Q_OBJECT

 public:
  VenueDialog(edit::Workspace& ws, services::Services& ui, QWidget* parent = nullptr);
  ~VenueDialog() override;

  server::Server& server() { return *server_; }
  bool serving() const;
  /// The window changed its table itself: the open pages follow.
  void notifyChanged();
  /// Stops the server (the window is closing); requests in flight are finished first.
  void stopServing();

  /// Runs on the GUI thread before each request's work on the table.
  void setBeforeEachJob(std::function<void()> before);

  /// "http://HOST:PORT" at which the window serves, or would serve with the dialog's choices;
  /// the result slips' QR codes open its desk.
  std::string slipAddress() const;
  /// The desk open to anyone, without the slips' codes.
  QCheckBox* openDeskBox() const { return openDesk_; }
  /// "新しい秘密": new codes; the slips printed before open nothing.
  void renewDeskSecret();

  /// Draws the URLs and their QR codes on a printer's page.
  void printSheet(QPrinter& printer) const;

  QRadioButton* localChoice() const { return local_; }
  QRadioButton* lanChoice() const { return lan_; }
  QSpinBox* portBox() const { return port_; }
  QCheckBox* deskBox() const { return desk_; }
  QCheckBox* receptionBox() const { return reception_; }
  QLabel* receptionUrlLabel() const { return receptionUrl_; }
  QPushButton* startButton() const { return start_; }
  QLabel* publicUrlLabel() const { return publicUrl_; }
  QLabel* organiserUrlLabel() const { return organiserUrl_; }
  QLabel* displayUrlLabel() const { return displayUrl_; }
  /// The other table files of the venue, served as sections 2, 3... from the next start.
  QStringList otherTables() const;
  void setOtherTables(const QStringList& files);
  QLabel* openPagesLabel() const { return pages_; }

 signals:
  /// The open table changed from outside the window, once per change: a request made it, or
  /// its files were read again (server::Hooks::changedFromNetwork).
  void changedFromNetwork(const server::NetworkChange& change);
  /// The server started (the public URL) or stopped (empty).
  void servingChanged(const QString& publicUrl);
  /// A job for the network failed with an exception (written to the failure log).
  void jobFailed(const QString& message);

 private:
  // The parts of the dialog.
  void makeServer();
  QGroupBox* placeChoice();
  QFormLayout* settingsForm();
  QGroupBox* addressBox();
  QGroupBox* otherTablesBox();
  QDialogButtonBox* dialogButtons();
  void connectControls();
  void toggle();
  void start();
  void addTables();
  void removeTable();
  void print();
  void showOpenPages(int pages);
  void updateState();
  bool takeDeskSecrets(server::Options& options);

  edit::Workspace& ws_;
  services::Services& ui_;
  GuiExecutor* executor_ = nullptr;
  std::unique_ptr<server::Server> server_;
  server::Hooks hooks_;
  /// The other sections' tables while serving, each with its owner on the GUI thread.
  std::vector<std::unique_ptr<edit::Workspace>> others_;
  std::vector<GuiExecutor*> otherOwners_;
  bool closing_ = false;

  QRadioButton* local_ = nullptr;
  QRadioButton* lan_ = nullptr;
  QSpinBox* port_ = nullptr;
  QCheckBox* desk_ = nullptr;
  QCheckBox* reception_ = nullptr;  ///< the reception at the door (/reception)
  QLabel* receptionUrl_ = nullptr;
  QLabel* receptionCaption_ = nullptr;
  QLabel* receptionQr_ = nullptr;
  QCheckBox* openDesk_ = nullptr;
  QPushButton* newSecret_ = nullptr;
  QPushButton* start_ = nullptr;
  QLabel* publicUrl_ = nullptr;
  QLabel* publicQr_ = nullptr;
  QLabel* organiserUrl_ = nullptr;
  QLabel* organiserQr_ = nullptr;
  QLabel* displayUrl_ = nullptr;
  QLabel* displayQr_ = nullptr;
  QListWidget* tables_ = nullptr;
  QPushButton* addTable_ = nullptr;
  QPushButton* removeTable_ = nullptr;
  QLabel* pages_ = nullptr;
  QPushButton* print_ = nullptr;
};

}  // namespace toq::ui
