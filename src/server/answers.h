#pragma once
// The API's answers read from the workspace, on the owner's thread.

#include <cstdint>
#include <optional>
#include <string>

#include "edit/workspace.h"
#include "server/api.h"

namespace toq::server {

/// The event's name as the pages show it: the table file's name without its extension; for a
/// table without a file its title, else "対戦表". UTF-8.
std::string eventTitle(const data::Table& table);

api::EventInfo eventInfo(const edit::Workspace& ws, std::uint64_t version, bool resultDesk);

/// The pairings of a 0-based round (none: the latest paired round; none either when no round
/// is paired). The caller has checked that a given round is one of the table's.
api::Pairings pairingsOf(const edit::Workspace& ws, std::optional<int> round);

/// The game of (row, round) with its board number; none when the cell holds no game.
std::optional<api::Game> gameOf(const edit::Workspace& ws, int row, int round);

/// The standings after a 0-based round (none: the last complete round), computed into the
/// table's standings block. None with the reason when a game up to that round has no result.
std::optional<api::Standings> standingsOf(edit::Workspace& ws, std::optional<int> round,
                                          std::string& error);

}  // namespace toq::server
