#pragma once
// The explanation of a round's pairing as JSON for scripts: the verdict, the options and the
// way the program paired the round, the round's summary and every board with both players.

#include <string>

#include "pairing/explanation.h"

namespace toq::reports {

/// The explanation as a UTF-8 JSON document (indented by two spaces, no final newline). Rows,
/// rounds and boards are counted from 1, points are points (a draw gives 0.5).
std::string explanationJson(const pairing::Explanation& e);

}  // namespace toq::reports
