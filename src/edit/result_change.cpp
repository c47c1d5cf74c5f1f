#include "edit/result_change.h"

#include <string>

#include "edit/guards.h"

namespace toq::edit {

namespace {

constexpr const char* kChangeQuestion = "%d回戦 %s–%s の結果（%sの%s）を%sに変更しますか？";
constexpr const char* kCleared = "未入力";

const char* resultWord(int code) {
  switch (code) {
    case data::kWin:
      return "勝ち";
    case data::kLoss:
      return "負け";
    case data::kDraw:
      return "引き分け";
    default:
      return kCleared;
  }
}

}  // namespace

bool confirmResultChange(const Workspace& ws, services::Services& ui, int row, int round,
                         std::int16_t result) {
  const data::Table& t = ws.table;
  // A locked table or a cell out of range is refused by the entry itself, without a question.
  if (t.lockFlag != 0 || !t.validRow(row) || !t.validRound(round)) return true;
  const int other = t.opponentRow(row, round);
  if (other < 0 || other == row) return true;
  const int stored = t.result[row][round];
  if (!data::hasResult(stored) || stored == result) return true;
  const std::string name = rowNameUtf8(ws, row, ui);
  const std::string otherName = rowNameUtf8(ws, other, ui);
  const std::string now = data::hasResult(result) ? name + "の" + resultWord(result) : kCleared;
  // No is the default: a stray Enter keeps the result.
  return ui.askYesNoDefaultNo(
      text::format(kChangeQuestion, round + 1, name.c_str(), otherName.c_str(), name.c_str(),
                   resultWord(stored), now.c_str()),
      services::kQuestionCaption);
}

}  // namespace toq::edit
