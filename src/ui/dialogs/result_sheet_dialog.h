#pragma once
// ResultSheetDialog: a round's result sheet from the core's list. One line per game in board
// order (board, both players with their sides, the handicap, the result as a choice), the
// participants without a game below it, and a chooser of every paired round. Made for the
// keyboard: Up and Down move between games, 1, 2, 3 and 0 choose (and go on to the next
// game), Enter is OK; the focus starts on the first game. The current game's line is
// highlighted, and a key that would change a result already entered asks first.

#include <QDialog>
#include <QList>
#include <optional>

#include "edit/result_sheet.h"

class QComboBox;
class QLabel;
class QScrollArea;

namespace toq::ui {

class ResultSheetDialog : public QDialog {
  Q_OBJECT

 public:
  ResultSheetDialog(const edit::ResultSheet& sheet, QWidget* parent = nullptr);

  /// The round shown and the choice of each of its games, in board order.
  edit::ResultSheetAnswer answer() const;
  QComboBox* roundList() const { return rounds_; }
  /// The result choice of each game of the round shown, in board order.
  const QList<QComboBox*>& games() const { return games_; }
  /// The participants of the round shown who have no game, one per line.
  QLabel* sittingOut() const { return sittingOut_; }
  QScrollArea* scrollArea() const { return scroll_; }
  /// The index of the highlighted game of the round shown; -1 when none.
  int highlightedGame() const { return highlighted_; }

  /// Runs the dialog: the answer on OK, none on キャンセル.
  static std::optional<edit::ResultSheetAnswer> choose(const edit::ResultSheet& sheet,
                                                       QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showRound(int index);
  void focusGame(int index);
  /// Gives the game's line the highlight background (and takes it from the one before).
  void highlightGame(int index);
  /// True when the key's choice may replace the game's choice: it has no stored result, or
  /// the organiser says so.
  bool confirmChange(int index, int choice);
  const edit::RoundSheet* roundShown() const;

  edit::ResultSheet sheet_;
  QComboBox* rounds_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QLabel* sittingOut_ = nullptr;
  QList<QComboBox*> games_;
  QList<QList<QWidget*>> lines_;  ///< the widgets of each game's line
  int highlighted_ = -1;
};

}  // namespace toq::ui
