#pragma once
// The tournament table: participants, rounds, and per row and round the opponent, side,
// handicap and result, with the queries every other layer asks of it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "data/register.h"
#include "services/services.h"

namespace toq::data {

/// Row slots of the table; at most kMaxParticipants are used.
inline constexpr int kMaxRows = 100;
inline constexpr int kMaxParticipants = 99;
/// Rounds (columns) of the table.
inline constexpr int kMaxRounds = 32;
/// Number of games of a new table.
inline constexpr int kDefaultGames = 9;

/// The class list: a player's class and the class a table is meant for. Files store the code
/// as an int and keep any value they hold, so fields stay int; compare them with isClass.
enum class TableClass : int {
  Unset = 0,     ///< （未設定）
  Champion = 1,  ///< 名人
  A = 2,         ///< Ａ級
  B1 = 3,        ///< Ｂ級１組
  B2 = 4,        ///< Ｂ級２組
  C1 = 5,        ///< Ｃ級１組
  C2 = 6,        ///< Ｃ級２組
  Free = 7,      ///< フリークラス
  ThreeDan = 8,  ///< 三段
  Retired = 9,   ///< 引退・物故・退会
  Other = 10,    ///< その他
};
/// The stored code of a class.
constexpr int classCode(TableClass c) {
  return static_cast<int>(c);
}
/// True when a stored code is the class.
constexpr bool isClass(int code, TableClass c) {
  return code == classCode(c);
}
/// Table class of a new table.
inline constexpr int kDefaultTableClass = classCode(TableClass::A);

/// Opponent codes besides a row index (0 or more).
inline constexpr std::int16_t kUnpaired = -1;
inline constexpr std::int16_t kBye = -2;
inline constexpr std::int16_t kAbsent = -3;

/// Side codes.
inline constexpr std::int16_t kSideUndecided = -1;
inline constexpr std::int16_t kSideFirst = 1;
inline constexpr std::int16_t kSideSecond = 2;

/// Result codes.
inline constexpr std::int16_t kResultNone = 0;
inline constexpr std::int16_t kLoss = 1;
inline constexpr std::int16_t kDraw = 2;
inline constexpr std::int16_t kWin = 3;

/// True when a game's result code is a result: loss, draw or win. Any other code (only a
/// damaged or hand-edited file holds one) cannot be counted and is a missing result.
inline bool hasResult(int code) {
  return code == kLoss || code == kDraw || code == kWin;
}

/// The result the opponent's row holds for a game whose row holds `result`: a win mirrors a
/// loss, a draw and no result stay; any other code (a damaged file) mirrors as no result.
constexpr std::int16_t oppositeResult(int result) {
  switch (result) {
    case kWin:
      return kLoss;
    case kLoss:
      return kWin;
    case kDraw:
      return kDraw;
    default:
      return kResultNone;
  }
}

/// The side the opponent's row holds: first move mirrors second move; undecided (and any
/// other code) stays undecided.
constexpr std::int16_t oppositeSide(int side) {
  return side == kSideFirst ? kSideSecond : side == kSideSecond ? kSideFirst : kSideUndecided;
}

/// Handicap magnitudes, in the order of the handicap list; +m for the giver, -m for the receiver.
inline constexpr std::array<int, 8> kHandicapMagnitudes = {0, 1, 2, 3, 4, 5, 7, 10};
/// Names of the handicap list (UTF-8), in the same order.
extern const char* const kHandicapNames[8];
/// Position of a magnitude in the handicap list, or -1.
int handicapPosition(int magnitude);

/// Standings of one row after one round (derived; never stored in a file).
struct StandingsEntry {
  std::int32_t score = 0;    ///< half-points: 2 per win, 1 per draw
  std::int32_t solkoff = 0;  ///< sum of the current scores of every opponent met
  std::int32_t beaten = 0;   ///< sum of the current scores of the opponents beaten
  std::int32_t trimmed = 0;  ///< beaten without the highest and lowest beaten opponent
  std::int32_t rank = 0;     ///< 1-based place; 0 not ranked; -1 folded into its board group
  std::int32_t wins = 0;
  std::int32_t losses = 0;
  std::int32_t draws = 0;
};

using Plane = std::array<std::array<std::int16_t, kMaxRounds>, kMaxRows>;

/// The one tournament table of the running program. Plain data: copying it is the pairing
/// driver's backup.
struct Table {
  std::string title;                         ///< event title, CP932, at most 255 bytes
  std::filesystem::path filePath;            ///< the table file
  int tableClass = kDefaultTableClass;       ///< TableClass code the table is meant for
  int participantCount = 0;                  ///< rows in use, 0..99
  int numberOfGames = kDefaultGames;         ///< rounds, 1..32
  std::array<int, kMaxRows> participants{};  ///< player number of each row
  Plane opponent;                            ///< row index, or kUnpaired / kBye / kAbsent
  Plane side;                                ///< kSideUndecided / kSideFirst / kSideSecond
  Plane handicap;                            ///< 0 even; +m giver, -m receiver
  Plane result;                              ///< kResultNone / kLoss / kDraw / kWin
  std::array<std::array<StandingsEntry, kMaxRounds>, kMaxRows> standings{};
  int lockFlag = 0;  ///< 1: the commands refuse changes

