#include "edit/result_entry.h"

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/results.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// "取り消し" is the last list position; the desk stores results only.
constexpr int kClearPosition = kResultPositions - 1;

// The message for a cell that holds no game; the opponent code tells which.
const char* noGameText(int code) {
  if (code == data::kBye) return texts::kNoGameBye;
  if (code == data::kAbsent) return texts::kNoGameAbsent;
  return texts::kNoGameYet;
}

}  // namespace

Outcome enterGivenResult(Workspace& ws, services::Services& ui, int row, int round, int position,
                         ResultEntryRule rule) {
  const data::Table& t = ws.table;
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (!checkRound(t, round, ui)) return stopped(Stop::BadIndex);
  const int other = t.opponentRow(row, round);
  if (other < 0) {
    ui.errorBox(text::format(noGameText(t.opponent[row][round]), round + 1,
                             rowNameUtf8(ws, row, ui).c_str()));
    return stopped(Stop::Refused);
  }
  if (rule == ResultEntryRule::Desk) {
    if (position < 0 || position >= kClearPosition) {
      ui.errorBox(texts::kBadResultChoice);
      return stopped(Stop::Refused);
    }
    if (data::hasResult(t.result[row][round]) || data::hasResult(t.result[other][round])) {
      ui.errorBox(text::format(texts::kResultAlreadyEntered, round + 1,
                               rowNameUtf8(ws, row, ui).c_str(),
                               rowNameUtf8(ws, other, ui).c_str()));
      return stopped(Stop::Refused);
    }
  }
  return enterResult(ws, ui, row, round, given(position));
}

}  // namespace toq::edit
