#pragma once
// Rules of the main window's controls that depend on the table.

#include "data/table.h"

namespace toq::view {

/// What the pairing button should do after a change.
enum class PairingButton {
  Keep,     ///< every round is paired: the button stays as it is
  Enable,   ///< the first round with unpaired rows has an even number of them
  Disable,  ///< an odd number (a bye must be set first), or no participant at all
};

/// The pairing button's state for the table.
PairingButton pairingButtonState(const data::Table& table);

}  // namespace toq::view
