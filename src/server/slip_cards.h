#pragma once
// The result slips of a round as the print layout draws them: the boards in the round list's
// order (as GET /api/pairings lists them), each with its desk code and the desk's address.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/workspace.h"
#include "reports/print/slips.h"

namespace toq::server {

/// The slips of a 0-based round (none: the latest paired round); a bye has none. `address`
/// is "http://HOST:PORT" (a section's "/t/N" may follow); each slip's QR code is to open
/// address + "/desk#CODE". The QR modules are left for the front end to encode.
std::vector<reports::print::SlipCard> slipCards(const edit::Workspace& ws, std::string_view secret,
                                                std::optional<int> round, std::string_view address);

/// The address `serve --lan` would print first: this machine's first network address (else
/// 127.0.0.1) at the default port.
std::string lanAddress();

}  // namespace toq::server
