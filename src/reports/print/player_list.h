#pragma once
// The printed player list: one row per registered player, in register order, over as many
// pages as the lines per page need.

#include "data/register.h"
#include "reports/print/layout.h"

namespace toq::reports::print {

/// Widths of the nine columns in screen pixels.
inline constexpr int kPlayerColumnWidths[9] = {35, 100, 75, 80, 86, 34, 34, 60, 60};

/// Pages of the list: one per `linesPerPage` players, at least one (also when no line fits).
int playerListPages(int playerCount, int linesPerPage);

/// The heading row and the page's players: page p shows register positions (p-1)·L+1 to
/// min(p·L, count).
void drawPlayerListPage(const PageContext& page, const data::Register& players);

}  // namespace toq::reports::print
