#pragma once
// The result desk that needs a board's slip, and the answer to an organiser's address of an
// earlier version (the key in its query).

#include <cstdint>
#include <string_view>

#include "edit/workspace.h"
#include "server/pages.h"

namespace toq::server {

/// "/desk" with slips: asks for the slip's code (or takes it from after '#'), then shows
/// that board, the three choices and a confirmation.
Page slipDeskPage(const edit::Workspace& ws, std::uint64_t version, std::string_view base);

/// "/admin?key=...": says to use the new address; its script stores nothing.
Page movedAdminPage();

/// The slip desk's script.
std::string_view slipDeskScript();

}  // namespace toq::server
