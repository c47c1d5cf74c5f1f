#include "pairing/compat.h"

#include <algorithm>

namespace toq::pairing {

const data::Player* playerOf(const data::Table& table, const data::Register& players, int row) {
  if (row < 0 || row >= data::kMaxRows) return nullptr;
  return players.FindPlayer(table.participants[row]);
}

bool isProfessional(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = playerOf(table, players, row);
  return p && p->professional != 0;
}

bool isWomanProfessional(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = playerOf(table, players, row);
  return p && p->womanProfessional != 0;
}

int entriesOf(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = playerOf(table, players, row);
  return p ? p->entries : 1;
}

namespace {
bool inRows(int row) {
  return row >= 0 && row < data::kMaxRows;
}
}  // namespace

int meetings(const data::Table& table, int round, int a, int b) {
  if (!inRows(a) || !inRows(b)) return 0;
  const int rows = std::clamp(table.participantCount, 0, data::kMaxRows);
  const int na = table.participants[a];
  const int nb = table.participants[b];
  int count = 0;
  for (int row = 0; row < rows; ++row) {
    if (table.participants[row] != na) continue;
    for (int k = 0; k < round && k < data::kMaxRounds; ++k) {
      int o = table.opponentRow(row, k);
      if (o >= 0 && (o == b || table.participants[o] == nb)) ++count;
    }
  }
  return count;
}

bool haveMet(const data::Table& table, int round, int a, int b) {
  return meetings(table, round, a, b) > 0;
}

bool canPair(const data::Table& table, const data::Register& players, int round, int a, int b) {
  if (!inRows(a) || !inRows(b) || round < 0 || round >= data::kMaxRounds) return false;
  if (a == b || table.participants[a] == table.participants[b]) return false;
  if (table.opponent[b][round] != data::kUnpaired) return false;
  if (entriesOf(table, players, a) >= 2 && entriesOf(table, players, b) >= 2) return false;
  if (isProfessional(table, players, a) && isProfessional(table, players, b)) return false;
  return !haveMet(table, round, a, b);
}

int scoreKey(const data::Table& table, int round, int row) {
  if (round <= 0 || !inRows(row)) return 0;
  if (round > data::kMaxRounds) round = data::kMaxRounds;
  return table.standings[row][round - 1].score;
}

}  // namespace toq::pairing
