#include "ui/dialogs/venue_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "data/table.h"
#include "edit/file_freshness.h"
#include "server/desk_secret.h"
#include "ui/gui_executor.h"
#include "ui/qr_image.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

QLabel* urlLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label->setWordWrap(true);
  label->setMinimumWidth(320);
  return label;
}

QLabel* qrLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

VenueDialog::VenueDialog(edit::Workspace& ws, services::Services& ui, QWidget* parent)
    : QDialog(parent), ws_(ws), ui_(ui) {
  setObjectName(QStringLiteral("venueDialog"));
  setWindowTitle(QStringLiteral("会場公開"));
  setModal(false);
  makeServer();
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(placeChoice());
  top->addLayout(settingsForm());
  layout->addLayout(top);
  layout->addWidget(otherTablesBox());
  layout->addWidget(addressBox());
  pages_ = new QLabel(this);
  pages_->setObjectName(QStringLiteral("openPages"));
  layout->addWidget(pages_);
  layout->addWidget(dialogButtons());
  connectControls();
  updateState();
  local_->setFocus();
}

void VenueDialog::makeServer() {
  executor_ = new GuiExecutor(ws_, this);
  // On the GUI thread, inside the section's job: told once per change, from the door's
  // answer. The other sections' tables belong to other windows, which follow their files by
  // themselves.
  hooks_.changedFromNetwork = [this](const server::NetworkChange& change) {
    if (!closing_ && change.section == 0) emit changedFromNetwork(change);
  };
  // Arrives on the network thread: the count is shown from the GUI thread.
  hooks_.openPagesChanged = [this](int pages) {
    QMetaObject::invokeMethod(
        this, [this, pages] { showOpenPages(pages); }, Qt::QueuedConnection);
  };
  connect(executor_, &GuiExecutor::jobFailed, this, &VenueDialog::jobFailed);
  server_ = std::make_unique<server::Server>(*executor_, hooks_);
}

QGroupBox* VenueDialog::placeChoice() {
  auto* where = new QGroupBox(QStringLiteral("公開先"), this);
  local_ = new QRadioButton(QStringLiteral("このコンピュータのみ"), where);
  lan_ = new QRadioButton(QStringLiteral("会場のネットワーク"), where);
  local_->setChecked(true);
  auto* whereLayout = new QVBoxLayout(where);
  whereLayout->addWidget(local_);
  whereLayout->addWidget(lan_);
  return where;
}

QFormLayout* VenueDialog::settingsForm() {
  port_ = new QSpinBox(this);
  port_->setObjectName(QStringLiteral("port"));
  port_->setRange(0, 65535);
  port_->setSpecialValueText(QStringLiteral("自動"));
  port_->setValue(server::kDefaultPort);
  desk_ = new QCheckBox(QStringLiteral("結果受付（/desk）"), this);
  // The desk normally needs the code of the board's slip; events without slips open it.
  openDesk_ = new QCheckBox(QStringLiteral("結果用紙なしで誰でも入力できる"), this);
  openDesk_->setObjectName(QStringLiteral("openDesk"));
  newSecret_ = new QPushButton(QStringLiteral("結果用紙のコードを作り直す..."), this);
  newSecret_->setObjectName(QStringLiteral("newDeskSecret"));
  newSecret_->setToolTip(
      QStringLiteral("結果用紙をなくしたときに。印刷済みの結果用紙は使えなくなります。"));
  reception_ = new QCheckBox(QStringLiteral("受付（/reception・受付係のスマートフォンで）"), this);
  start_ = new QPushButton(QStringLiteral("開始"), this);
  start_->setObjectName(QStringLiteral("startButton"));
  auto* settings = new QFormLayout;
  settings->addRow(QStringLiteral("ポート(&P):"), port_);
  settings->addRow(desk_);
  settings->addRow(openDesk_);
  settings->addRow(newSecret_);
  settings->addRow(reception_);
  settings->addRow(start_);
  return settings;
}

