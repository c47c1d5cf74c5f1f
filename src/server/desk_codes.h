#pragma once
// The codes of the result slips. Each board of a round gets a code of 8 characters derived
// (HMAC-SHA256) from the event's desk secret, the round, the board and its two players (rows
// and player numbers): it opens the desk for that game only, and a slip printed before the
// round was paired again, or of an earlier round, opens nothing. The secret stays outside the
// table file (desk_secret.h), so that slips printed before a restart still work.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/workspace.h"
#include "server/api.h"

namespace toq::server {

/// The characters of a code: digits and capitals without the look-alikes 0/O, 1/I/L.
inline constexpr std::string_view kCodeAlphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
inline constexpr std::size_t kCodeLength = 8;
/// Bytes of a new desk secret.
inline constexpr std::size_t kDeskSecretBytes = 32;
inline constexpr std::size_t kDeskSecretBytesHex = 2 * kDeskSecretBytes;

/// The code of a board of a 1-based round.
std::string slipCode(std::string_view secret, int round, const api::Board& board);

/// A code as typed: capitals, spaces and hyphens dropped; empty when anything else is not of
/// the alphabet or the length is wrong.
std::string typedCode(std::string_view typed);

/// One board's slip.
struct Slip {
  int round = 0;  ///< 1-based
  api::Board board;
  std::string code;
};

/// The slips of a 0-based round (none: the latest paired round), one per board in the round
/// list's order; a bye has none.
std::vector<Slip> slipsOf(const edit::Workspace& ws, std::string_view secret,
                          std::optional<int> round);

/// The slip of the latest paired round whose code is `code` (as typedCode gives it); none
/// for any other code. Compares every board's code in full.
std::optional<Slip> findSlip(const edit::Workspace& ws, std::string_view secret,
                             std::string_view code);

}  // namespace toq::server
