#pragma once
// The pairing options, owned by the application and read by the engine.

#include "data/table.h"

namespace toq::pairing {

/// `avoidAffiliationRounds` for "すべての回戦": every round a table can hold.
inline constexpr int kAffiliationEveryRound = data::kMaxRounds;

/// Switches of the settings sheet that steer the engine.
struct PairingOptions {
  bool allowSixPieceHandicaps = false;  ///< handicaps up to six pieces (四枚落ち, 六枚落ち)
  bool play2 = false;                   ///< a second game against a professional is allowed
  bool womanProfessionalTwice = false;  ///< the same against a woman professional
  /// "同じ所属どうしを避ける": players of one affiliation are kept apart, where the round can
  /// be paired so, in the rounds 1..this; 0 never (the default).
  int avoidAffiliationRounds = 0;
};

/// True when the option keeps affiliations apart in round `round` (0-based).
inline bool keepsAffiliationsApart(const PairingOptions& options, int round) {
  return round >= 0 && round < options.avoidAffiliationRounds;
}

}  // namespace toq::pairing
