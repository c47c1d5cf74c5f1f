#pragma once
// The printed reception list (受付名簿): the register's applicants in register order, each
// with an empty box to tick at the door and a column for a note (paid, late, left early...).

#include <string_view>

#include "data/register.h"
#include "reports/print/layout.h"

namespace toq::reports::print {

/// Widths of the columns in screen pixels: 受付, 番号, 氏名, 省略名, レーティング, 備考.
inline constexpr int kReceptionColumnWidths[6] = {40, 40, 150, 90, 70, 250};
/// The page header's title.
inline constexpr std::string_view kReceptionListTitle = "受付名簿";

/// The heading row and the page's applicants (as the player list pages its players), each
/// with an empty check box.
void drawReceptionListPage(const PageContext& page, const data::Register& players);

}  // namespace toq::reports::print
