#include "edit/opponent_choices.h"

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "pairing/compat.h"
#include "text/cp932.h"

namespace toq::edit {

namespace {

// A player with several consecutive rows is offered once: a row is skipped when it holds the
// same player as the line added just before it.
bool repeatsLastLine(const OpponentChoices& dialog, int number) {
  return !dialog.entries.empty() && dialog.entries.back().number == number;
}

}  // namespace

std::optional<OpponentChoices> opponentChoices(const Workspace& ws, services::Services& ui,
                                               int row) {
  const data::Table& t = ws.table;
  if (row < 0 || row >= usedRows(t)) return std::nullopt;
  const int r = firstFreeRound(t, row);
  if (r < 0) return std::nullopt;

  OpponentChoices dialog;
  dialog.row = row;
  dialog.round = r;
  dialog.title = formatCp932(texts::kOpponentDialogTitle, r + 1, rowName(ws, row, ui).c_str());

  const int own = t.participants[row];
  for (int k = 0; k < usedRows(t); ++k) {
    const int number = t.participants[k];
    if (!pairing::canPair(t, ws.players, r, row, k) || repeatsLastLine(dialog, number)) continue;
    dialog.entries.push_back({rowName(ws, k, ui), number});
  }
  dialog.entries.push_back({text::sj(texts::kByeEntry), data::kBye});
  dialog.entries.push_back({text::sj(texts::kMetSeparator), data::kBye});
  for (int k = 0; k < usedRows(t); ++k) {
    const int number = t.participants[k];
    if (k == row || number == own || t.opponent[k][r] != data::kUnpaired) continue;
    const int met = pairing::meetings(t, r, row, k);
    if (met < 1 || repeatsLastLine(dialog, number)) continue;
    const std::string name = rowName(ws, k, ui);
    dialog.entries.push_back(
        {met == 1 ? name : formatCp932(texts::kMetTimes, name.c_str(), met), number});
  }
  return dialog;
}

}  // namespace toq::edit
