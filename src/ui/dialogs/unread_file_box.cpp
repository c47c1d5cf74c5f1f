#include "ui/dialogs/unread_file_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/plain_text_rule.h"

namespace toq::ui {

bool askOpenBackup(QWidget* parent, const QString& fault) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("ファイルを全部は読めません"),
                  fault + QStringLiteral("\n\nこのままでは上書きしません。どちらを開きますか？"),
                  QMessageBox::NoButton, parent);
  makePlain(box);
  box.setObjectName(QStringLiteral("unreadFileBox"));
  QPushButton* backup =
      box.addButton(QStringLiteral("バックアップ（.bak）を開く(&B)"), QMessageBox::AcceptRole);
  QPushButton* readOnly =
      box.addButton(QStringLiteral("読み取り専用で開く(&R)"), QMessageBox::RejectRole);
  box.setDefaultButton(readOnly);
  box.setEscapeButton(readOnly);
  box.exec();
  return box.clickedButton() == backup;
}

}  // namespace toq::ui
