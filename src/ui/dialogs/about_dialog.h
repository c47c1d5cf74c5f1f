#pragma once
// "バージョン情報": the program's icon, its version and an OK button.

#include <QDialog>

namespace toq::ui {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

/// "TOQ Version 0.60".
QString versionText();

}  // namespace toq::ui
