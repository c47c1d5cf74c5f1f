#pragma once
// Why a round is paired as it is: the round paired again from the table as it stood before it,
// compared board by board with what the table holds, and the facts behind every board (points,
// floats, earlier meetings, games against professionals, sides and handicaps).

#include <optional>
#include <string>
#include <vector>

#include "data/register.h"
#include "data/table.h"
#include "pairing/options.h"
#include "pairing/pairing_way.h"

namespace toq::pairing {

/// What the pairing command did after pairing the round (its "先手後手決定"/"駒落ち" boxes).
enum class SideRule {
  None,       ///< sides left undecided
  Balance,    ///< first and second moves balanced over the rounds
  Handicaps,  ///< handicaps and sides from the two ratings
};

/// Why a board has the sides it has.
enum class SideReason {
  Undecided,       ///< no side set, as the round's rule leaves it
  Balance,         ///< the player with more first moves so far moves second
  Coin,            ///< equal balance: the coin decided
  HandicapGame,    ///< the receiver of the handicap moves first
  StrongerSecond,  ///< even game between ratings less than 100 apart: the stronger moves second
  LaterRowFirst,   ///< even game at equal ratings: the player in the later row moves first
  NoRating,        ///< a player without rating: no handicap and no side from the ratings
  ByHand,          ///< not what the round's rule gives: set or changed by hand
};

/// Why a board has its handicap.
enum class HandicapReason {
  NotDerived,  ///< the round's rule derives no handicap, and none is set
  Rating,      ///< from the rating difference (a handicap, or even below 100)
  NoRating,    ///< a player without rating
  ByHand,      ///< not what the ratings give: set or changed by hand
};

/// Why two players who met before meet again.
enum class MeetingRule {
  None,                ///< they never met
  RelaxedPass,         ///< the professional step's relaxed passes allow a second game
  ProfessionalSearch,  ///< the professional exhaustive search allows a second game
  ByHand,              ///< the board was set by hand
  Unexplained,         ///< the program paired it, by no rule this explanation knows
};

/// The direction a player moved between score groups to meet the opponent.
enum class Float { None, Up, Down };

/// One player of a board as the round found him.
struct PlayerFacts {
  int row = -1;      ///< table row
  int number = 0;    ///< player number
  std::string name;  ///< CP932; empty when no record holds the number
  int rating = 0;    ///< 0: no rating
  bool professional = false;
  bool woman = false;  ///< a woman professional
  int points = 0;      ///< score before the round, in half-points
  int rank = 0;        ///< rank before the round (after the round before); 0 none
  Float floated = Float::None;
  int gamesAgainstProfessionals = 0;      ///< games before the round against professionals
  int gamesAgainstWomen = 0;              ///< of them against women professionals
  int gamesPlayed = 0;                    ///< games before the round (byes and absences aside)
  int firstMoves = 0;                     ///< games before the round with the first move
  int secondMoves = 0;                    ///< and with the second move
  int lastSide = data::kSideUndecided;    ///< side of the latest game before the round
  int side = data::kSideUndecided;        ///< side in the round, as stored
  int handicap = 0;                       ///< handicap code of the row in the round, as stored
  int programOpponent = data::kUnpaired;  ///< the program's opponent row, or a code
};

/// One board of the round, in the order of the round list.
struct BoardFacts {
  int board = 0;            ///< 1-based
  bool reproduced = false;  ///< the program pairs these two rows with each other
  PlayerFacts players[2];   ///< the lower row first
  int earlierMeetings = 0;  ///< games of the two players before the round
  MeetingRule meetingRule = MeetingRule::None;
  SideReason sideReason = SideReason::Undecided;
  HandicapReason handicapReason = HandicapReason::NotDerived;
  int ratingDifference = 0;        ///< rating of the first player minus that of the second
  bool professionalBoard = false;  ///< one of the two is a professional
  /// The option "同じ所属どうしを避ける" gave this game: without it the program pairs
  /// these rows otherwise.
  bool movedByAffiliation = false;
  std::string sharedAffiliation;  ///< CP932: the affiliation both players have; else empty
};

/// A row that holds no game in the round.
struct RowFacts {
  int row = -1;
  std::string name;                       ///< CP932
  int programOpponent = data::kUnpaired;  ///< the program's opponent row, or a code
};

/// One score group of the round: the players of the games who held these points.
struct ScoreGroup {
  int points = 0;  ///< half-points
  int players = 0;
};

/// The round as a whole.
struct RoundSummary {
  std::vector<ScoreGroup> scoreGroups;  ///< from the highest score down
  int floats = 0;                       ///< boards between players of different points
  int repeatedMeetings = 0;             ///< boards of players who met before
  int professionalBoards = 0;           ///< boards of a professional
  std::vector<RowFacts> byes;
  std::vector<RowFacts> absent;
  std::vector<RowFacts> unpaired;  ///< rows still without opponent
};

/// The explanation of one paired round.
struct Explanation {
  int round = -1;              ///< 0-based
  bool reproduced = false;     ///< every row holds what the program pairs
  bool programPaired = false;  ///< the program could pair the round at all
  int combinationsTried = 0;   ///< option combinations paired before the verdict
  PairingOptions options;      ///< the options of the verdict (reproducing, or closest)
  PairingWay way;              ///< how the driver found the program's pairing
  SideRule sideRule = SideRule::None;
  bool standingsComplete = true;  ///< earlier rounds hold every result
  std::vector<BoardFacts> boards;
  RoundSummary summary;

  /// Boards that differ from the program's pairing.
  int boardsDiffering() const;
  /// Boards that the option keeping affiliations apart gave.
  int boardsMovedByAffiliation() const;
  /// The board that holds a row, or none.
  const BoardFacts* boardOf(int row) const;
};

/// Rounds that hold at least one game, ascending.
std::vector<int> explainableRounds(const data::Table& table);

/// Explains round `round` (0-based) of the table; none when the round holds no game. Works on
/// copies: the table is never changed.
std::optional<Explanation> explainRound(const data::Table& table, const data::Register& players,
                                        int round);

}  // namespace toq::pairing
