#pragma once
// The result desk that needs a board's slip, and the organiser's page that answers an old
// address with the key in its query.

#include "server/exchange.h"
#include "server/hub.h"

namespace toq::server::handlers {

/// GET /desk: the desk that asks for a slip's code (or opens on the code after '#'); the
/// open desk when the host chose it.
void slipDesk(Hub& hub, const Request& request, Done done);
/// GET /api/desk/slip?code=CODE: the slip's game, as POST /api/results answers it; 403 for a
/// missing or wrong code, counted towards the address's limit.
void deskSlip(Hub& hub, const Request& request, Done done);
/// POST /api/desk/results {"round","row","result","code"}: the result of the slip's game
/// only; the open desk takes it without a code.
void deskResult(Hub& hub, const Request& request, Done done);
/// GET /admin: the organiser's page; with the key in the query (an address of an earlier
/// version), a page that says to use the new address and stores nothing.
void adminOrMoved(Hub& hub, const Request& request, Done done);

}  // namespace toq::server::handlers
