#pragma once
// Finding one's board: the players whose name, short name or reading holds a typed text, with
// their board, side or handicap and opponent in the latest paired round (GET /api/find?q=…),
// the public page's search box that asks it, and the display's list of players in reading
// order for large events.

#include <string>
#include <string_view>

#include "edit/workspace.h"

namespace toq::server {

/// Events of this many participants get the display's list of players in reading order.
inline constexpr int kReadingListFrom = 60;

/// The answer of GET /api/find for a query text (UTF-8): {"round":K,"players":[{"name",
/// "board","side","handicap","opponent","note"}]}, at most a screenful, exact matches first.
std::string findAnswer(const edit::Workspace& ws, std::string_view query);

/// The public page's search box (HTML) and its script.
std::string finderBox();
std::string_view finderScript();

/// The display's section of every participant in あいうえお order of their reading (those
/// without one after, in register order) with their board in the latest paired round; empty
/// below kReadingListFrom participants.
std::string readingOrderSection(const edit::Workspace& ws);

}  // namespace toq::server
