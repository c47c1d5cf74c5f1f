#pragma once
// Rules of the main window's controls that depend on the table.

#include <string>

#include "data/register.h"
#include "data/table.h"

namespace toq::view {

/// What the pairing button should do after a change.
enum class PairingButton {
  Enable,   ///< the next round can be paired (an odd count asks for the bye first)
  Disable,  ///< nothing can be paired now: no participant, every round paired, results
            ///< missing, or locked
};

/// The pairing button's state for the table.
PairingButton pairingButtonState(const data::Table& table);

/// The pairing button's state with what stands in the way when it is disabled.
struct PairingButtonRule {
  PairingButton state = PairingButton::Enable;
  std::string reason;  ///< UTF-8; empty unless Disable
};

/// The same rule, saying why the button is grey: an empty table, no round left to pair, the
/// round whose results are missing with the games that lack one ("青山–南条"), or the lock.
PairingButtonRule pairingButtonRule(const data::Table& table, const data::Register& players);

/// The hint an empty list shows (UTF-8): how to start an event when none is open, how to
/// register and add players to an empty one; empty when the list has lines.
std::string emptyListHint(bool tableMode, const data::Table& table, const data::Register& players);

}  // namespace toq::view
