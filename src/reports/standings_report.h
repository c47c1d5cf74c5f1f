#pragma once
// The standings report: the players in rank order with their records and win rates after the
// last completed round, written as "成績.txt" beside the table file.

#include <filesystem>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "reports/report_text.h"
#include "services/services.h"

namespace toq::reports {

/// The standings report as CP932 bytes with CR LF; `m` (0 or more) is the round whose
/// standings the table's standings block holds.
std::string composeStandings(const data::Table& table, const data::Register& players, int m,
                             const ReportHead& head, services::Services& ui);

/// The standings report's file.
std::filesystem::path standingsPath(const data::Table& table);

/// Computes the standings of the last completed round, writes the report and shows it. With
/// no complete round nothing happens at all (kReportNotWritten).
int writeStandings(data::Table& table, const data::Register& players, services::Services& ui,
                   std::filesystem::path* written = nullptr);

}  // namespace toq::reports
