#pragma once
// The rating data file: one line per decided even game between two amateurs, written as
// "<title>Rating.txt" beside the table file.

#include <filesystem>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "pairing/date_stamp.h"
#include "services/services.h"

namespace toq::reports {

/// The rating data as CP932 bytes with CR LF: the date line, then "winner,loser,winnerの勝ち"
/// round by round.
std::string composeRatingData(const data::Table& table, const data::Register& players,
                              const pairing::DateStamp& stamp, services::Services& ui);

/// The rating data file.
std::filesystem::path ratingPath(const data::Table& table);

/// Writes the rating data file and shows it; a file that cannot be written is given up
/// silently (kReportWriteError).
int writeRatingData(const data::Table& table, const data::Register& players, services::Services& ui,
                    std::filesystem::path* written = nullptr);

}  // namespace toq::reports
