#pragma once
// The reception at the door from the helpers' phones: the page /reception and its JSON. They
// exist only while the reception is on, and take the reception's own key ("Authorization:
// Bearer KEY"; the page reads it from its address after '#'), which adds participants and
// registers walk-ins and does nothing else. Every arrival passes the edit layer's one door
// and is announced as any change is.

#include "server/exchange.h"
#include "server/hub.h"

namespace toq::server::reception {

/// GET /reception: the page (holds nothing secret).
void page(Hub& hub, const Request& request, Done done);
/// GET /api/reception/players?q=TEXT: the registered players whose name or short name holds
/// TEXT, each with whether it is a participant.
void players(Hub& hub, const Request& request, Done done);
/// POST /api/reception/arrivals {"player":N}: 200 with the rows added; 409 when the player is
/// a participant already ("すでに受付済みです"), the table is full or locked.
void arrival(Hub& hub, const Request& request, Done done);
/// POST /api/reception/players {"name":"…","rating":N}: a walk-in registered and added.
void walkIn(Hub& hub, const Request& request, Done done);

}  // namespace toq::server::reception
