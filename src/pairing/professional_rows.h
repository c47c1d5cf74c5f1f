#pragma once
// What the professional step asks of every row again and again, prepared once per step: the
// register is searched linearly and may hold 2000 players, and the rounds before the one being
// paired do not change while it is paired.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "pairing/context.h"

namespace toq::pairing {

/// Rows in use, bounded by the table's capacity whatever its count claims.
inline int rowsInUse(const data::Table& t) {
  return std::clamp(t.participantCount, 0, data::kMaxParticipants);
}

/// The opponent row of (row, round) when it is a used row, else -1.
inline int opponentInUse(const data::Table& t, int row, int round) {
  const int o = t.opponentRow(row, round);
  return o < rowsInUse(t) ? o : -1;
}

/// True when some row of a's player already plays b or a row of b's player in the round
/// (a and b used rows).
bool meetInRound(const data::Table& t, int round, int a, int b);

/// Player facts and the history before one round, per used row.
struct ProfessionalRows {
  int round = 0;  ///< the round being paired, 0..kMaxRounds-1
  int count = 0;  ///< rows in use
  /// First row holding the same player number: rows of one player share it.
  std::array<int, data::kMaxRows> player{};
  std::array<int, data::kMaxRows> entries{};        ///< boards of the player (1 when unknown)
  std::array<bool, data::kMaxRows> professional{};  ///< the player is a professional
  std::array<bool, data::kMaxRows> woman{};         ///< the player is a woman professional
  std::array<int, data::kMaxRows> gamesAgainstProfessionals{};  ///< before the round
  std::array<int, data::kMaxRows> gamesAgainstWomen{};          ///< before the round
  std::array<int, data::kMaxRows> previousOpponent{};           ///< row met in round-1, or -1
  /// Games before the round between the players of two rows, indexed by `player`: every row
  /// of the first player against the second player (as `meetings`).
  std::array<std::array<std::int16_t, data::kMaxRows>, data::kMaxRows> met{};

  ProfessionalRows(const data::Table& table, const data::Register& players, int round);
};

/// How the player of every row has met the player of one row p.
struct MeetingsWith {
  /// Games before the round, counted over every row of both players (as `meetings`).
  std::array<int, data::kMaxRows> before{};
  /// Some row of the player already faces p or a row of p's player in the round.
  std::array<bool, data::kMaxRows> inRound{};
};
MeetingsWith meetingsWith(const data::Table& table, const ProfessionalRows& rows, int p);

/// `chooseAmateur` on prepared rows (the round is rows.round).
std::optional<int> chooseAmateurFor(PairingContext& ctx, const ProfessionalRows& rows, int p,
                                    bool relaxed);

}  // namespace toq::pairing
