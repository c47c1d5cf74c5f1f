#include "ui/dialogs/venue_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "data/table.h"
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

  executor_ = new GuiExecutor(ws_, this);
  server::Hooks hooks;
  hooks.changedFromNetwork = [this](const server::NetworkChange& change) {
    if (!closing_) emit changedFromNetwork(fromUtf8(change.label));
  };
  // Arrives on the network thread: the count is shown from the GUI thread.
  hooks.openPagesChanged = [this](int pages) {
    QMetaObject::invokeMethod(
        this, [this, pages] { showOpenPages(pages); }, Qt::QueuedConnection);
  };
  server_ = std::make_unique<server::Server>(*executor_, std::move(hooks));

  auto* where = new QGroupBox(QStringLiteral("公開先"), this);
  local_ = new QRadioButton(QStringLiteral("このコンピュータのみ"), where);
  lan_ = new QRadioButton(QStringLiteral("会場のネットワーク"), where);
  local_->setChecked(true);
  auto* whereLayout = new QVBoxLayout(where);
  whereLayout->addWidget(local_);
  whereLayout->addWidget(lan_);

  port_ = new QSpinBox(this);
  port_->setObjectName(QStringLiteral("port"));
  port_->setRange(0, 65535);
  port_->setSpecialValueText(QStringLiteral("自動"));
  port_->setValue(server::kDefaultPort);
  desk_ = new QCheckBox(QStringLiteral("結果受付（/desk）"), this);
  start_ = new QPushButton(QStringLiteral("開始"), this);
  start_->setObjectName(QStringLiteral("startButton"));
  auto* settings = new QFormLayout;
  settings->addRow(QStringLiteral("ポート(&P):"), port_);
  settings->addRow(desk_);
  settings->addRow(start_);

  publicUrl_ = urlLabel(this, "publicUrl");
  organiserUrl_ = urlLabel(this, "organiserUrl");
  publicQr_ = qrLabel(this, "publicQr");
  organiserQr_ = qrLabel(this, "organiserQr");
  auto* urls = new QGroupBox(QStringLiteral("アドレス"), this);
  auto* grid = new QGridLayout(urls);
  grid->addWidget(new QLabel(QStringLiteral("公開ページ（参加者・プロジェクタ）:"), urls), 0, 0);
  grid->addWidget(publicUrl_, 1, 0);
  grid->addWidget(publicQr_, 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("主催者ページ（キー付き・他人に見せない）:"), urls), 0,
                  1);
  grid->addWidget(organiserUrl_, 1, 1);
  grid->addWidget(organiserQr_, 2, 1);

  pages_ = new QLabel(this);
  pages_->setObjectName(QStringLiteral("openPages"));
  print_ = new QPushButton(QStringLiteral("印刷(&R)..."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(print_, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(where);
  top->addLayout(settings);
  layout->addLayout(top);
  layout->addWidget(urls);
  layout->addWidget(pages_);
  layout->addWidget(buttons);

  connect(start_, &QPushButton::clicked, this, &VenueDialog::toggle);
  connect(print_, &QPushButton::clicked, this, &VenueDialog::print);
  connect(desk_, &QCheckBox::toggled, this, [this](bool on) {
    if (serving()) server_->setResultDesk(on);
  });
  updateState();
  local_->setFocus();
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
    server::Options options;
    options.lan = lan_->isChecked();
    options.port = static_cast<unsigned short>(port_->value());
    options.resultDesk = desk_->isChecked();
    std::string error;
    if (!server_->start(options, &error)) ui_.errorBox(error);
  }
  updateState();
}

void VenueDialog::updateState() {
  const bool on = serving();
  local_->setEnabled(!on);
  lan_->setEnabled(!on);
  port_->setEnabled(!on);
  start_->setText(on ? QStringLiteral("停止(&S)") : QStringLiteral("開始(&S)"));
  print_->setEnabled(on);
  publicUrl_->setText(on ? fromUtf8(server_->publicUrl()) : QStringLiteral("（停止中）"));
  organiserUrl_->setText(on ? fromUtf8(server_->organiserUrl()) : QString());
  publicQr_->setPixmap(on ? QPixmap::fromImage(qrImage(publicUrl_->text(), 4)) : QPixmap());
  organiserQr_->setPixmap(on ? QPixmap::fromImage(qrImage(organiserUrl_->text(), 4)) : QPixmap());
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
      {QStringLiteral("公開ページ（参加者・プロジェクタ）"), publicUrl_->text()},
      {QStringLiteral("主催者ページ（キー付き・他人に見せない）"), organiserUrl_->text()},
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
