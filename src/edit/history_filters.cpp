#include "edit/history_filters.h"

#include <algorithm>

#include "edit/result_sheet.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr char kEverything[] = "すべて";
constexpr char kBoardOf[] = "%d回戦 第%d局 %s 対 %s";

std::string nameOf(const Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p ? text::toUtf8(p->name) : std::to_string(row + 1);
}

bool holds(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

std::vector<HistoryFilter> historyFilters(const Workspace& ws) {
  std::vector<HistoryFilter> out{{kEverything}};
  const data::Table& t = ws.table;
  for (int row = 0; row < t.rows(); ++row) out.push_back({nameOf(ws, row), row});
  for (int round : pairedRounds(t))
    for (int row = 0; row < t.rows(); ++row) {
      const std::optional<SheetBoard> b = boardOfGame(t, round, row);
      if (!b || b->first != row || b->second < 0) continue;
      out.push_back({text::format(kBoardOf, round + 1, b->board, nameOf(ws, b->first).c_str(),
                                  nameOf(ws, b->second).c_str()),
                     b->first, round, b->second});
    }
  return out;
}

std::vector<journal::StepInfo> filteredSteps(const journal::Journal& j, const HistoryFilter& f) {
  if (f.otherRow < 0) return j.steps({f.round, f.row, 0});
  std::vector<journal::StepInfo> steps = j.steps({f.round, -1, 0});
  std::erase_if(steps, [&](const journal::StepInfo& s) {
    return !holds(s.rows, f.row) && !holds(s.rows, f.otherRow);
  });
  return steps;
}

}  // namespace toq::edit
