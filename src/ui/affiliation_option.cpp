#include "ui/affiliation_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QVBoxLayout>

#include "pairing/options.h"

namespace toq::ui {

namespace {
// "N回戦まで" is offered up to this round; later rounds are "すべての回戦".
constexpr int kLastListedRound = 9;
}  // namespace

AffiliationOption::AffiliationOption(QWidget* parent) : QWidget(parent) {
  check_ = new QCheckBox(QStringLiteral("同じ所属どうしを避ける"), this);
  check_->setToolTip(
      QStringLiteral("同じ所属（道場・教室・学校など）の対局者どうしを、組み合わせられる限り"
                     "対戦させません。"));
  rounds_ = new QComboBox(this);
  rounds_->addItem(QStringLiteral("1回戦のみ"), 1);
  for (int n = 2; n <= kLastListedRound; ++n)
    rounds_->addItem(QStringLiteral("%1回戦まで").arg(n), n);
  rounds_->addItem(QStringLiteral("すべての回戦"), pairing::kAffiliationEveryRound);
  rounds_->setAccessibleName(QStringLiteral("同じ所属どうしを避ける回戦"));
  rounds_->setEnabled(false);
  // Two lines, as the pairing check boxes beside it: the form stays narrow.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  rounds_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  layout->addWidget(check_);
  layout->addWidget(rounds_);
  connect(check_, &QCheckBox::toggled, this, [this](bool on) {
    rounds_->setEnabled(on);
    emit changed();
  });
  connect(rounds_, &QComboBox::currentIndexChanged, this, [this] { emit changed(); });
}

int AffiliationOption::rounds() const {
  return check_->isChecked() ? rounds_->currentData().toInt() : 0;
}

void AffiliationOption::setRounds(int rounds) {
  if (rounds > 0) {
    int index = rounds_->count() - 1;
    for (int i = 0; i < rounds_->count(); ++i)
      if (rounds_->itemData(i).toInt() >= rounds) {
        index = i;
        break;
      }
    rounds_->setCurrentIndex(index);
  }
  check_->setChecked(rounds > 0);
}

}  // namespace toq::ui
