#pragma once
// HandicapDialog "手合割りの設定": the handicap and the sides of one game. The side list can be
// used only for an even game; in a handicap game the giver and the receiver follow from the
// ratings.

#include <QDialog>
#include <optional>

#include "edit/handicap_edits.h"

class QComboBox;
class QGridLayout;

namespace toq::ui {

class HandicapDialog : public QDialog {
  Q_OBJECT

 public:
  HandicapDialog(const edit::HandicapQuestion& dialog, QWidget* parent = nullptr);

  /// The chosen list positions.
  virtual edit::HandicapAnswer answer() const;
  QComboBox* handicapList() const { return handicap_; }
  QComboBox* sideList() const { return side_; }

  /// Runs the dialog: the positions on OK, none on キャンセル.
  static std::optional<edit::HandicapAnswer> choose(const edit::HandicapQuestion& dialog,
                                                    QWidget* parent);

 protected:
  /// Builds the handicap and side rows and the note; `resourceCaption` is shown when the core
  /// gave no title. The grid's next free row is left for a subclass.
  HandicapDialog(const edit::HandicapQuestion& dialog, const QString& resourceCaption,
                 QWidget* parent);
  QGridLayout* grid() const { return grid_; }
  /// Puts the OK and キャンセル buttons under the grid; called once by the most derived class.
  void finishLayout();

 private:
  void followHandicap();

  QComboBox* handicap_ = nullptr;
  QComboBox* side_ = nullptr;
  QGridLayout* grid_ = nullptr;
};

}  // namespace toq::ui
