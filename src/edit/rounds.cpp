#include "edit/rounds.h"

#include <utility>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/unsaved.h"
#include "text/format.h"

namespace toq::edit {

Outcome cancelLatestRound(Workspace& ws, services::Services& ui) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  const int r = t.LastPairedRound();
  if (r < 0 || r >= data::kMaxRounds) {
    ui.errorBox(text::format(texts::kNoPairedRound, r));
    return stopped(Stop::Refused);
  }
  if (!ui.askYesNo(text::format(texts::kCancelRoundQuestion, r + 1), services::kQuestionCaption))
    return stopped(Stop::Declined);
  t.ClearRound(r);
  Outcome done;
  done.round = r;
  done = saveTable(ws, ui, done);
  ui.statusMessage(texts::kPairingsCancelled);
  return done;
}

Outcome cancelAllPairings(Workspace& ws, services::Services& ui) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (!ui.askYesNo(texts::kCancelAllQuestion, services::kQuestionCaption))
    return stopped(Stop::Declined);
  t.ResetEntries();
  // Written at once like every other change, so that a program ended now does not bring the
  // pairings back.
  const Outcome done = saveTable(ws, ui, Outcome{});
  ui.statusMessage(texts::kPairingsCancelled);
  return done;
}

Outcome changeNumberOfGames(Workspace& ws, services::Services& ui, const GamesChooser& choose) {
  data::Table& t = ws.table;
  GamesQuestion dialog;
  dialog.current = t.numberOfGames;
  std::optional<int> choice = choose ? choose(dialog) : std::nullopt;
  if (!choice) return stopped(Stop::Declined);
  const int m = *choice;
  if (m < kMinGames || m > kMaxGames) {
    ui.errorBox(text::format(texts::kGamesRange, kMinGames, kMaxGames));
    return stopped(Stop::Refused);
  }
  const int n = t.numberOfGames;
  if (m > n) {
    for (int k = n; k < m; ++k) t.ClearRound(k);
  } else if (m < t.LastPairedRound() + 1) {
    ui.errorBox(texts::kGamesBelowPaired);
    return stopped(Stop::Refused);
  }
  t.numberOfGames = m;
  Outcome done;
  done.other = m;
  if (t.participantCount > 0) return saveTable(ws, ui, done);
  // A table without participants yet is written as well: the count is set before anyone
  // arrives, and it is a change like any other.
  done.changed = true;
  done.saved = writeTable(ws, ui, true) == 0;
  done.code = done.saved ? 0 : -2;
  return done;
}

Outcome exchangeByes(Workspace& ws, services::Services& ui, int rowA, int rowB) {
  data::Table& t = ws.table;
  if (!checkRow(t, rowA, ui) || !checkRow(t, rowB, ui)) return stopped(Stop::BadIndex);
  if (rowA == rowB) {
    ui.errorBox(texts::kByesSameRow);
    return stopped(Stop::Refused);
  }
  // With no game anywhere no entry names a row, so moving the entries keeps every pair whole.
  if (t.AnyEntryState(1) != 0) {
    ui.errorBox(texts::kByesWithGames);
    return stopped(Stop::Refused);
  }
  for (int k = 0; k < usedRounds(t); ++k) {
    std::swap(t.opponent[rowA][k], t.opponent[rowB][k]);
    std::swap(t.side[rowA][k], t.side[rowB][k]);
    std::swap(t.handicap[rowA][k], t.handicap[rowB][k]);
    std::swap(t.result[rowA][k], t.result[rowB][k]);
  }
  Outcome done;
  done.row = rowA;
  done.other = rowB;
  return saveTable(ws, ui, done);
}

bool allResultsIn(const data::Table& table) {
  const int latest = table.LastPairedRound();
  return latest >= 0 && table.LastCompletedRound() == latest && latest + 1 < table.rounds();
}

}  // namespace toq::edit
