#pragma once
// The reception's page for the helpers' phones: search as a name is typed, tap, confirm in a
// box with the name and rating, and walk-ins. It reads its key from its address after '#'.

#include <string_view>

#include "edit/workspace.h"
#include "server/pages.h"

namespace toq::server::reception {

/// "/reception"; `base` as for the other pages ("" or "/t/N").
Page receptionPage(const edit::Workspace& ws, std::string_view base);

}  // namespace toq::server::reception
