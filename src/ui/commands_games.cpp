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
#include "ui/question_first.h"
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

Prepared Commands::setOpponent() {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  view_.readOptions();
  return askFirst<edit::OpponentChoices, std::optional<int>>(
      [this, k](const auto& choose) { return edit::setOpponent(ws_, ui_, k, choose); },
      [this](const edit::OpponentChoices& d) { return OpponentDialog::choose(d, &window_); });
}

Prepared Commands::setBye() {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  if (ws_.table.lockFlag == 0 && !edit::confirmSecondBye(ws_, ui_, k))
    return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, k] { return edit::setBye(ws_, ui_, k); });
}

Prepared Commands::cancelPairing() {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  return askQuestionFirst(
      ui_, [this, k](services::Services& ui) { return edit::cancelLastPairing(ws_, ui, k); });
}

Prepared Commands::enterResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return Prepared::stop(edit::Stop::NothingToDo);
  return askFirst<edit::ResultQuestion, std::optional<int>>(
      [this, row, round](const auto& choose) {
        return edit::enterResult(ws_, ui_, row, round, choose);
      },
      [this](const edit::ResultQuestion& d) { return ResultDialog::choose(d, &window_); });
}

edit::Outcome Commands::enterResultKey(const CellKey& key) {
  return edit::enterResult(ws_, ui_, key.row, key.round, edit::given(key.result));
}

void Commands::goOnFromResult(int row, int round) {
  if (const std::optional<int> next = view::nextRowWithoutResult(ws_.table, row, round))
    view_.setCurrentCell(view::firstLineOfRow(*next), view::columnOfRound(round));
}

Prepared Commands::resultSheet(const CellKey& at) {
  return askFirst<edit::ResultSheet, std::optional<edit::ResultSheetAnswer>>(
      [this](const auto& choose) { return edit::enterResultSheet(ws_, ui_, choose); },
      [this, round = at.round](const edit::ResultSheet& sheet) {
        // On a cell (from its context menu) the sheet opens on that cell's round.
        edit::ResultSheet shown = sheet;
        for (std::size_t i = 0; i < shown.rounds.size(); ++i)
          if (shown.rounds[i].round == round) shown.initial = static_cast<int>(i);
        return ResultSheetDialog::choose(shown, &window_);
      });
}

Prepared Commands::handicapAndResult() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return Prepared::stop(edit::Stop::NothingToDo);
  return askFirst<edit::HandicapQuestion, std::optional<edit::HandicapAnswer>>(
      [this, row, round](const auto& choose) {
        return edit::setHandicapAndResult(ws_, ui_, row, round, choose);
      },
      [this](const edit::HandicapQuestion& d) {
        return HandicapResultDialog::choose(d, &window_);
      });
}

Prepared Commands::handicap() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return Prepared::stop(edit::Stop::NothingToDo);
  return askFirst<edit::HandicapQuestion, std::optional<edit::HandicapAnswer>>(
      [this, row, round](const auto& choose) {
        return edit::setHandicap(ws_, ui_, row, round, choose);
      },
      [this](const edit::HandicapQuestion& d) { return HandicapDialog::choose(d, &window_); });
}

}  // namespace toq::ui
