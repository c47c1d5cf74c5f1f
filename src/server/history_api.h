#pragma once
// The event's journal over the network: GET /api/history?limit=N for the organiser, the latest
// changes with who made them, newest first:
//   {"steps":[{"step":n,"time":"…","who":{"kind":"desk","round":2,"board":7,"address":"…"},
//              "label":"…"}]}
// Rounds and boards are counted from 1. toq-cli's `history --json` writes the same.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal.h"
#include "server/exchange.h"
#include "server/hub.h"

namespace toq::server::history {

/// Steps listed when the query names no limit, and the most one answer lists.
inline constexpr std::size_t kDefaultLimit = 50;
inline constexpr std::size_t kMaxLimit = 2000;

/// The answer's JSON text.
std::string historyText(const std::vector<journal::StepInfo>& steps);
/// "limit=N" (1..kMaxLimit) or nothing; none with the reason otherwise.
std::optional<std::size_t> parseLimit(std::string_view query, std::string& error);

void getHistory(Hub& hub, const Request& request, Done done);

}  // namespace toq::server::history
