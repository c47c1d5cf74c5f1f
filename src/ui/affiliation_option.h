#pragma once
// The option "同じ所属どうしを避ける" beside the pairing check boxes: a check box and the
// rounds it covers (1回戦のみ / N回戦まで / すべての回戦).

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace toq::ui {

class AffiliationOption : public QWidget {
  Q_OBJECT

 public:
  explicit AffiliationOption(QWidget* parent = nullptr);

  /// The rounds covered, counted from the first: 0 off, kAffiliationEveryRound for all.
  int rounds() const;
  /// Shows a stored value; values between the listed ones are shown as the next larger.
  void setRounds(int rounds);

  QCheckBox* checkBox() const { return check_; }
  QComboBox* roundsBox() const { return rounds_; }

 signals:
  void changed();

 private:
  QCheckBox* check_ = nullptr;
  QComboBox* rounds_ = nullptr;
};

}  // namespace toq::ui
