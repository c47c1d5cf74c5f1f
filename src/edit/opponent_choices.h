#pragma once
// The opponent chooser (OpponentDialog): the round to pair, its title and the list of
// candidates, players not met before first, then the bye, then players met before.

#include <optional>
#include <string>
#include <vector>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One line of the chooser.
struct OpponentEntry {
  std::string text;  ///< CP932, as shown
  int number = 0;    ///< the player number it stands for, or data::kBye
};

/// What the chooser shows for one participant row.
struct OpponentChoices {
  int row = -1;                        ///< the participant being paired
  int round = -1;                      ///< its first round without an opponent (0-based)
  std::string title;                   ///< CP932 window title
  std::vector<OpponentEntry> entries;  ///< in list order; nothing is preselected
};

/// The chooser for a row; none when the row is not in use or has an opponent, bye or absence
/// in every round.
std::optional<OpponentChoices> opponentChoices(const Workspace& ws, services::Services& ui,
                                               int row);

}  // namespace toq::edit
