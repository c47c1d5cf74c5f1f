#pragma once
// The results table: a grid of every row's opponents, handicaps, sides and results, with the
// record, win rate and rank, written as "<title>結果.txt" beside the table file.

#include <filesystem>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "reports/report_text.h"
#include "services/services.h"

namespace toq::reports {

/// The results table as CP932 bytes with CR LF; `m` is the round whose standings the table's
/// standings block holds (-1: no complete round, every record zero).
std::string composeResults(const data::Table& table, const data::Register& players, int m,
                           const ReportHead& head, services::Services& ui);

/// The results table's file.
std::filesystem::path resultsPath(const data::Table& table);

/// Computes the standings of the last completed round, writes the results table and shows it.
/// Written in any state of the table.
int writeResults(data::Table& table, const data::Register& players, services::Services& ui,
                 std::filesystem::path* written = nullptr);

}  // namespace toq::reports
