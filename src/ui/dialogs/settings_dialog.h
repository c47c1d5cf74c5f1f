#pragma once
// The settings sheet "設定" (SettingsDialog) with its one page (PairingOptionsPage): the three
// pairing options as check boxes, OK and キャンセル only.

#include <QDialog>

#include "pairing/options.h"

class QCheckBox;
class QTabWidget;

namespace toq::ui {

/// The page: the three check boxes.
class PairingOptionsPage : public QWidget {
  Q_OBJECT

 public:
  explicit PairingOptionsPage(QWidget* parent = nullptr);
  QCheckBox* allowSixPieceHandicaps = nullptr;
  QCheckBox* play2 = nullptr;
  QCheckBox* womanTwice = nullptr;
};

/// The sheet: one tab, OK and キャンセル, no Apply button.
class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(const pairing::PairingOptions& options, QWidget* parent = nullptr);
  /// The options as the check boxes hold them.
  pairing::PairingOptions options() const;
  PairingOptionsPage* page() const { return page_; }
  QTabWidget* tabs() const { return tabs_; }

 private:
  PairingOptionsPage* page_ = nullptr;
  QTabWidget* tabs_ = nullptr;
};

/// Runs the sheet modally; on OK sets the options and answers true (the caller stores
/// "play2"); on キャンセル changes nothing.
bool runSettingsSheet(QWidget* parent, pairing::PairingOptions& options);

}  // namespace toq::ui
