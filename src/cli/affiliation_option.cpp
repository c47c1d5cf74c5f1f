#include "cli/affiliation_option.h"

#include <algorithm>

namespace toq::cli {

bool readAvoidAffiliation(const Invocation& inv, pairing::PairingOptions& options) {
  const std::optional<std::string> value = inv.value("--avoid-affiliation");
  if (!value) return true;
  const std::optional<int> rounds = parseInteger(*value);
  if (!rounds || *rounds < 0) return false;
  options.avoidAffiliationRounds = *rounds == 0
                                       ? pairing::kAffiliationEveryRound
                                       : std::min(*rounds, pairing::kAffiliationEveryRound);
  return true;
}

}  // namespace toq::cli
