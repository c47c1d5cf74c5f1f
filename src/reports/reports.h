#pragma once
// The four text reports as the front ends call them: one entry point per menu command.
//
// Each report is composed in memory (CP932, CR LF), written over any earlier file of the same
// name in the table file's folder, and handed to the desktop's viewer. Results:
// kReportShown (0), kReportNotWritten (-1: nothing to report), kReportWriteError (-2),
// kReportViewerFailed (-3: the file is on disk but could not be shown).

#include <filesystem>
#include <optional>
#include <string_view>

#include "data/register.h"
#include "data/table.h"
#include "reports/rating_data.h"
#include "reports/report_files.h"
#include "reports/results_table.h"
#include "reports/round_list.h"
#include "reports/standings_report.h"
#include "services/services.h"

namespace toq::reports {

/// The four text reports.
enum class ReportKind {
  RoundList,  ///< the pairs of the last paired round
  Results,    ///< the grid of every game
  Standings,  ///< ranks after the last completed round
  Rating,     ///< decided even games between amateurs
};

/// The report's name as a command line spells it ("round-list", "results", "standings",
/// "rating"), and back.
std::string_view reportKindName(ReportKind kind);
std::optional<ReportKind> reportKindFromName(std::string_view name);

/// Writes one report and shows it. The table is not changed, except that the results table
/// and the standings report refresh its standings block (derived data). `written` receives the
/// file's path when the file was written.
int writeReport(ReportKind kind, data::Table& table, const data::Register& players,
                services::Services& ui, std::filesystem::path* written = nullptr);

}  // namespace toq::reports
