#include "pairing/professional_rows.h"

#include "pairing/compat.h"

namespace toq::pairing {

ProfessionalRows::ProfessionalRows(const data::Table& table, const data::Register& players,
                                   int round_)
    : round(std::clamp(round_, 0, data::kMaxRounds - 1)), count(rowsInUse(table)) {
  for (int row = 0; row < count; ++row) {
    int first = 0;
    while (table.participants[first] != table.participants[row]) ++first;
    player[row] = first;
    if (first == row) {
      const data::Player* p = playerOf(table, players, row);
      entries[row] = p ? p->entries : 1;
      professional[row] = p && p->professional != 0;
      woman[row] = p && p->womanProfessional != 0;
    } else {
      entries[row] = entries[first];
      professional[row] = professional[first];
      woman[row] = woman[first];
    }
  }
  for (int row = 0; row < count; ++row) {
    for (int k = 0; k < round; ++k) {
      const int o = opponentInUse(table, row, k);
      if (o < 0) continue;
      ++met[player[row]][player[o]];
      if (professional[o]) ++gamesAgainstProfessionals[row];
      if (woman[o]) ++gamesAgainstWomen[row];
    }
    previousOpponent[row] = round > 0 ? opponentInUse(table, row, round - 1) : -1;
  }
}

bool meetInRound(const data::Table& t, int round, int a, int b) {
  const int na = t.participants[a];
  const int nb = t.participants[b];
  for (int row = 0; row < rowsInUse(t); ++row) {
    if (t.participants[row] != na) continue;
    const int o = opponentInUse(t, row, round);
    if (o >= 0 && (o == b || t.participants[o] == nb)) return true;
  }
  return false;
}

MeetingsWith meetingsWith(const data::Table& table, const ProfessionalRows& rows, int p) {
  std::array<bool, data::kMaxRows> inRound{};  // by player
  for (int row = 0; row < rows.count; ++row) {
    const int o = opponentInUse(table, row, rows.round);
    if (o >= 0 && rows.player[o] == rows.player[p]) inRound[rows.player[row]] = true;
  }
  MeetingsWith m;
  for (int row = 0; row < rows.count; ++row) {
    m.before[row] = rows.met[rows.player[row]][rows.player[p]];
    m.inRound[row] = inRound[rows.player[row]];
  }
  return m;
}

}  // namespace toq::pairing
