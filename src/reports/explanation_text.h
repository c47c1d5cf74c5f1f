#pragma once
// The explanation of a round's pairing as readable Japanese text: the verdict, the round, and
// every board.

#include <filesystem>
#include <optional>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "pairing/explanation.h"

namespace toq::reports {

/// The whole explanation as CP932 lines ending in LF.
std::string explanationText(const pairing::Explanation& e);

/// The head (title and verdict) and the part of one row: its board, or its bye, absence or
/// missing opponent.
std::string explanationText(const pairing::Explanation& e, int row);

/// Explains round `round` (0-based) of the table, the whole round or only `row`'s part; a line
/// saying that the round holds no game when there is nothing to explain.
std::string explainRoundText(const data::Table& table, const data::Register& players, int round,
                             std::optional<int> row = std::nullopt);

/// The file the explanation of a 0-based round is saved to by default, beside the table file.
std::filesystem::path explanationPath(const data::Table& table, int round);

}  // namespace toq::reports
