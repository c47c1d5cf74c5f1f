#pragma once
// "申込一覧の取り込み": the entries of a web form's or a spreadsheet's export added to the
// register (a name already registered, compared without its spaces, is updated, not
// registered twice) and, when asked, to the table, as one change. Nothing else of the table
// changes. First a plan that a dialog shows as it will be done, then the import of the plan.
//
//   const data::EntrySheet sheet = data::readEntrySheet(bytes, grades);
//   const edit::EntryPlan plan = edit::planEntries(ws, sheet);
//   edit::runCommand(ws, ui, edit::StepRule{edit::texts::kLabelImportEntries},
//                    [&] { return edit::importEntries(ws, ui, plan, true); });

#include <string>
#include <vector>

#include "data/entry_sheet.h"
#include "data/player.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One line as it will be registered.
struct PlannedEntry {
  int line = 0;         ///< 1-based line of the file
  data::Player player;  ///< the record as it will stand (number 0 for a new one)
  int position = 0;     ///< 1-based register position of the record updated; 0: a new record
};

/// A later line of the same name, merged into the earlier one.
struct MergedLine {
  int line = 0;                       ///< 1-based line of the file
  int into = 0;                       ///< the earlier line it joined
  std::string name;                   ///< CP932
  std::vector<std::string> replaced;  ///< UTF-8: "レーティング 1500 → 1600", one per value
};

/// What an import will do.
struct EntryPlan {
  std::vector<PlannedEntry> entries;       ///< in the order of the file, one per player
  std::vector<data::RefusedLine> refused;  ///< the sheet's refusals and the register's
  std::vector<MergedLine> merged;          ///< duplicates, in the order of the file
  int added = 0;                           ///< new records
  int updated = 0;                         ///< records updated
  /// New records given the default rating (1600) because their grade and rating were empty.
  int defaultRatings = 0;
};

/// "5行目（吉田 陽菜）は 2行目と同じ人としてまとめました：レーティング 1500 → 1600" (UTF-8).
std::string mergedText(const MergedLine& merged);

/// Plans the sheet's rows against the register. A name that comes twice in the sheet is one
/// player, the later line updating the earlier; lines past the register's 2,000 are refused.
EntryPlan planEntries(const Workspace& ws, const data::EntrySheet& sheet);

/// What an import did.
struct EntryImportCounts {
  int added = 0;    ///< records registered
  int updated = 0;  ///< records updated
  int rows = 0;     ///< table rows added
};

/// "新規 29人・更新 0人・まとめた行 3・取り込まない行 1" (UTF-8).
std::string planSummary(const EntryPlan& plan);

/// Imports a plan: the register, and with `participants` every planned player not yet in the
/// table gets their rows (as many as boards; late arrivals marked absent in the rounds already
/// paired). Lock check with `participants`; at 99 rows the table's message and the rest stays
/// out. Writes the player file and, when rows were added, the table. The duplicates merged
/// and the values they replaced are told once more after the import.
Outcome importEntries(Workspace& ws, services::Services& ui, const EntryPlan& plan,
                      bool participants, EntryImportCounts* counts = nullptr);

}  // namespace toq::edit
