#pragma once
// The round list: the pairs of one round with sides, handicaps and second meetings, written as
// "<n>回戦組み合わせ.txt" beside the table file.

#include <filesystem>
#include <string>
#include <vector>

#include "data/register.h"
#include "data/table.h"
#include "reports/report_text.h"
#include "services/services.h"

namespace toq::reports {

/// The side label of a side code (CP932): "先"/"後" in an even game, "下"/"上" in a handicap
/// game, "未" for any other code.
std::string sideLabel(int side, bool handicapGame);

/// The handicap name of a handicap code's magnitude (CP932, "平手" to "六枚落ち"); empty for a
/// code outside the list.
std::string handicapName(int code);

/// One line of a round list: a game, written once on the line of its first row, or a row not
/// paired yet.
struct RoundListLine {
  int row = -1;
  int opponent = -1;  ///< the other row of the game; -1 for a row not paired yet
};

/// The lines of a 0-based round's list in the order it prints them (its board order): rows in
/// table order, each game on its first row; byes and absences have no line.
std::vector<RoundListLine> roundListLines(const data::Table& table, int round);

/// The round list of a 0-based round as CP932 bytes with CR LF.
std::string composeRoundList(const data::Table& table, const data::Register& players, int round,
                             const ReportHead& head, services::Services& ui);

/// The round list's file for a 0-based round.
std::filesystem::path roundListPath(const data::Table& table, int round);

/// Writes the round list of a 0-based round (the pairing command passes the last paired round)
/// and shows it. A round outside the table's rounds: "エラー" and kReportNotWritten.
int writeRoundList(const data::Table& table, const data::Register& players, int round,
                   services::Services& ui, std::filesystem::path* written = nullptr);

}  // namespace toq::reports
