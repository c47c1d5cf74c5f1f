#pragma once
// How the driver found a round's pairing: which seeded attempt, which search, and what the
// professional step did in the run that stood. Reported beside the pairing; filling it changes
// no choice and no draw.

namespace toq::pairing {

/// The step of the driver that paired the round.
enum class PairingMethod {
  None,                ///< the driver failed, or did not run
  SeededAttempt,       ///< one of the seeded attempts
  ProfessionalSearch,  ///< the professional exhaustive search, after the attempts failed there
  ExhaustiveSearch,    ///< the exhaustive search, after every attempt failed
};

/// What the option "同じ所属どうしを避ける" did in the round.
enum class AffiliationRule {
  NotAsked,    ///< the option does not cover the round, or nobody has an affiliation
  Kept,        ///< players of one affiliation were kept apart
  Impossible,  ///< no complete pairing keeps them apart: paired as without the option
};

/// What one run of the professional step did.
struct ProfessionalStepReport {
  int games = 0;         ///< games it placed
  int relaxedGames = 0;  ///< of them, games placed in a relaxed pass (second meetings allowed)
  int lastPass = -1;     ///< the highest pass in which it placed a game; -1 for none

  bool operator==(const ProfessionalStepReport&) const = default;
};

/// How `runPairing` ended.
struct PairingWay {
  PairingMethod method = PairingMethod::None;
  int seed = 0;          ///< the seed of the attempt that paired the round (SeededAttempt), else 0
  bool prePass = false;  ///< that attempt began with the bottom-up pre-pass
  /// The professional step of the attempt or the exhaustive search that paired the round (the
  /// professional exhaustive search pairs without it).
  ProfessionalStepReport professionals;
  AffiliationRule affiliations = AffiliationRule::NotAsked;

  bool operator==(const PairingWay&) const = default;
};

}  // namespace toq::pairing
