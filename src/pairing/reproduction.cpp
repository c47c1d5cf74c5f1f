#include "pairing/reproduction.h"

#include <array>
#include <vector>

#include "pairing/context.h"
#include "pairing/driver.h"
#include "pairing/random.h"
#include "services/quiet_services.h"

namespace toq::pairing {
namespace {

/// The combinations in the order they are tried: the settings' defaults (both off) first.
constexpr std::array<PairingOptions, 4> kCombinations = {{
    {},
    {.play2 = true},
    {.womanProfessionalTwice = true},
    {.play2 = true, .womanProfessionalTwice = true},
}};

/// True when some participant's player has an affiliation: only then can the option that
/// keeps affiliations apart change a pairing, and only then is it tried.
bool anyAffiliation(const data::Table& table, const data::Register& players) {
  for (int row = 0; row < table.rows(); ++row)
    if (const data::Player* p = players.FindPlayer(table.participants[row]))
      if (!data::affiliationKey(p->affiliation).empty()) return true;
  return false;
}

/// The combinations to try on this table.
std::vector<PairingOptions> combinationsFor(const data::Table& table,
                                            const data::Register& players) {
  std::vector<PairingOptions> all(kCombinations.begin(), kCombinations.end());
  if (!anyAffiliation(table, players)) return all;
  for (PairingOptions options : kCombinations) {
    options.avoidAffiliationRounds = kAffiliationEveryRound;
    all.push_back(options);
  }
  return all;
}

/// The program's entries of the round on a copy of `before`; `way` receives how it paired.
bool pairCopy(const data::Table& before, const data::Register& players,
              const PairingOptions& options, int round, data::Table& trial, PairingWay& way) {
  trial = before;
  services::QuietServices silent;
  Random random;
  PairingContext ctx{trial, players, options, random, silent};
  return runPairing(ctx, round, {}, &way) == 0;
}

/// Rows of the round whose entry in `paired` equals the stored one.
int rowsAgreeing(const data::Table& stored, const data::Table& paired, int round) {
  int agree = 0;
  for (int row = 0; row < stored.rows(); ++row)
    if (stored.opponent[row][round] == paired.opponent[row][round]) ++agree;
  return agree;
}

}  // namespace

std::unique_ptr<data::Table> tableBeforeRound(const data::Table& table, int round) {
  auto before = std::make_unique<data::Table>(table);
  if (round < 0 || round >= data::kMaxRounds) return before;
  for (int row = 0; row < before->rows(); ++row) {
    const std::int16_t entry = table.opponent[row][round];
    before->clearEntries(row, round, data::kMaxRounds);
    if (entry == data::kBye || entry == data::kAbsent) before->opponent[row][round] = entry;
  }
  return before;
}

Reproduction reproduceRound(const data::Table& stored, const data::Table& before,
                            const data::Register& players, int round) {
  Reproduction best;
  int bestAgreeing = -1;
  if (round < 0 || round >= data::kMaxRounds) return best;
  auto trial = std::make_unique<data::Table>(before);
  for (const PairingOptions& options : combinationsFor(before, players)) {
    PairingWay way;
    const bool paired = pairCopy(before, players, options, round, *trial, way);
    ++best.combinationsTried;
    const int agreeing = rowsAgreeing(stored, *trial, round);
    if (agreeing <= bestAgreeing) continue;
    bestAgreeing = agreeing;
    best.programPaired = paired;
    best.options = options;
    best.way = way;
    for (int row = 0; row < data::kMaxRows; ++row)
      best.opponents[row] = trial->opponent[row][round];
    if (paired && agreeing == stored.rows()) {
      best.reproduced = true;
      break;
    }
  }
  // What the option changed: the same round paired without it.
  if (best.way.affiliations == AffiliationRule::Kept) {
    PairingOptions without = best.options;
    without.avoidAffiliationRounds = 0;
    PairingWay way;
    pairCopy(before, players, without, round, *trial, way);
    auto& entries = best.withoutAffiliations.emplace();
    for (int row = 0; row < data::kMaxRows; ++row) entries[row] = trial->opponent[row][round];
  }
  return best;
}

}  // namespace toq::pairing
