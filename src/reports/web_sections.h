#pragma once
// The parts of the web page, each as HTML (UTF-8): the pairings of a round, the standings, the
// wall chart with its legend, and the page's style sheet.

#include <string>
#include <string_view>
#include <vector>

#include "data/table.h"
#include "reports/standings_list.h"
#include "view/grid.h"

namespace toq::reports {

/// The pairings of a 0-based round with the round list's content: each pair once, in table
/// order, with the row numbers, sides or handicap and the second-game mark; rows not paired yet
/// as undecided; then the rows with a bye and the absent rows. `names` holds each row's name
/// (CP932). A round outside the table gives a line that nothing is paired yet.
std::string pairingsSection(const data::Table& table, const std::vector<std::string>& names,
                            int round);

/// A row's name as HTML text (its CP932 name from `names`), empty for a row outside them.
std::string rowNameHtml(const std::vector<std::string>& names, int row);
/// "抜け番：12 name、15 name": a paragraph that lists the rows sitting a round out after
/// `label`; empty when there are none.
std::string sittingOutLine(std::string_view label, const std::vector<int>& rows,
                           const std::vector<std::string>& names);

/// The ranked rows in rank order after round `m`, whose standings the table's standings block
/// holds; in win-rate mode one line per player with the board group's record and win rate. With
/// m < 0 only a line that no round is complete.
std::string standingsSection(const data::Table& table, const std::vector<std::string>& names, int m,
                             bool winRateMode);

/// The standings for the prize-giving: `caption` as the heading, every place with the name,
/// affiliation, values and the key that placed it, the first three places marked (top1..top3),
/// and the rule under the list; a line that no round is complete for an empty list.
std::string prizeStandingsSection(const StandingsList& list, std::string_view caption,
                                  std::string_view id);

/// The wall chart: every cell of the grid with its text, background and text colour, the two
/// lines of a participant in one row group; then the legend of the colours and marks.
/// `colourRules` receives the CSS rules of the colours the cells use.
std::string chartSection(const view::Grid& grid, std::string& colourRules);

/// The page's own style sheet: screen, narrow screen and print.
std::string_view pageStyle();

}  // namespace toq::reports
