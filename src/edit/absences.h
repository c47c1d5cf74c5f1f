#pragma once
// A participant who sits out one round (休場) or withdraws from a round on (棄権: that round
// and every later one), and taking either back for rounds not yet paired. An absence is the
// table's absent code in the row's rounds: the pairing leaves the row out, the standings keep
// its games.

#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One absence asked for.
struct AbsenceRequest {
  int row = -1;           ///< 0-based table row
  int round = -1;         ///< 0-based round: the round sat out, or the first round withdrawn
  bool fromOn = false;    ///< withdrawal: every round from `round` to the last
  bool takeBack = false;  ///< take the absence back (rounds already paired keep theirs)
};

/// What becomes of a game already paired in a round the absence touches.
enum class PairedGame {
  Keep,     ///< the game stays; its result is entered as usual (a loss by forfeit...)
  TakeOut,  ///< the game is taken out; the opponent is left to pair by hand or give a bye
};

/// The question before an absence that touches a paired round (UTF-8), or none. Sitting out
/// a paired round can only take its game out (a yes/no question); withdrawing asks whether to
/// keep that game (yes) or take it out (no).
std::optional<std::string> pairedGameQuestion(const Workspace& ws, const AbsenceRequest& asked,
                                              services::Services& ui);

/// Sets or takes back the absence and writes the table. Lock check; the row and round are
/// checked; taking back refuses a round already paired; an absence already set, or nothing to
/// take back, stops with NothingToDo after a status message. Outcome: row and round.
Outcome setAbsence(Workspace& ws, services::Services& ui, const AbsenceRequest& asked,
                   PairedGame paired);

/// The undo step's name (UTF-8): "休場", "棄権" or "休場・棄権の取り消し".
const char* absenceStepLabel(const AbsenceRequest& asked);

}  // namespace toq::edit
