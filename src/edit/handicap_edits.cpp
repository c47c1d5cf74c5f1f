#include "edit/handicap_edits.h"

#include <cstdlib>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/results.h"

namespace toq::edit {

const char* const kSideNames[kSidePositions] = {"未定", "先手", "後手"};

namespace {

int ratingOf(const Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p ? p->rating : 0;
}

void setSides(data::Table& t, int round, int row, std::int16_t side, int other,
              std::int16_t otherSide) {
  t.side[row][round] = side;
  t.side[other][round] = otherSide;
}

Outcome runHandicapDialog(Workspace& ws, services::Services& ui, int row, int round,
                          const HandicapChooser& choose, bool withResult) {
  if (!checkRow(ws.table, row, ui) || !checkRound(ws.table, round, ui))
    return stopped(Stop::BadIndex);
  std::optional<HandicapQuestion> dialog = handicapQuestion(ws, ui, row, round, withResult);
  if (!dialog) return stopped(Stop::NothingToDo);
  std::optional<HandicapAnswer> answer = choose ? choose(*dialog) : std::nullopt;
  if (!answer) return stopped(Stop::Declined);
  if (!applyHandicapAnswer(ws, ui, round, row, dialog->other, *answer, withResult))
    return stopped(Stop::Refused);
  Outcome done;
  done.round = round;
  done.row = row;
  done.other = dialog->other;
  return saveTable(ws, ui, done);
}

}  // namespace

std::optional<HandicapQuestion> handicapQuestion(const Workspace& ws, services::Services& ui,
                                                 int row, int round, bool withResult) {
  const data::Table& t = ws.table;
  if (row < 0 || row >= usedRows(t) || round < 0 || round >= usedRounds(t)) return std::nullopt;
  const int e = t.opponentRow(row, round);
  if (e < 0) return std::nullopt;
  HandicapQuestion d;
  d.row = row;
  d.round = round;
  d.other = e;
  d.withResult = withResult;
  d.title = formatCp932(withResult ? texts::kHandicapResultTitle : texts::kHandicapTitle, round + 1,
                        rowName(ws, row, ui).c_str(), rowName(ws, e, ui).c_str());
  d.handicapPosition = data::handicapPosition(std::abs(t.handicap[row][round]));
  d.sidePosition = 0;
  d.resultPosition = resultPosition(t.result[row][round]);
  return d;
}

bool applyHandicapAnswer(Workspace& ws, services::Services& ui, int round, int row, int other,
                         const HandicapAnswer& answer, bool withResult) {
  const int h = answer.handicapPosition;
  const int s = answer.sidePosition;
  const bool handicapOk = h >= 0 && h < static_cast<int>(data::kHandicapMagnitudes.size());
  const bool sideOk = s >= 0 && s < kSidePositions;
  if (!handicapOk || !sideOk) {
    ui.errorBox(texts::kBadHandicapChoice);
    return false;
  }
  if (withResult && (answer.resultPosition < 0 || answer.resultPosition >= kResultPositions)) {
    ui.errorBox(texts::kBadResultChoice);
    return false;
  }

  data::Table& t = ws.table;
  const auto code = static_cast<std::int16_t>(data::kHandicapMagnitudes[h]);
  if (code == 0) {
    t.handicap[row][round] = 0;
    t.handicap[other][round] = 0;
    if (s == 0) {
      setSides(t, round, row, data::kSideUndecided, other, data::kSideUndecided);
    } else {
      const auto side = static_cast<std::int16_t>(s);
      setSides(t, round, row, side, other, data::oppositeSide(side));
    }
  } else if (ratingOf(ws, row) < ratingOf(ws, other)) {
    t.handicap[row][round] = static_cast<std::int16_t>(-code);
    t.handicap[other][round] = code;
    setSides(t, round, row, data::kSideFirst, other, data::oppositeSide(data::kSideFirst));
  } else {
    t.handicap[row][round] = code;
    t.handicap[other][round] = static_cast<std::int16_t>(-code);
    setSides(t, round, row, data::kSideSecond, other, data::oppositeSide(data::kSideSecond));
  }
  if (withResult) applyResultPosition(t, round, row, other, answer.resultPosition);
  return true;
}

Outcome setHandicap(Workspace& ws, services::Services& ui, int row, int round,
                    const HandicapChooser& choose) {
  return runHandicapDialog(ws, ui, row, round, choose, false);
}

Outcome setHandicapAndResult(Workspace& ws, services::Services& ui, int row, int round,
                             const HandicapChooser& choose) {
  return runHandicapDialog(ws, ui, row, round, choose, true);
}

}  // namespace toq::edit
