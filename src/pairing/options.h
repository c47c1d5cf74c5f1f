#pragma once
// The three pairing options, owned by the application and read by the engine.

namespace toq::pairing {

/// Switches of the settings sheet that steer the engine.
struct PairingOptions {
  bool allowSixPieceHandicaps = false;  ///< handicaps up to six pieces (四枚落ち, 六枚落ち)
  bool play2 = false;                   ///< a second game against a professional is allowed
  bool womanProfessionalTwice = false;  ///< the same against a woman professional
};

}  // namespace toq::pairing
