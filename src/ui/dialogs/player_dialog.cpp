#include "ui/dialogs/player_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/placeholder_fit.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

// Characters, not bytes: the register's own 255-byte limit is checked when the record is stored.
constexpr int kMaxChars = 255;
constexpr const char* kTooLong = "%1 文字以内で入力してください。";
constexpr const char* kNotInteger = "整数を入力してください。";

int characters(const QString& text) {
  return static_cast<int>(text.toUcs4().size());
}

}  // namespace

PlayerDialog::PlayerDialog(const edit::PlayerForm& form, services::Services& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), acceptedRating_(form.rating) {
  setWindowTitle(form.name.empty() ? QStringLiteral("参加者の新規登録")
                                   : QStringLiteral("棋士データの編集"));
  name_ = new QLineEdit(fromUtf8(form.name), this);
  name_->setFocus();  // the first field, for the keyboard
  shortName_ = new QLineEdit(fromUtf8(form.shortName), this);
  professional_ = new QCheckBox(QStringLiteral("プロ棋士（プロ同士組み合わせない）"), this);
  professional_->setChecked(form.professional);
  rating_ = new QLineEdit(QString::number(form.rating), this);
  affiliation_ = new QLineEdit(fromUtf8(form.affiliation), this);
  setFittingPlaceholder(affiliation_, QStringLiteral("道場・教室・学校など（なければ空欄）"));
  name_->setMinimumWidth(260);

  auto* grid = new QGridLayout;
  addLabelledRow(grid, 0, QStringLiteral("氏名："), name_);
  addLabelledRow(grid, 1, QStringLiteral("省略名："), shortName_);
  grid->addWidget(professional_, 2, 1);
  addLabelledRow(grid, 3, QStringLiteral("レーティング点："), rating_);
  addLabelledRow(grid, 4, QStringLiteral("所属："), affiliation_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

edit::PlayerForm PlayerDialog::form() const {
  return edit::PlayerForm{toUtf8(name_->text()), toUtf8(shortName_->text()), acceptedRating_,
                          professional_->isChecked(), toUtf8(affiliation_->text())};
}

void PlayerDialog::refuse(QLineEdit* field, const QString& message) {
  ui_.warningBox(toUtf8(message), services::kAppCaption);
  field->setFocus();
  field->selectAll();
}

void PlayerDialog::accept() {
  const QString tooLong = fromUtf8(kTooLong).arg(kMaxChars);
  for (QLineEdit* field : {name_, shortName_, affiliation_}) {
    if (characters(field->text()) > kMaxChars) {
      refuse(field, tooLong);
      return;
    }
  }
  bool ok = false;
  const int rating = rating_->text().trimmed().toInt(&ok);
  if (!ok) {
    refuse(rating_, fromUtf8(kNotInteger));
    return;
  }
  acceptedRating_ = rating;
  QDialog::accept();
}

std::optional<edit::PlayerForm> PlayerDialog::ask(const edit::PlayerForm& form,
                                                  services::Services& ui, QWidget* parent) {
  PlayerDialog dialog(form, ui, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.form();
}

}  // namespace toq::ui
