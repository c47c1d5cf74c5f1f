#pragma once
// The columns chosen by hand for an entry list, remembered per header row: the next export of
// the same form is read with the same choice.

#include <string>
#include <vector>

#include "data/entry_sheet.h"
#include "ui/app_settings.h"

namespace toq::ui {

/// The choice stored for this header row; all automatic when none is.
data::ColumnChoice storedColumns(AppSettings& settings, const std::vector<std::string>& headers);
/// Stores the choice for this header row.
void storeColumns(AppSettings& settings, const std::vector<std::string>& headers,
                  const data::ColumnChoice& chosen);

}  // namespace toq::ui
