#include "ui/dialogs/settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace toq::ui {

namespace {

// The page that was active when the sheet last closed, for the whole run.
int rememberedPage = 0;

}  // namespace

PairingOptionsPage::PairingOptionsPage(QWidget* parent) : QWidget(parent) {
  allowSixPieceHandicaps = new QCheckBox(QStringLiteral("手合割を六枚落ちまでとする(&6)"), this);
  play2 = new QCheckBox(QStringLiteral("棋士と２度対局可能とする(&2)"), this);
  womanTwice = new QCheckBox(QStringLiteral("女流棋士と２度対局可能とする(&J)"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(allowSixPieceHandicaps);
  layout->addWidget(play2);
  layout->addWidget(womanTwice);
  layout->addStretch(1);
}

SettingsDialog::SettingsDialog(const pairing::PairingOptions& options, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("設定"));
  tabs_ = new QTabWidget(this);
  page_ = new PairingOptionsPage(tabs_);
  tabs_->addTab(page_, QStringLiteral("設定"));
  tabs_->setCurrentIndex(std::min(rememberedPage, tabs_->count() - 1));
  page_->allowSixPieceHandicaps->setChecked(options.allowSixPieceHandicaps);
  page_->play2->setChecked(options.play2);
  page_->womanTwice->setChecked(options.womanProfessionalTwice);
  page_->allowSixPieceHandicaps->setFocus();  // the first choice, for the keyboard

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(this, &QDialog::finished, this, [this] { rememberedPage = tabs_->currentIndex(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
}

pairing::PairingOptions SettingsDialog::options() const {
  pairing::PairingOptions o;
  o.allowSixPieceHandicaps = page_->allowSixPieceHandicaps->isChecked();
  o.play2 = page_->play2->isChecked();
  o.womanProfessionalTwice = page_->womanTwice->isChecked();
  return o;
}

bool runSettingsSheet(QWidget* parent, pairing::PairingOptions& options) {
  SettingsDialog sheet(options, parent);
  if (sheet.exec() != QDialog::Accepted) return false;
  options = sheet.options();
  return true;
}

}  // namespace toq::ui
