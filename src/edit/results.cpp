#include "edit/results.h"

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "text/format.h"

namespace toq::edit {

const char* const kResultNames[kResultPositions] = {"勝ち", "負け", "引き分け", "取り消し"};

int resultPosition(int result) {
  switch (result) {
    case data::kWin:
      return 0;
    case data::kLoss:
      return 1;
    case data::kDraw:
      return 2;
    default:
      return 3;
  }
}

const char* resultName(int result) {
  return kResultNames[resultPosition(result)];
}

bool isResultCode(int result) {
  for (std::int16_t code : kResultCodes)
    if (code == result) return true;
  return false;
}

void storeResult(data::Table& table, int round, int row, int other, int result) {
  table.result[row][round] = static_cast<std::int16_t>(result);
  table.result[other][round] = data::oppositeResult(static_cast<std::int16_t>(result));
}

bool applyResultPosition(data::Table& table, int round, int row, int other, int position) {
  if (position < 0 || position >= kResultPositions) return false;
  storeResult(table, round, row, other, kResultCodes[position]);
  return true;
}

std::optional<ResultQuestion> resultQuestion(const Workspace& ws, services::Services& ui, int row,
                                             int round) {
  const data::Table& t = ws.table;
  if (row < 0 || row >= usedRows(t) || round < 0 || round >= usedRounds(t)) return std::nullopt;
  const int e = t.opponentRow(row, round);
  if (e < 0) return std::nullopt;
  ResultQuestion d;
  d.row = row;
  d.round = round;
  d.other = e;
  d.caption =
      formatCp932(texts::kResultCaption, rowName(ws, row, ui).c_str(), rowName(ws, e, ui).c_str());
  d.label = formatCp932(texts::kResultLabel, round + 1);
  d.result = t.result[row][round];
  return d;
}

Outcome randomResults(Workspace& ws, services::Services& ui) {
  data::Table& t = ws.table;
  const int r = t.FirstIncompleteRound();
  if (r < 0 || r >= data::kMaxRounds) {
    ui.errorBox(texts::kResultsComplete);
    return stopped(Stop::Refused);
  }
  if (!ui.askYesNo(text::format(texts::kRandomResultsQuestion, r + 1), services::kQuestionCaption))
    return stopped(Stop::Declined);
  // Each game is drawn from both of its rows; the later draw stands.
  for (int k = 0; k < usedRows(t); ++k) {
    const int e = t.opponentRow(k, r);
    if (e < 0) continue;
    t.result[k][r] = ws.random.coin() ? data::kWin : data::kLoss;
    t.result[e][r] = data::oppositeResult(t.result[k][r]);
  }
  Outcome done;
  done.round = r;
  return saveTable(ws, ui, done);
}

}  // namespace toq::edit
