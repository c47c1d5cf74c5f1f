#include "reports/reports.h"

namespace toq::reports {

namespace {
struct KindName {
  ReportKind kind;
  std::string_view name;
};
constexpr KindName kKindNames[] = {{ReportKind::RoundList, "round-list"},
                                   {ReportKind::Results, "results"},
                                   {ReportKind::Standings, "standings"},
                                   {ReportKind::Rating, "rating"}};
}  // namespace

std::string_view reportKindName(ReportKind kind) {
  for (const auto& entry : kKindNames)
    if (entry.kind == kind) return entry.name;
  return {};
}

std::optional<ReportKind> reportKindFromName(std::string_view name) {
  for (const auto& entry : kKindNames)
    if (entry.name == name) return entry.kind;
  return std::nullopt;
}

int writeReport(ReportKind kind, data::Table& table, const data::Register& players,
                services::Services& ui, std::filesystem::path* written) {
  switch (kind) {
    case ReportKind::RoundList:
      return writeRoundList(table, players, table.LastPairedRound(), ui, written);
    case ReportKind::Results:
      return writeResults(table, players, ui, written);
    case ReportKind::Standings:
      return writeStandings(table, players, ui, written);
    case ReportKind::Rating:
      return writeRatingData(table, players, ui, written);
  }
  return kReportNotWritten;
}

}  // namespace toq::reports
