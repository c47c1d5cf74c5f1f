#include "pairing/meeting_cache.h"

#include <algorithm>

#include "pairing/compat.h"

namespace toq::pairing {

void MeetingCache::build(const data::Table& table, const data::Register& players, int round) {
  round_ = round;
  for (int row = 0; row < data::kMaxRows; ++row) {
    int id = row;
    for (int other = 0; other < row; ++other) {
      if (table.participants[other] == table.participants[row]) {
        id = other;
        break;
      }
    }
    playerId_[row] = id;
    // Facts of the player record are the same for every row of the player.
    if (id == row) {
      multiBoard_[row] = entriesOf(table, players, row) >= 2;
      professional_[row] = isProfessional(table, players, row);
    } else {
      multiBoard_[row] = multiBoard_[id];
      professional_[row] = professional_[id];
    }
    met_[row].reset();
  }
  const int n = std::clamp(table.participantCount, 0, data::kMaxRows);
  const int before = std::clamp(round, 0, data::kMaxRounds);
  for (int row = 0; row < n; ++row) {
    for (int k = 0; k < before; ++k) {
      const int o = table.opponentRow(row, k);
      if (o >= 0 && o < data::kMaxRows) met_[playerId_[row]].set(playerId_[o]);
    }
  }
}

bool MeetingCache::haveMet(int a, int b) const {
  if (a < 0 || a >= data::kMaxRows || b < 0 || b >= data::kMaxRows) return false;
  return met_[playerId_[a]].test(playerId_[b]);
}

bool MeetingCache::canPair(const data::Table& table, int a, int b) const {
  if (a < 0 || a >= data::kMaxRows || b < 0 || b >= data::kMaxRows) return false;
  if (round_ < 0 || round_ >= data::kMaxRounds) return false;
  if (a == b || playerId_[a] == playerId_[b]) return false;
  if (table.opponent[b][round_] != data::kUnpaired) return false;
  if (multiBoard_[a] && multiBoard_[b]) return false;
  if (professional_[a] && professional_[b]) return false;
  return !met_[playerId_[a]].test(playerId_[b]);
}

}  // namespace toq::pairing
