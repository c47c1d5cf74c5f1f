#include "ui/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace toq::ui {

namespace {

const QString kAllFiles = QStringLiteral("すべてのファイル(*.*)");

QString chosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

// An open dialog for an existing file.
void prepareOpen(QFileDialog& dialog, const QString& folder) {
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
}

// A save dialog: the command asks about an existing file itself.
QString runSave(QWidget* parent, const QString& title, const QString& filter, const QString& suffix,
                const QString& suggested, const QString& folder) {
  QFileDialog dialog(parent, title);
  dialog.setObjectName(QStringLiteral("saveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (!suggested.isEmpty()) dialog.selectFile(suggested);
  return chosenFile(dialog);
}

}  // namespace

QString chooseTableToOpen(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QStringLiteral("対戦表ファイルの読み込み"));
  dialog.setObjectName(QStringLiteral("openTableDialog"));
  prepareOpen(dialog, folder);
  dialog.setNameFilters({QStringLiteral("対戦表(*.tai)"), kAllFiles});
  dialog.selectNameFilter(QStringLiteral("対戦表(*.tai)"));
  dialog.setDefaultSuffix(QStringLiteral("tai"));
  return chosenFile(dialog);
}

QString chooseNameList(QWidget* parent, const QString& folder, int& filter) {
  const QStringList filters = {QStringLiteral("対局者(*.txt)"), kAllFiles};
  QFileDialog dialog(parent, QStringLiteral("対局者ファイルを開く"));
  dialog.setObjectName(QStringLiteral("nameListDialog"));
  prepareOpen(dialog, folder);
  dialog.setNameFilters(filters);
  const int preselected = filter == 1 ? 1 : 0;
  dialog.selectNameFilter(filters[preselected]);
  dialog.setDefaultSuffix(preselected == 1 ? QStringLiteral("KI2") : QStringLiteral("TXT"));
  const QString chosen = chosenFile(dialog);
  if (!chosen.isEmpty()) filter = filters.indexOf(dialog.selectedNameFilter()) == 1 ? 1 : 0;
  return chosen;
}

QString chooseTableSaveName(QWidget* parent, const QString& suggested, const QString& folder) {
  return runSave(parent, QStringLiteral("名前を付けて保存"), QStringLiteral("対戦表(*.tai)"),
                 QStringLiteral("tai"), suggested, folder);
}

QString chooseCsvSaveName(QWidget* parent, const QString& suggested, const QString& folder) {
  return runSave(parent, QStringLiteral("CSVファイルの保存"), QStringLiteral("CSVファイル(*.csv)"),
                 QStringLiteral("csv"), suggested, folder);
}

}  // namespace toq::ui
