#pragma once
// Whole tournaments played in memory: a seeded field of amateurs and professionals, paired
// round after round by the driver, with random results.

#include <cstdint>
#include <memory>

#include "support/builders.h"

namespace toq::testing {

/// Shape of a generated field.
struct FieldShape {
  int amateurs = 20;
  int professionals = 0;       ///< professional players (not rows)
  int maxBoards = 1;           ///< boards per professional, drawn from 1..maxBoards
  int womenProfessionals = 0;  ///< of the professionals, how many are women
  int games = 9;               ///< number of games of the table
  bool draws = false;          ///< some results are draws
};

/// A field drawn with `seed`: amateurs with ratings 1000..2600, professionals with 1..maxBoards
/// rows each (placed at random positions of the table), byes set where a round is odd.
std::unique_ptr<Tournament> generateField(const FieldShape& shape, std::uint32_t seed);

/// Sets a bye for one unpaired row (chosen by `seed`) when the round's unpaired count is odd.
void setByeIfOdd(Tournament& t, int round, std::uint32_t seed);

/// Random results for every game of the round that has none (`seed` picks them).
void randomResults(Tournament& t, int round, std::uint32_t seed, bool draws);

/// Pairs and results rounds 0..rounds-1 with the driver; returns how many rounds were paired
/// before a failure (== rounds when all went well).
int playRounds(Tournament& t, int rounds, std::uint32_t seed, bool draws = false);

}  // namespace toq::testing
