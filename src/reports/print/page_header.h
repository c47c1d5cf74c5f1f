#pragma once
// The line at the top of every printed page: date and time, the layout's own words, and the
// page number when the job has more than one page.

#include <string>
#include <string_view>

#include "pairing/date_stamp.h"
#include "reports/print/layout.h"

namespace toq::reports::print {

/// The header's text (CP932): long date, a blank, long time, 16 blanks, then "棋士データ一覧"
/// for the player list, two blanks and the document title for the grid, nothing for the chart.
std::string pageHeaderText(Layout layout, const pairing::DateStamp& stamp,
                           std::string_view documentTitle);

/// Draws the header in the base font at the top margin; "Page %d / %d" starts 30 mm left of
/// the printable area's right edge when there are several pages.
void drawPageHeader(const PageContext& page, std::string_view headerText);

}  // namespace toq::reports::print
