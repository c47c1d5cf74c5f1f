#include "pairing/reproduction.h"

#include <array>

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
  services::QuietServices silent;
  for (const PairingOptions& options : kCombinations) {
    *trial = before;
    Random random;
    PairingContext ctx{*trial, players, options, random, silent};
    PairingWay way;
    const bool paired = runPairing(ctx, round, {}, &way) == 0;
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
  return best;
}

}  // namespace toq::pairing
