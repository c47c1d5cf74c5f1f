#pragma once
// What the colour of a game's cell says: a bye, a second meeting, an amateur's game against a
// professional. The main view and the printed grid colour the same marks, each with its own
// palette; neither decides a mark of its own.

#include "data/register.h"
#include "data/table.h"

namespace toq::view {

/// The mark of a round cell. The first that applies wins, in this order.
enum class GameMark {
  None,               ///< unpaired, absent, an opponent code that names no row, or no mark
  Bye,                ///< the row has the bye
  SecondMeeting,      ///< the two players met more than once in rounds 0 to this one
  WomanProfessional,  ///< an amateur against a professional who is a woman professional
  Professional,       ///< an amateur against any other professional
  /// An amateur against a player whose name marks a woman professional but whose record is
  /// not marked professional: the printed grid marks the game, the screen does not.
  WomanByNameOnly,
};

/// The mark of the game of (row, round); None outside the used rows and rounds.
GameMark gameMark(const data::Table& table, const data::Register& players, int row, int round);

/// True when (row, round) holds a game whose two players (by player number, every board of a
/// player counting as one) met more than once in rounds 0 to `round`: the "２局目" of the
/// round lists and the second-meeting colour.
bool secondMeeting(const data::Table& table, int row, int round);

}  // namespace toq::view
