#pragma once
// The printed standings for the prize-giving: the event's name and what the list is, then
// every place in rank order with the name, the affiliation, the record and each value the
// ranking compared, and under the list the rule that broke the ties.

#include "reports/print/layout.h"
#include "reports/standings_list.h"

namespace toq::reports::print {

/// Places on one page of the standings on the job's device.
int standingsPerPage(const PageContext& page);

/// Pages the list takes with `perPage` places a page; at least one.
int standingsPages(const StandingsList& list, int perPage);

/// Draws page `page.page`: the title, the heading row, that page's places and the rule.
/// `caption` is the list's title (UTF-8), `eventName` the event's name (CP932).
void drawStandingsPage(const PageContext& page, const StandingsList& list,
                       std::string_view eventName, std::string_view caption);

}  // namespace toq::reports::print
