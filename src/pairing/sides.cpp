// Placeholder until side and handicap assignment lands; its owner replaces this file.
#include "pairing/sides.h"

namespace toq::pairing {
void assignSides(PairingContext&, int) {}
void assignHandicaps(PairingContext&, int) {}
void assignHandicapForRow(PairingContext&, int, int) {}
}  // namespace toq::pairing