  Table();

  /// The folder of the table file, where the reports go.
  std::filesystem::path directory() const { return filePath.parent_path(); }

  /// Used rows and rounds, kept within the table's capacity whatever the fields claim.
  int rows() const {
    return participantCount < 0                  ? 0
           : participantCount > kMaxParticipants ? kMaxParticipants
                                                 : participantCount;
  }
  int rounds() const {
    return numberOfGames < 0 ? 0 : numberOfGames > kMaxRounds ? kMaxRounds : numberOfGames;
  }

  /// True when `row` is a used row and `round` a used round.
  bool validRow(int row) const { return row >= 0 && row < rows(); }
  bool validRound(int round) const { return round >= 0 && round < rounds(); }
  /// The opponent of (row, round) when it is a used row of the table, else -1.
  int opponentRow(int row, int round) const;

  /// Makes the entries of one row empty for rounds [from, to).
  void clearEntries(int row, int from, int to);
  /// Writes a pair in both rows of a round.
  void setPair(int round, int a, int b);

  /// Appends a row for the player; -1 (with "最大登録人数です。") when 99 rows are in use.
  int AddParticipant(int number, services::Services& ui);
  /// Removes a row's player number; later players move up, the entries stay where they are.
  void RemoveParticipant(int row);
  /// Empties every entry of all rows and rounds and clears the lock flag.
  void ResetEntries();
  /// Empties one round for every used row.
  void ClearRound(int round);
  /// Sets the table file.
  void SetTableFile(const std::filesystem::path& path) { filePath = path; }

  int IsParticipant(int number) const;
  std::string ParticipantName(int row, const Register& players, services::Services& ui) const;
  int HasPairings() const;
  int AnyEntryState(int mode) const;
  int UnpairedCount(int round) const;
  /// Number of rows of the round with no opponent (whether odd or even).
  int unpairedRows(int round) const;
  int FirstUnpairedRound() const;
  int LastPairedRound() const;
  int FirstIncompleteRound() const;
  int LastCompletedRound() const;
  int ResultsCompleteBefore(int round) const;
  int OpenGames(int round) const;
  int AnyMultiEntry(const Register& players) const;
  int AmateurMeetsProfessional(int row, int other, const Register& players) const;
  int AmateurMeetsWoman(int row, int other, const Register& players) const;
};

/// True when two tables hold the same event: title, file, class, counts, participants, the
/// four planes (every slot, used or not) and the lock flag. The standings are derived and do
/// not count.
bool sameContents(const Table& a, const Table& b);

/// The first round of a withdrawal (棄権): the row is absent in that round and in every later
/// round of the event; -1 when it plays, or may still play, the last round.
int withdrawnFrom(const Table& table, int row);

/// The event's name (CP932) for the chart, the CSV, the web page and the repeated test's log:
/// the title, or the table file's base name ("春季将棋大会" for 春季将棋大会.tai) when the title
/// is empty or only the import's placeholder; empty when there is neither.
std::string eventName(const Table& table);

}  // namespace toq::data
