// The commands on one participant's games, from the menu "対戦表" and the context menu: an
// opponent or a bye set by hand, cancelling the row's last pairing, the result, the handicap.
#include "edit/handicap_edits.h"
#include "edit/pairing_edits.h"
#include "edit/results.h"
#include "ui/commands.h"
#include "ui/dialogs/handicap_dialog.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace toq::ui {

int Commands::selectedParticipant() const {
  return view::rowOfLine(view_.selectedRow());
}

bool Commands::clickedRoundCell(int& row, int& round) const {
  const int line = view_.clickedLine();
  if (line < 0) return false;
  row = view::rowOfLine(line);
  round = view::roundOfColumn(view_.clickedColumn());
  return ws_.table.validRow(row) && ws_.table.validRound(round);
}

void Commands::setOpponent() {
  const int k = selectedParticipant();
  if (k < 0) return;
  view_.readOptions();
  const edit::Outcome o = edit::setOpponent(ws_, ui_, k, [this](const edit::OpponentChoices& d) {
    return OpponentDialog::choose(d, &window_);
  });
  if (o.changed) afterTableChange();
}

void Commands::setBye() {
  const int k = selectedParticipant();
  if (k < 0) return;
  if (edit::setBye(ws_, ui_, k).changed) afterTableChange();
}

void Commands::cancelPairing() {
  const int k = selectedParticipant();
  if (k < 0) return;
  if (edit::cancelLastPairing(ws_, ui_, k).changed) afterTableChange();
}

void Commands::enterResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return;
  const edit::Outcome o = edit::enterResult(
      ws_, ui_, row, round,
      [this](const edit::ResultQuestion& d) { return ResultDialog::choose(d, &window_); });
  if (o.changed) afterTableChange();
}

void Commands::handicapAndResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return;
  const edit::Outcome o =
      edit::setHandicapAndResult(ws_, ui_, row, round, [this](const edit::HandicapQuestion& d) {
        return HandicapResultDialog::choose(d, &window_);
      });
  if (o.changed) afterTableChange();
}

void Commands::handicap() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return;
  const edit::Outcome o = edit::setHandicap(
      ws_, ui_, row, round,
      [this](const edit::HandicapQuestion& d) { return HandicapDialog::choose(d, &window_); });
  if (o.changed) afterTableChange();
}

}  // namespace toq::ui
