#include "edit/absences.h"

#include "edit/edit_texts.h"
#include "edit/guards.h"

namespace toq::edit {

namespace {

constexpr const char* kSitOutGameQuestion =
    "%d回戦 %s 対 %s の対局を取り消して、%sさんをこの回の休場にしますか？";
constexpr const char* kWithdrawGameQuestion =
    "%sさんには%d回戦の対局（相手 %s）が組まれています。この対局を残しますか？\n"
    "はい: 対局を残します（結果はふだんどおり入力します。不戦敗など）。\n"
    "いいえ: 対局を取り消します（相手は手で組み合わせるか、抜け番にします）。";
constexpr const char* kAlreadyAbsent = "%sさんはすでに休場です。";
constexpr const char* kNothingToTakeBack = "%sさんの取り消せる休場・棄権はありません。";
constexpr const char* kRoundAlreadyPaired =
    "%d回戦はすでに組み合わせられています。休場は取り消せません。";

// A round is paired once any row of it holds a game.
bool roundPaired(const data::Table& t, int round) {
  for (int row = 0; row < usedRows(t); ++row)
    if (t.opponent[row][round] >= 0) return true;
  return false;
}

int lastRound(const data::Table& t, const AbsenceRequest& asked) {
  return asked.fromOn ? usedRounds(t) - 1 : asked.round;
}

// Marks one round of the row absent: 1 when it changed, 0 when it was absent already or
// keeps its game.
int markAbsent(data::Table& t, int row, int round, bool takeGameOut) {
  const int code = t.opponent[row][round];
  if (code == data::kAbsent) return 0;
  if (code >= 0) {
    if (!takeGameOut) return 0;
    if (t.validRow(code)) t.clearEntries(code, round, round + 1);
  }
  t.clearEntries(row, round, round + 1);
  t.opponent[row][round] = data::kAbsent;
  return 1;
}

// Takes back the absences of the request: the number taken back, or -1 after the message
// that refused a single round already paired.
int takeBack(Workspace& ws, services::Services& ui, const AbsenceRequest& asked) {
  data::Table& t = ws.table;
  int changed = 0;
  for (int k = asked.round; k <= lastRound(t, asked); ++k) {
    if (t.opponent[asked.row][k] != data::kAbsent) continue;
    if (roundPaired(t, k)) {
      if (asked.fromOn) continue;
      ui.errorBox(text::format(kRoundAlreadyPaired, k + 1));
      return -1;
    }
    t.clearEntries(asked.row, k, k + 1);
    ++changed;
  }
  return changed;
}

}  // namespace

std::optional<std::string> pairedGameQuestion(const Workspace& ws, const AbsenceRequest& asked,
                                              services::Services& ui) {
  const data::Table& t = ws.table;
  if (asked.takeBack || !t.validRow(asked.row) || !t.validRound(asked.round)) return std::nullopt;
  for (int k = asked.round; k <= lastRound(t, asked); ++k) {
    const int other = t.opponentRow(asked.row, k);
    if (other < 0) continue;
    const std::string name = rowNameUtf8(ws, asked.row, ui);
    const std::string opponent = rowNameUtf8(ws, other, ui);
    if (!asked.fromOn)
      return text::format(kSitOutGameQuestion, k + 1, name.c_str(), opponent.c_str(), name.c_str());
    return text::format(kWithdrawGameQuestion, name.c_str(), k + 1, opponent.c_str());
  }
  return std::nullopt;
}

Outcome setAbsence(Workspace& ws, services::Services& ui, const AbsenceRequest& asked,
                   PairedGame paired) {
  data::Table& t = ws.table;
  if (!checkRow(t, asked.row, ui) || !checkRound(t, asked.round, ui))
    return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  int changed = 0;
  if (asked.takeBack) {
    changed = takeBack(ws, ui, asked);
    if (changed < 0) return stopped(Stop::Refused);
  } else {
    // Sitting out one round cannot keep that round's game.
    const bool takeOut = !asked.fromOn || paired == PairedGame::TakeOut;
    for (int k = asked.round; k <= lastRound(t, asked); ++k)
      changed += markAbsent(t, asked.row, k, takeOut);
  }
  if (changed == 0) {
    const std::string name = rowNameUtf8(ws, asked.row, ui);
    ui.statusMessage(
        text::format(asked.takeBack ? kNothingToTakeBack : kAlreadyAbsent, name.c_str()));
    return stopped(Stop::NothingToDo);
  }
  Outcome done;
  done.row = asked.row;
  done.round = asked.round;
  done.count = changed;
  return saveTable(ws, ui, done);
}

const char* absenceStepLabel(const AbsenceRequest& asked) {
  if (asked.takeBack) return texts::kLabelTakeBackAbsence;
  return asked.fromOn ? texts::kLabelWithdraw : texts::kLabelSitOut;
}

}  // namespace toq::edit
