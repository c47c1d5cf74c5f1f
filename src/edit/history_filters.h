#pragma once
// What the history can be narrowed to: one player's steps, or one board's (either of its two
// players in that round), as the history dialog offers them.

#include <string>
#include <vector>

#include "edit/workspace.h"
#include "journal/journal.h"

namespace toq::edit {

/// One choice of the filter.
struct HistoryFilter {
  std::string label;  ///< UTF-8: "すべて", "北村 勇気", "2回戦 第7局 A 対 B"
  int row = -1;       ///< 0-based row of the player; -1 every row
  int round = -1;     ///< 0-based round of the board; -1 every round
  int otherRow = -1;  ///< the board's second player
};

/// "すべて", every row's player, then every board of every paired round of the table now.
std::vector<HistoryFilter> historyFilters(const Workspace& ws);
/// The journal's steps that the filter keeps, newest first.
std::vector<journal::StepInfo> filteredSteps(const journal::Journal& j, const HistoryFilter& f);

}  // namespace toq::edit
