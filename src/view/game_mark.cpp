#include "view/game_mark.h"

#include "pairing/compat.h"

namespace toq::view {

bool secondMeeting(const data::Table& table, int row, int round) {
  const int other = table.opponentRow(row, round);
  return other >= 0 && pairing::meetings(table, round + 1, row, other) > 1;
}

GameMark gameMark(const data::Table& table, const data::Register& players, int row, int round) {
  if (!table.validRow(row) || !table.validRound(round)) return GameMark::None;
  if (table.opponent[row][round] == data::kBye) return GameMark::Bye;
  const int other = table.opponentRow(row, round);
  if (other < 0) return GameMark::None;
  if (secondMeeting(table, row, round)) return GameMark::SecondMeeting;
  const bool againstWoman = table.AmateurMeetsWoman(row, other, players) != 0;
  if (table.AmateurMeetsProfessional(row, other, players))
    return againstWoman ? GameMark::WomanProfessional : GameMark::Professional;
  return againstWoman ? GameMark::WomanByNameOnly : GameMark::None;
}

}  // namespace toq::view