QGroupBox* VenueDialog::addressBox() {
  publicUrl_ = urlLabel(this, "publicUrl");
  organiserUrl_ = urlLabel(this, "organiserUrl");
  displayUrl_ = urlLabel(this, "displayUrl");
  receptionUrl_ = urlLabel(this, "receptionUrl");
  publicQr_ = qrLabel(this, "publicQr");
  organiserQr_ = qrLabel(this, "organiserQr");
  displayQr_ = qrLabel(this, "displayQr");
  receptionQr_ = qrLabel(this, "receptionQr");
  auto* urls = new QGroupBox(QStringLiteral("アドレス"), this);
  auto* grid = new QGridLayout(urls);
  const struct {
    QString caption;
    QLabel* url;
    QLabel* qr;
  } columns[] = {
      {QStringLiteral("公開ページ（参加者）:"), publicUrl_, publicQr_},
      {QStringLiteral("主催者ページ（キー付き・他人に見せない）:"), organiserUrl_, organiserQr_},
      {QStringLiteral("掲示用（プロジェクタ）:"), displayUrl_, displayQr_},
      {QStringLiteral("受付用（受付の鍵付き・受付係にだけ）:"), receptionUrl_, receptionQr_},
  };
  int column = 0;
  for (const auto& c : columns) {
    auto* caption = new QLabel(c.caption, urls);
    grid->addWidget(caption, 0, column);
    grid->addWidget(c.url, 1, column);
    grid->addWidget(c.qr, 2, column);
    ++column;
    if (c.url == receptionUrl_) receptionCaption_ = caption;
  }
  return urls;
}

QGroupBox* VenueDialog::otherTablesBox() {
  // The venue's other classes (A級, B級, 初心者...), each a table of its own.
  auto* others = new QGroupBox(QStringLiteral("他の部門の対戦表（/t/2/ から）"), this);
  tables_ = new QListWidget(others);
  tables_->setObjectName(QStringLiteral("otherTables"));
  tables_->setMaximumHeight(90);
  addTable_ = new QPushButton(QStringLiteral("追加(&A)..."), others);
  removeTable_ = new QPushButton(QStringLiteral("削除(&D)"), others);
  auto* othersLayout = new QHBoxLayout(others);
  othersLayout->addWidget(tables_, 1);
  auto* othersButtons = new QVBoxLayout;
  othersButtons->addWidget(addTable_);
  othersButtons->addWidget(removeTable_);
  othersButtons->addStretch();
  othersLayout->addLayout(othersButtons);
  return others;
}

