#pragma once
// NumberOfGamesDialog "試合数の変更": the number of games, typed (1 to 32) or stepped with the spin
// arrows (1 to 15).

#include <QDialog>
#include <optional>

#include "edit/rounds.h"
#include "services/services.h"

class QSpinBox;

namespace toq::ui {

class NumberOfGamesDialog : public QDialog {
  Q_OBJECT

 public:
  NumberOfGamesDialog(const edit::GamesQuestion& dialog, services::Services& ui,
                      QWidget* parent = nullptr);

  /// The number as accepted by OK.
  int games() const { return games_; }
  QSpinBox* box() const { return box_; }

  /// Closes only on an integer within the range; otherwise shows the range message.
  void accept() override;

  /// Runs the dialog: the new number on OK, none on キャンセル.
  static std::optional<int> ask(const edit::GamesQuestion& dialog, services::Services& ui,
                                QWidget* parent);

 private:
  services::Services& ui_;
  edit::GamesQuestion range_;
  QSpinBox* box_ = nullptr;
  int games_ = 0;
};

}  // namespace toq::ui
