#include "edit/result_entry.h"

#include "edit/disagreements.h"
#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// The message for a cell that holds no game; the opponent code tells which.
const char* noGameText(int code) {
  if (code == data::kBye) return texts::kNoGameBye;
  if (code == data::kAbsent) return texts::kNoGameAbsent;
  return texts::kNoGameYet;
}

}  // namespace

Outcome enterResult(Workspace& ws, services::Services& ui, int row, int round,
                    const ResultChooser& choose, ResultEntryRule rule) {
  data::Table& t = ws.table;
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (!checkRound(t, round, ui)) return stopped(Stop::BadIndex);
  const std::optional<ResultQuestion> question = resultQuestion(ws, ui, row, round);
  if (!question) {
    if (rule == ResultEntryRule::Window) return stopped(Stop::NothingToDo);
    ui.errorBox(text::format(noGameText(t.opponent[row][round]), round + 1,
                             rowNameUtf8(ws, row, ui).c_str()));
    return stopped(Stop::Refused);
  }
  const std::optional<int> code = choose ? choose(*question) : std::nullopt;
  if (!code) return stopped(Stop::Declined);
  const int other = question->other;
  if (!isResultCode(*code) || (rule == ResultEntryRule::Desk && *code == data::kResultNone)) {
    ui.errorBox(texts::kBadResultChoice);
    return stopped(Stop::Refused);
  }
  if (rule == ResultEntryRule::Desk &&
      (data::hasResult(t.result[row][round]) || data::hasResult(t.result[other][round]))) {
    // The second player of the board agrees: confirmed, nothing changes.
    if (t.result[row][round] == *code) {
      ui.statusMessage(texts::kResultConfirmed);
      Outcome confirmed;
      confirmed.code = 0;
      confirmed.round = round;
      confirmed.row = row;
      confirmed.other = other;
      return confirmed;
    }
    noteDisagreement(ws, row, round, *code);
    ui.errorBox(text::format(texts::kResultAlreadyEntered, round + 1,
                             rowNameUtf8(ws, row, ui).c_str(), rowNameUtf8(ws, other, ui).c_str()));
    return stopped(Stop::Refused);
  }
  storeResult(t, round, row, other, *code);
  Outcome done;
  done.round = round;
  done.row = row;
  done.other = other;
  done = saveTable(ws, ui, done);
  ui.statusMessage(text::format(texts::kOpenGames, t.OpenGames(round)));
  return done;
}

Outcome enterResultCode(Workspace& ws, services::Services& ui, int row, int round, int result,
                        ResultEntryRule rule) {
  return enterResult(ws, ui, row, round, given(result), rule);
}

}  // namespace toq::edit