QDialogButtonBox* VenueDialog::dialogButtons() {
  print_ = new QPushButton(QStringLiteral("印刷(&R)..."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
  buttons->addButton(print_, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  return buttons;
}

void VenueDialog::connectControls() {
  connect(start_, &QPushButton::clicked, this, &VenueDialog::toggle);
  connect(print_, &QPushButton::clicked, this, &VenueDialog::print);
  connect(addTable_, &QPushButton::clicked, this, &VenueDialog::addTables);
  connect(removeTable_, &QPushButton::clicked, this, &VenueDialog::removeTable);
  connect(desk_, &QCheckBox::toggled, this, [this](bool on) {
    if (serving()) server_->setResultDesk(on);
  });
  connect(openDesk_, &QCheckBox::toggled, this, [this](bool open) {
    if (serving()) server_->setOpenDesk(open);
  });
  connect(newSecret_, &QPushButton::clicked, this, &VenueDialog::renewDeskSecret);
  // The reception's address has its column only when the reception is asked for.
  connect(reception_, &QCheckBox::toggled, receptionCaption_, &QWidget::setVisible);
  receptionCaption_->setVisible(reception_->isChecked());
}

VenueDialog::~VenueDialog() {
  stopServing();
}

bool VenueDialog::serving() const {
  return server_->running();
}

void VenueDialog::notifyChanged() {
  if (serving()) server_->notifyChanged();
}

void VenueDialog::setBeforeEachJob(std::function<void()> before) {
  executor_->setBeforeEachJob(std::move(before));
}

void VenueDialog::stopServing() {
  if (!serving()) return;
  closing_ = true;
  executor_->refuseNewJobs();
  server_->stop();
  closing_ = false;
}

void VenueDialog::toggle() {
  if (serving()) {
    // The jobs in flight run here, on the GUI thread, while the server waits for them.
    server_->stop();
  } else {
    start();
  }
  updateState();
}

void VenueDialog::start() {
  // The other sections' tables are read afresh at each start, through the files' own record,
  // so that every change to them first catches up with what their own window wrote.
  for (GuiExecutor* owner : otherOwners_) delete owner;
  otherOwners_.clear();
  others_.clear();
  std::vector<server::Executor*> owners = {executor_};
  for (const QString& file : otherTables()) {
    auto ws = std::make_unique<edit::Workspace>();
    if (edit::openTable(*ws, ui_, toPath(file)) != 0) return;
    auto* owner = new GuiExecutor(*ws, this);
    owners.push_back(owner);
    otherOwners_.push_back(owner);
    others_.push_back(std::move(ws));
  }
  server_ = std::make_unique<server::Server>(owners, hooks_);
  server::Options options;
  options.lan = lan_->isChecked();
  options.port = static_cast<unsigned short>(port_->value());
  options.resultDesk = desk_->isChecked();
  options.reception = reception_->isChecked();
  options.openDesk = openDesk_->isChecked();
  if (!takeDeskSecrets(options)) return;
  std::string error;
  if (!server_->start(options, &error)) ui_.errorBox(error);
}

// Each section's desk secret, kept per table beside the user's settings, so that the slips
// printed before this start still open the desk.
bool VenueDialog::takeDeskSecrets(server::Options& options) {
  std::vector<std::filesystem::path> tables = {ws_.table.filePath};
  for (const auto& other : others_) tables.push_back(other->table.filePath);
  for (const std::filesystem::path& table : tables) {
    std::string error;
    std::optional<std::string> secret = server::deskSecret(table, false, error);
    if (!secret) {
      ui_.errorBox(error);
      return false;
    }
    options.deskSecrets.push_back(std::move(*secret));
  }
  return true;
}

void VenueDialog::renewDeskSecret() {
  if (!ui_.askYesNo(
          "新しいコードを作ると、印刷済みの結果用紙は使えなくなります（印刷し直してください）。"
          "作り直しますか？"))
    return;
  std::string error;
  std::optional<std::string> secret = server::deskSecret(ws_.table.filePath, true, error);
  if (!secret) return ui_.errorBox(error);
  if (serving()) server_->setDeskSecret(0, std::move(*secret));
  ui_.statusMessage("結果用紙のコードを作り直しました。結果用紙を印刷し直してください。");
}

std::string VenueDialog::slipAddress() const {
  // With several sections the open table is section 1, whose desk is under /t/1/.
  const std::string section = tables_->count() > 0 ? server::sectionPrefix(0) : std::string();
  if (serving())
    return server::baseUrl(server_->addresses().front(), server_->port()) +
           (server_->sections() > 1 ? server::sectionPrefix(0) : std::string());
  const auto port = static_cast<unsigned short>(port_->value());
  const std::vector<std::string> mine =
      lan_->isChecked() ? server::machineAddresses() : std::vector<std::string>();
  return server::baseUrl(mine.empty() ? "127.0.0.1" : mine.front(),
                         port ? port : server::kDefaultPort) +
         section;
}

QStringList VenueDialog::otherTables() const {
  QStringList files;
  for (int i = 0; i < tables_->count(); ++i) files << tables_->item(i)->text();
  return files;
}

void VenueDialog::setOtherTables(const QStringList& files) {
  tables_->clear();
  tables_->addItems(files);
  updateState();
}

void VenueDialog::addTables() {
  const QStringList files =
      QFileDialog::getOpenFileNames(this, QStringLiteral("他の部門の対戦表"), QString(),
                                    QStringLiteral("対戦表ファイル (*.tai);;すべてのファイル (*)"));
  for (const QString& f : files)
    if (!otherTables().contains(f) && toPath(f) != ws_.table.filePath) tables_->addItem(f);
  updateState();
}

void VenueDialog::removeTable() {
  delete tables_->currentItem();
  updateState();
}

void VenueDialog::updateState() {
  const bool on = serving();
  local_->setEnabled(!on);
  lan_->setEnabled(!on);
  port_->setEnabled(!on);
  start_->setText(on ? QStringLiteral("停止(&S)") : QStringLiteral("開始(&S)"));
  print_->setEnabled(on);
  tables_->setEnabled(!on);
  addTable_->setEnabled(!on);
  removeTable_->setEnabled(!on && tables_->count() > 0);
  publicUrl_->setText(on ? fromUtf8(server_->publicUrl()) : QStringLiteral("（停止中）"));
  organiserUrl_->setText(on ? fromUtf8(server_->organiserUrl()) : QString());
  publicQr_->setPixmap(on ? QPixmap::fromImage(qrImage(publicUrl_->text(), 4)) : QPixmap());
  organiserQr_->setPixmap(on ? QPixmap::fromImage(qrImage(organiserUrl_->text(), 4)) : QPixmap());
  displayUrl_->setText(on ? fromUtf8(server_->displayUrl()) : QString());
  displayQr_->setPixmap(on ? QPixmap::fromImage(qrImage(displayUrl_->text(), 4)) : QPixmap());
  const QString reception = on ? fromUtf8(server_->receptionUrl()) : QString();
  reception_->setEnabled(!on);
  receptionUrl_->setText(reception);
  receptionQr_->setPixmap(reception.isEmpty() ? QPixmap()
                                              : QPixmap::fromImage(qrImage(reception, 4)));
  showOpenPages(on ? server_->openPages() : 0);
  emit servingChanged(on ? publicUrl_->text() : QString());
}

void VenueDialog::showOpenPages(int pages) {
  pages_->setText(QStringLiteral("開いているページ: %1").arg(serving() ? pages : 0));
}

void VenueDialog::print() {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) printSheet(printer);
}

void VenueDialog::printSheet(QPrinter& printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const int dpi = printer.resolution();
  const int qrSide = dpi * 2;  // two inches: readable from a phone at arm's length
  QFont font = painter.font();
  font.setPointSize(12);
  painter.setFont(font);
  const int line = painter.fontMetrics().lineSpacing();
  int y = line;
  const std::string name = data::eventName(ws_.table);
  painter.drawText(QRect(0, y, page.width(), line * 2), Qt::AlignLeft,
                   name.empty() ? windowTitle() : fromCp932(name));
  y += line * 3;
  const struct {
    QString caption;
    QString url;
  } parts[] = {
      {QStringLiteral("公開ページ（参加者）"), publicUrl_->text()},
      {QStringLiteral("主催者ページ（キー付き・他人に見せない）"), organiserUrl_->text()},
      {QStringLiteral("掲示用（プロジェクタ）"), displayUrl_->text()},
  };
  for (const auto& part : parts) {
    painter.drawText(QRect(0, y, page.width(), line), Qt::AlignLeft, part.caption);
    y += line;
    painter.drawText(QRect(0, y, page.width(), line * 3), Qt::AlignLeft | Qt::TextWrapAnywhere,
                     part.url);
    y += line * 3;
    const QImage code = qrImage(part.url, 8);
    if (!code.isNull()) {
      painter.drawImage(QRect(0, y, qrSide, qrSide), code);
      y += qrSide + line * 2;
    }
  }
}

}  // namespace toq::ui
