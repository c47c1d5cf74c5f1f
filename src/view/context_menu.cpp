#include "view/context_menu.h"

#include <algorithm>

#include "view/layout.h"

namespace toq::view {

namespace {

// What row k holds in the round of the clicked column.
ClickedCell cellOf(const data::Table& table, int k, int column) {
  const int round = roundOfColumn(column);
  if (!table.validRound(round)) return ClickedCell::None;
  const int e = table.opponent[k][round];
  if (e == data::kUnpaired) return ClickedCell::Unpaired;
  if (e == data::kBye) return ClickedCell::Bye;
  return ClickedCell::Game;
}

}  // namespace

ContextState contextState(const ViewState& state, int selectedLine, int clickedColumn,
                          const data::Table& table) {
  ContextState context;
  context.view = state;
  if (!state.tableMode) return context;
  const int k = selectedLine < 0 ? 0 : rowOfLine(selectedLine);
  context.participant = k < table.rows();
  if (context.participant) context.cell = cellOf(table, k, clickedColumn);
  return context;
}

std::vector<MenuItem> contextMenu(const ViewState& state, int selectedLine, int clickedColumn,
                                  const data::Table& table) {
  const ContextState context = contextState(state, selectedLine, clickedColumn, table);
  std::vector<const CommandEntry*> shown;
  for (const CommandEntry& entry : commandTable())
    if (entry.context.shown && entry.context.shown(context)) shown.push_back(&entry);
  std::stable_sort(shown.begin(), shown.end(), [](const CommandEntry* a, const CommandEntry* b) {
    return a->context.order < b->context.order;
  });
  std::vector<MenuItem> menu;
  for (const CommandEntry* entry : shown) {
    if (entry->context.separatorBefore) menu.push_back({});
    menu.push_back({MenuItem::Kind::Command, entry->command, entry->context.text});
  }
  return menu;
}

}  // namespace toq::view
