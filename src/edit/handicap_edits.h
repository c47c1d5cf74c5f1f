#pragma once
// Handicap, sides and result of one game set by hand: the handicap dialog (HandicapDialog) and
// the handicap and result dialog (HandicapResultDialog). Neither has a lock check; both write the
// table.

#include <functional>
#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Positions of the side list: "未定", "先手", "後手".
inline constexpr int kSidePositions = 3;
extern const char* const kSideNames[kSidePositions];

/// The side list can be used only for an even game (handicap position 0): in a handicap game
/// the receiver moves first.
inline bool sideListEnabled(int handicapPosition) {
  return handicapPosition == 0;
}

/// What a handicap dialog shows for one game.
struct HandicapQuestion {
  int row = -1;
  int round = -1;
  int other = -1;            ///< the opponent's row
  bool withResult = false;   ///< HandicapResultDialog (with the result list) or HandicapDialog
  std::string title;         ///< CP932 "%d回戦 %s 対 %s の手合割" (…の手合割・勝敗)
  int handicapPosition = 0;  ///< of the game's handicap; -1 when the code is none of the list
  int sidePosition = 0;      ///< always opens at "未定"
  int resultPosition = 3;    ///< of the row's result (HandicapResultDialog only)
};

/// The answer of a handicap dialog.
struct HandicapAnswer {
  int handicapPosition = 0;
  int sidePosition = 0;
  int resultPosition = 3;  ///< read only for HandicapResultDialog
};

/// The dialog for the game of (row, round); none when the cell holds no game.
std::optional<HandicapQuestion> handicapQuestion(const Workspace& ws, services::Services& ui,
                                                 int row, int round, bool withResult);

/// Shows the dialog and answers the chosen positions; none on cancel.
using HandicapChooser = std::function<std::optional<HandicapAnswer>(const HandicapQuestion&)>;

/// Stores an answer in both rows of the game: an even game takes the chosen side ("未定"
/// makes both undecided); in a handicap game the lower-rated player receives it and moves
/// first (at equal ratings the row gives). False, with a message, for a position outside a
/// list.
bool applyHandicapAnswer(Workspace& ws, services::Services& ui, int round, int row, int other,
                         const HandicapAnswer& answer, bool withResult);

/// HandicapDialog: handicap and sides.
Outcome setHandicap(Workspace& ws, services::Services& ui, int row, int round,
                    const HandicapChooser& choose);
/// HandicapResultDialog: handicap, sides and result.
Outcome setHandicapAndResult(Workspace& ws, services::Services& ui, int row, int round,
                             const HandicapChooser& choose);

}  // namespace toq::edit
