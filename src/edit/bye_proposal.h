#pragma once
// The bye of a round with an odd number of participants to pair: the program's proposal (the
// lowest-placed participant who has not had a bye yet), the participants the organiser may
// choose instead, and the question before a second bye for the same participant. The pairing
// button asks with these before it pairs, so that the bye and the pairing are one change.

#include <optional>
#include <string>
#include <vector>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One participant who may sit out the round.
struct ByeCandidate {
  int row = -1;
  std::string name;  ///< CP932
  int earlierByes = 0;
  int place = 0;  ///< 1-based place in the standings' order (1 the top)
};

/// A round that needs a bye before it can be paired.
struct ByeNeed {
  int round = -1;                        ///< 0-based
  std::optional<int> proposal;           ///< the program's choice (a row); none when nobody fits
  std::vector<ByeCandidate> candidates;  ///< every unpaired participant who may sit out,
                                         ///< lowest-placed first
};

/// The round to pair needs a bye: the table is not locked, every earlier round has its results,
/// and the number of participants without an opponent is odd (whatever byes or absences the
/// round holds already). None otherwise (the pairing command then says what stands in the way).
/// The proposal is the lowest-placed by the standings' order (table order between equals) who
/// has had no bye, never a professional; when everyone has had one, the one with the fewest.
std::optional<ByeNeed> byeNeeded(const Workspace& ws, services::Services& ui);

/// Byes the row had before `round`.
int byesBefore(const data::Table& table, int row, int round);

/// Before a bye for a participant who already had one: the question
/// "%sさんは既に%d回戦で抜け番でした。もう一度抜け番にしますか？". True when there is no earlier
/// bye or the answer is Yes.
bool confirmSecondBye(const Workspace& ws, services::Services& ui, int row);

/// The proposal as one line (UTF-8): "抜け番の候補: <name>（<place>位、抜け番なし）", or that
/// nobody can sit out.
std::string byeProposalLine(const Workspace& ws, const ByeNeed& need, services::Services& ui);

/// The question of the pairing button for an odd round (UTF-8), naming the proposal.
std::string byeQuestion(const Workspace& ws, const ByeNeed& need, services::Services& ui);

/// Marks the bye of the need's round for the row and writes the table. Lock check; refused
/// for a row that is not unpaired in that round.
Outcome setRoundBye(Workspace& ws, services::Services& ui, const ByeNeed& need, int row);

}  // namespace toq::edit
