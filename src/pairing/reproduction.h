#pragma once
// A paired round paired again: the table as it stood before the round, and the driver run on
// it with the pairing options that the table cannot tell, the defaults first.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "data/register.h"
#include "data/table.h"
#include "pairing/options.h"
#include "pairing/pairing_way.h"

namespace toq::pairing {

/// What pairing the round again gave.
struct Reproduction {
  bool reproduced = false;     ///< some combination gives every row its stored entry
  bool programPaired = false;  ///< the driver paired the round with the options below
  int combinationsTried = 0;   ///< combinations paired, up to the one that reproduced
  PairingOptions options;      ///< the reproducing combination, or the closest one
  PairingWay way;              ///< how the driver paired the round with those options
  /// The program's entry of every row in the round (a row, or a code).
  std::array<std::int16_t, data::kMaxRows> opponents{};
  /// When the option "同じ所属どうしを避ける" kept affiliations apart in the pairing above:
  /// the entry of every row with the same options but that one.
  std::optional<std::array<std::int16_t, data::kMaxRows>> withoutAffiliations;
};

/// The table as it stood before round `round` was paired: every entry of that round and the
/// later ones emptied, except the byes and absences of that round, which the organiser sets
/// before pairing. On the heap: a table is large.
std::unique_ptr<data::Table> tableBeforeRound(const data::Table& table, int round);

/// Pairs the round on copies of `before` with each combination of the options that steer the
/// pairing (second games against professionals and against women professionals, and, when
/// some participant has an affiliation, keeping affiliations apart), the defaults first, and
/// stops at the first that gives every row of `stored` its entry. Without one, the
/// combination that gives the most rows their entry stands (the first of equals).
Reproduction reproduceRound(const data::Table& stored, const data::Table& before,
                            const data::Register& players, int round);

}  // namespace toq::pairing
