#include "edit/pairing_edits.h"

#include <algorithm>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "pairing/sides.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// The first row in table order that holds the player and has no opponent in the round,
// never the row being paired itself.
int freeRowOf(const data::Table& t, int number, int round, int except) {
  for (int j = 0; j < usedRows(t); ++j)
    if (j != except && t.participants[j] == number && t.opponent[j][round] == data::kUnpaired)
      return j;
  return -1;
}

// Handicap and sides of the one new game, decided as the round-wide assignment decides a
// game: from its lower row, then its higher row. Other games of the round keep what was set
// for them, by hand or otherwise.
void assignNewGame(Workspace& ws, services::Services& ui, int round, int a, int b) {
  ws.table.handicap[a][round] = 0;
  ws.table.handicap[b][round] = 0;
  auto ctx = ws.context(ui);
  pairing::assignHandicapForRow(ctx, round, std::min(a, b));
  pairing::assignHandicapForRow(ctx, round, std::max(a, b));
}

void clearEntry(data::Table& t, int row, int round) {
  t.opponent[row][round] = data::kUnpaired;
  t.side[row][round] = data::kSideUndecided;
  t.handicap[row][round] = 0;
  t.result[row][round] = data::kResultNone;
}

}  // namespace

Outcome setOpponent(Workspace& ws, services::Services& ui, int row, const OpponentChooser& choose) {
  data::Table& t = ws.table;
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  std::optional<OpponentChoices> dialog = opponentChoices(ws, ui, row);
  if (!dialog) return stopped(Stop::NothingToDo);
  const int r = dialog->round;
  std::optional<int> choice = choose ? choose(*dialog) : std::nullopt;
  if (!choice) return stopped(Stop::Declined);

  Outcome done;
  done.round = r;
  done.row = row;
  if (*choice == data::kBye) {
    t.opponent[row][r] = data::kBye;
    return saveTable(ws, ui, done);
  }
  if (*choice == t.participants[row]) {
    ui.errorBox(texts::kOwnOpponent);
    return stopped(Stop::Refused);
  }
  const int j = freeRowOf(t, *choice, r, row);
  if (j < 0) {
    ui.errorBox(texts::kOpponentNotFree);
    return stopped(Stop::Refused);
  }
  t.setPair(r, row, j);
  if (ws.deriveHandicaps) assignNewGame(ws, ui, r, row, j);
  done.other = j;
  return saveTable(ws, ui, done);
}

Outcome setBye(Workspace& ws, services::Services& ui, int row) {
  data::Table& t = ws.table;
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  const int r = firstFreeRound(t, row);
  if (r < 0) return stopped(Stop::NothingToDo);
  t.opponent[row][r] = data::kBye;
  Outcome done;
  done.round = r;
  done.row = row;
  return saveTable(ws, ui, done);
}

Outcome cancelLastPairing(Workspace& ws, services::Services& ui, int row) {
  data::Table& t = ws.table;
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  const int free = firstFreeRound(t, row);
  const int i = free < 0 ? usedRounds(t) : free;
  const int r = i - 1;
  if (r < 0) return stopped(Stop::NothingToDo);

  const int e = t.opponent[row][r];
  const int partner = t.opponentRow(row, r);
  const std::string name = rowNameUtf8(ws, row, ui);
  std::string question;
  if (e == data::kBye) {
    question = text::format(texts::kCancelByeQuestion, i, name.c_str());
  } else if (partner >= 0) {
    question = text::format(texts::kCancelGameQuestion, i, name.c_str(),
                            rowNameUtf8(ws, partner, ui).c_str());
  } else {
    // An absence, or a code no row stands for (a damaged file): cancelled like a bye.
    question = text::format(texts::kCancelOtherQuestion, i, name.c_str(),
                            e == data::kAbsent ? texts::kAbsentWord : texts::kUnknownWord);
  }
  if (!ui.askYesNo(question, services::kWarningCaption)) return stopped(Stop::Declined);

  clearEntry(t, row, r);
  // The partner's entry is cleared only when it names this row back, so that a damaged file
  // cannot make this cancel another game.
  if (partner >= 0 && t.opponent[partner][r] == row) clearEntry(t, partner, r);
  Outcome done;
  done.round = r;
  done.row = row;
  done.other = partner;
  return saveTable(ws, ui, done);
}

}  // namespace toq::edit
