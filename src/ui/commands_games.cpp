// The commands on one participant's games, from the menu "対戦表" and the context menu: an
// opponent or a bye set by hand, cancelling the row's last pairing, the result, the handicap.
#include "edit/bye_proposal.h"
#include "edit/handicap_edits.h"
#include "edit/pairing_edits.h"
#include "edit/result_entry.h"
#include "edit/result_sheet.h"
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

edit::Outcome Commands::setOpponent() {
  const int k = selectedParticipant();
  if (k < 0) return edit::stopped(edit::Stop::NothingToDo);
  view_.readOptions();
  const edit::Outcome o = edit::setOpponent(ws_, ui_, k, [this](const edit::OpponentChoices& d) {
    return OpponentDialog::choose(d, &window_);
  });
  return o;
}

edit::Outcome Commands::setBye() {
  const int k = selectedParticipant();
  if (k < 0) return edit::stopped(edit::Stop::NothingToDo);
  if (ws_.table.lockFlag == 0 && !edit::confirmSecondBye(ws_, ui_, k))
    return edit::stopped(edit::Stop::Declined);
  return edit::setBye(ws_, ui_, k);
}

edit::Outcome Commands::cancelPairing() {
  const int k = selectedParticipant();
  if (k < 0) return edit::stopped(edit::Stop::NothingToDo);
  return edit::cancelLastPairing(ws_, ui_, k);
}

edit::Outcome Commands::enterResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return edit::stopped(edit::Stop::NothingToDo);
  return edit::enterResult(ws_, ui_, row, round, [this](const edit::ResultQuestion& d) {
    return ResultDialog::choose(d, &window_);
  });
}

edit::Outcome Commands::enterResultKey(const CellKey& key) {
  return edit::enterResult(ws_, ui_, key.row, key.round, edit::given(key.result));
}

void Commands::goOnFromResult(int row, int round) {
  if (const std::optional<int> next = view::nextRowWithoutResult(ws_.table, row, round))
    view_.setCurrentCell(view::firstLineOfRow(*next), view::columnOfRound(round));
}

edit::Outcome Commands::resultSheet(const CellKey& at) {
  return edit::enterResultSheet(ws_, ui_, [this, &at](const edit::ResultSheet& sheet) {
    // On a cell (from its context menu) the sheet opens on that cell's round.
    edit::ResultSheet shown = sheet;
    for (std::size_t i = 0; i < shown.rounds.size(); ++i)
      if (shown.rounds[i].round == at.round) shown.initial = static_cast<int>(i);
    return ResultSheetDialog::choose(shown, &window_);
  });
}

edit::Outcome Commands::handicapAndResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return edit::stopped(edit::Stop::NothingToDo);
  return edit::setHandicapAndResult(ws_, ui_, row, round, [this](const edit::HandicapQuestion& d) {
    return HandicapResultDialog::choose(d, &window_);
  });
}

edit::Outcome Commands::handicap() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return edit::stopped(edit::Stop::NothingToDo);
  return edit::setHandicap(ws_, ui_, row, round, [this](const edit::HandicapQuestion& d) {
    return HandicapDialog::choose(d, &window_);
  });
}

}  // namespace toq::ui
