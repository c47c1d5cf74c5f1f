#pragma once
// The reception (受付) at the door on the morning of the event: the register searched as a
// name is typed, an arrival added to the table with the player's rows, a walk-in (当日参加)
// registered and added in one step. The window's dialog and the phones' page both use it,
// each arrival through the one door (edit/command_door.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/outcome.h"
#include "edit/players.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One line of the reception's list.
struct ReceptionLine {
  int number = 0;         ///< player number
  std::string name;       ///< CP932
  std::string shortName;  ///< CP932, may be empty
  int rating = 0;
  bool participant = false;  ///< already received (in the table)
};

/// The registered players whose name, short name or reading holds `query` (UTF-8, compared
/// by their search keys: variant kanji, widths, katakana and hiragana, spaces folded; empty:
/// everyone): those that match exactly first, then those not yet received, then those
/// received, each in register order.
std::vector<ReceptionLine> receptionList(const Workspace& ws, std::string_view query);

/// "受付済み 42人 / 申込 60人": players in the table, players in the register.
std::string receptionCount(const Workspace& ws);

/// Adds an arrival with as many rows as the player's boards; a player already in the table is
/// refused with "すでに受付済みです". Lock check; at 99 rows the table's message. Rounds
/// already paired are marked absent on the new rows. Outcome: `other` the number, `row` the
/// first new row, `count` rows added, `round` the first round the player takes part in.
Outcome receivePlayer(Workspace& ws, services::Services& ui, int number);

/// Registers a walk-in (refused as a registration is) and adds them as receivePlayer does.
/// The table's capacity and lock are checked before anything is registered.
Outcome registerWalkIn(Workspace& ws, services::Services& ui, const PlayerForm& form);

/// The undo step's name: "受付 NAME" or "当日参加 NAME" (UTF-8).
std::string receptionLabel(std::string_view nameUtf8, bool walkIn);

/// The name (UTF-8) of the check-in the latest undo step made, when that step is one; the
/// reception's Ctrl+Z takes back only a check-in.
std::optional<std::string> arrivalStepName(const Workspace& ws);

}  // namespace toq::edit
