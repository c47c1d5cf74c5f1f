#include "ui/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace toq::ui {

QString versionText() {
  return QString::asprintf("TOQ Version %s", "0.60");
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/toq.png")).pixmap(48, 48));
  icon->setAccessibleName(QStringLiteral("TOQ"));
  auto* version = new QLabel(versionText(), this);
  version->setObjectName("version");
  auto* second = new QLabel(QStringLiteral("将棋大会のスイス式組み合わせ"), this);
  auto* texts = new QVBoxLayout;
  texts->addWidget(version);
  texts->addWidget(second);
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addLayout(texts);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  buttons->button(QDialogButtonBox::Ok)->setFocus();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
}

}  // namespace toq::ui
