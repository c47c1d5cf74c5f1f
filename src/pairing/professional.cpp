// Placeholder until the professional step lands; its owner replaces this file.
#include "pairing/professional.h"

namespace toq::pairing {
bool canPairAgain(const data::Table&, const data::Register&, const PairingOptions&, int, int, int) {
  return false;
}
bool allProfessionalsPlaced(const data::Table&, const data::Register&, int) { return true; }
int gamesAgainstProfessionals(const data::Table&, const data::Register&, int, int) { return 0; }
int gamesAgainstWomen(const data::Table&, const data::Register&, int, int) { return 0; }
std::optional<int> chooseAmateur(PairingContext&, int, int, bool) { return std::nullopt; }
int professionalStep(PairingContext&, int) { return 0; }
}  // namespace toq::pairing
