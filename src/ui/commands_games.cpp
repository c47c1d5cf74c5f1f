// The commands on one participant's games, from the menu "対戦表" and the context menu: an
// opponent or a bye set by hand, cancelling the row's last pairing, the result, the handicap.
#include "edit/bye_proposal.h"
#include "edit/handicap_edits.h"
#include "edit/pairing_edits.h"
#include "edit/result_sheet.h"
#include "edit/results.h"
#include "ui/commands.h"
#include "ui/dialogs/handicap_dialog.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"
#include "view/result_keys.h"

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
  if (ws_.table.lockFlag == 0 && !edit::confirmSecondBye(ws_, ui_, k)) return;
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

void Commands::resultKey(int row, int round, int result) {
  key_ = {row, round, result};
  run(view::Command::ResultKey);
}

void Commands::enterResultKey() {
  const edit::Outcome o = edit::enterResultCode(ws_, ui_, key_.row, key_.round, key_.result);
  if (o.changed) afterTableChange();
  if (!o.done() && !o.changed) return;  // refused: the cell stays
  // On to the next game of the round without a result.
  if (const std::optional<int> next = view::nextRowWithoutResult(ws_.table, key_.row, key_.round))
    view_.setCurrentCell(view::firstLineOfRow(*next), view::columnOfRound(key_.round));
}

void Commands::resultSheet() {
  const edit::Outcome o = edit::enterResultSheet(ws_, ui_, [this](const edit::ResultSheet& sheet) {
    // From a cell's context menu the sheet opens on that cell's round.
    edit::ResultSheet shown = sheet;
    for (std::size_t i = 0; i < shown.rounds.size(); ++i)
      if (shown.rounds[i].round == contextRound_) shown.initial = static_cast<int>(i);
    return ResultSheetDialog::choose(shown, &window_);
  });
  sheetRound_ = o.round;
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
