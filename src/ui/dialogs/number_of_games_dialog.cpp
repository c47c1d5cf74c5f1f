#include "ui/dialogs/number_of_games_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "edit/edit_texts.h"
#include "text/format.h"
#include "ui/dialogs/dialog_buttons.h"

namespace toq::ui {

namespace {

// Anything of up to three digits can be typed, so that a value outside the range reaches the
// range message instead of being silently held back.
constexpr int kTypedMax = 999;

// The spin arrows step within [min, spinMax]; typing reaches further.
class GamesSpin : public QSpinBox {
 public:
  GamesSpin(int min, int spinMax, QWidget* parent) : QSpinBox(parent), min_(min), max_(spinMax) {
    setRange(0, kTypedMax);
  }

  void stepBy(int steps) override {
    interpretText();
    setValue(std::clamp(value() + steps, min_, max_));
    selectAll();
  }

 protected:
  StepEnabled stepEnabled() const override {
    StepEnabled enabled = StepNone;
    if (value() < max_) enabled |= StepUpEnabled;
    if (value() > min_) enabled |= StepDownEnabled;
    return enabled;
  }

 private:
  int min_;
  int max_;
};

}  // namespace

NumberOfGamesDialog::NumberOfGamesDialog(const edit::GamesQuestion& dialog, services::Services& ui,
                                         QWidget* parent)
    : QDialog(parent), ui_(ui), range_(dialog), games_(dialog.current) {
  setWindowTitle(QStringLiteral("試合数の変更"));
  box_ = new GamesSpin(dialog.min, dialog.spinMax, this);
  box_->setValue(dialog.current);
  box_->setFocus();  // the first choice, for the keyboard
  auto* grid = new QGridLayout;
  addLabelledRow(grid, 0, QStringLiteral("試合数："), box_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

void NumberOfGamesDialog::accept() {
  bool ok = false;
  const int value = box_->cleanText().trimmed().toInt(&ok);
  if (!ok || value < range_.min || value > range_.max) {
    ui_.warningBox(text::format(edit::texts::kGamesRange, range_.min, range_.max),
                   services::kAppCaption);
    box_->setFocus();
    box_->selectAll();
    return;
  }
  games_ = value;
  QDialog::accept();
}

std::optional<int> NumberOfGamesDialog::ask(const edit::GamesQuestion& dialog,
                                            services::Services& ui, QWidget* parent) {
  NumberOfGamesDialog d(dialog, ui, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.games();
}

}  // namespace toq::ui
