#pragma once
// The vertical league chart in the Japanese manner ("印刷形式２" off): a column per
// participant with the number, the name written top to bottom and one cell per round holding
// the opponent and the first-move mark.

#include <string>

#include "data/register.h"
#include "data/table.h"
#include "reports/print/layout.h"
#include "view/grid.h"

namespace toq::reports::print {

/// Label of a round row: "１" to "９", then "10", "11", ... with half-width digits (CP932).
std::string chartRoundLabel(int round);

/// Draws the chart's page. `cells` is the main view's grid of the same table, whose names and
/// opponents' short names the chart shows.
void drawChartPage(const PageContext& page, const data::Table& table, const data::Register& players,
                   const view::Grid& cells);

}  // namespace toq::reports::print
