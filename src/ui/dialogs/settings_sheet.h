#pragma once
// The settings sheet "設定" (CProSheet) with its one page (CEnvPage): the three pairing options
// as check boxes, OK and キャンセル only.

#include <QDialog>

#include "pairing/options.h"

class QCheckBox;
class QTabWidget;

namespace toq::ui {

/// The page: the three check boxes.
class CEnvPage : public QWidget {
  Q_OBJECT

 public:
  explicit CEnvPage(QWidget* parent = nullptr);
  QCheckBox* rokumaioti = nullptr;
  QCheckBox* play2 = nullptr;
  QCheckBox* womanTwice = nullptr;
};

/// The sheet: one tab, OK and キャンセル, no Apply button.
class CProSheet : public QDialog {
  Q_OBJECT

 public:
  CProSheet(const pairing::PairingOptions& options, QWidget* parent = nullptr);
  /// The options as the check boxes hold them.
  pairing::PairingOptions options() const;
  CEnvPage* page() const { return page_; }
  QTabWidget* tabs() const { return tabs_; }

 private:
  CEnvPage* page_ = nullptr;
  QTabWidget* tabs_ = nullptr;
};

/// Runs the sheet modally; on OK sets the options and answers true (the caller stores
/// "play2"); on キャンセル changes nothing.
bool runSettingsSheet(QWidget* parent, pairing::PairingOptions& options);

}  // namespace toq::ui
