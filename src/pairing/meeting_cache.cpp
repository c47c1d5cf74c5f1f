#include "pairing/meeting_cache.h"

#include <algorithm>
#include <string>

#include "pairing/compat.h"

namespace toq::pairing {

namespace {
bool inPlanes(int row) {
  return row >= 0 && row < data::kMaxRows;
}
}  // namespace

void MeetingCache::buildAffiliations(const data::Table& table, const data::Register& players) {
  std::array<std::string, data::kMaxRows> keys;
  anyAffiliation_ = false;
  for (int row = 0; row < data::kMaxRows; ++row) {
    affiliation_[row] = 0;
    if (row >= rows_) continue;
    const data::Player* p = playerOf(table, players, row);
    if (!p || p->affiliation.empty()) continue;
    keys[row] = data::affiliationKey(p->affiliation);
    if (keys[row].empty()) continue;
    anyAffiliation_ = true;
    affiliation_[row] = row + 1;
    for (int other = 0; other < row; ++other)
      if (keys[other] == keys[row]) {
        affiliation_[row] = affiliation_[other];
        break;
      }
  }
}

void MeetingCache::build(const data::Table& table, const data::Register& players, int round,
                         bool affiliationsApart) {
  round_ = round;
  rows_ = table.rows();
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
      const data::Player* p = playerOf(table, players, row);
      entries_[row] = p ? p->entries : 1;
      professional_[row] = p && p->professional != 0;
      woman_[row] = p && p->womanProfessional != 0;
    } else {
      entries_[row] = entries_[id];
      professional_[row] = professional_[id];
      woman_[row] = woman_[id];
    }
    met_[row].fill(0);
    gamesAgainstProfessionals_[row] = 0;
    gamesAgainstWomen_[row] = 0;
    previousOpponent_[row] = -1;
  }
  const int before = std::clamp(round, 0, data::kMaxRounds);
  // Meetings count every row slot below the count, as `meetings` does, even a slot the table
  // cannot use.
  const int scanned = std::clamp(table.participantCount, 0, data::kMaxRows);
  for (int row = 0; row < scanned; ++row) {
    for (int k = 0; k < before; ++k) {
      const int o = table.opponentRow(row, k);
      if (o < 0) continue;
      std::uint8_t& times = met_[playerId_[row]][playerId_[o]];
      times = static_cast<std::uint8_t>(std::min(times + 1, 2));
      if (row >= rows_) continue;
      if (professional_[o]) ++gamesAgainstProfessionals_[row];
      if (woman_[o]) ++gamesAgainstWomen_[row];
    }
    if (row < rows_ && before > 0)
      previousOpponent_[row] = static_cast<std::int8_t>(table.opponentRow(row, before - 1));
  }
  buildAffiliations(table, players);
  affiliationsApart_ = affiliationsApart && anyAffiliation_;
}

bool MeetingCache::canPair(const data::Table& table, int a, int b) const {
  if (!inPlanes(a) || !inPlanes(b)) return false;
  if (round_ < 0 || round_ >= data::kMaxRounds) return false;
  if (a == b || playerId_[a] == playerId_[b]) return false;
  if (table.opponent[b][round_] != data::kUnpaired) return false;
  if (entries_[a] >= 2 && entries_[b] >= 2) return false;
  if (professional_[a] && professional_[b]) return false;
  if (keptApart(a, b)) return false;
  return met_[playerId_[a]][playerId_[b]] == 0;
}

}  // namespace toq::pairing
