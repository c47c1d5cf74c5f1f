#pragma once
// Two players of one board who report different results at the desk: the second report is
// refused, and the disagreement is kept for the organiser (the window's status bar and list,
// the organiser's page, /api/event) until the organiser enters or confirms that board's
// result. A second report that agrees with the entered result is confirmed.

#include <string>
#include <vector>

#include "edit/outcome.h"
#include "journal/journal.h"

namespace toq::edit {

struct Workspace;

/// One board whose players disagree.
struct Disagreement {
  int round = -1;        ///< 0-based
  int board = 0;         ///< 1-based, as the round list numbers it
  int first = -1;        ///< the board's first row
  int second = -1;       ///< its second row
  std::string entered;   ///< UTF-8: "松本 修 の勝ち", the result the table holds
  std::string reported;  ///< UTF-8: the result the second report gave
  bool operator==(const Disagreement&) const = default;
};

/// Keeps a disagreement about the game of (row, round), which holds `entered` while the desk
/// reported `reported` from the row's side; one per board, the latest report kept.
void noteDisagreement(Workspace& ws, int row, int round, int reported);
/// Forgets the disagreements about the game the outcome worked on (the organiser entered or
/// confirmed its result); true when one was forgotten.
bool settleDisagreements(Workspace& ws, const Outcome& done);
/// "1回戦 第7局: 入力 松本 修 の勝ち、報告 小林 由紀子 の勝ち" for the status bar and the journal.
std::string disagreementText(const Disagreement& d);
/// The disagreements still open after the journal's steps (kept, then settled), as they were
/// before the program closed; what each board holds now is read from the table.
void rebuildDisagreements(Workspace& ws, const std::vector<journal::StepInfo>& steps);

}  // namespace toq::edit
