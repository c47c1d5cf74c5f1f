#pragma once
// HandicapResultDialog "手合割り・結果の設定": handicap, sides and result of one game together.

#include <QDialog>
#include <optional>

#include "ui/dialogs/handicap_dialog.h"

namespace toq::ui {

class HandicapResultDialog : public HandicapDialog {
  Q_OBJECT

 public:
  HandicapResultDialog(const edit::HandicapQuestion& dialog, QWidget* parent = nullptr);

  /// The chosen positions, the result's included.
  edit::HandicapAnswer answer() const override;
  QComboBox* resultList() const { return result_; }

  /// Runs the dialog: the positions on OK, none on キャンセル.
  static std::optional<edit::HandicapAnswer> choose(const edit::HandicapQuestion& dialog,
                                                    QWidget* parent);

 private:
  QComboBox* result_ = nullptr;
};

}  // namespace toq::ui
