#pragma once
// The routes' handlers: each reads its request, hands the work to the table's owner and turns
// what the edit layer did into a status and JSON (or a page).

#include <functional>
#include <optional>

#include "edit/result_entry.h"
#include "journal/who.h"
#include "server/api.h"
#include "server/exchange.h"
#include "server/hub.h"
#include "server/request_services.h"

namespace toq::server::handlers {

void home(Hub& hub, const Request& request, Done done);
void display(Hub& hub, const Request& request, Done done);
/// "/standings": the standings for the prize-giving.
void standingsPage(Hub& hub, const Request& request, Done done);
void desk(Hub& hub, const Request& request, Done done);
void admin(Hub& hub, const Request& request, Done done);
/// "/" and "/display" of a venue of several sections, and the list of its sections.
void venueHome(Hub& hub, const Request& request, Done done);
void venueDisplay(Hub& hub, const Request& request, Done done);
void sections(Hub& hub, const Request& request, Done done);

void event(Hub& hub, const Request& request, Done done);
void pairings(Hub& hub, const Request& request, Done done);
void standings(Hub& hub, const Request& request, Done done);
/// The change events: the reply opens an event stream with the current version.
void changes(Hub& hub, const Request& request, Done done);

/// GET /api/find?q=TEXT: the players the text finds, with their boards (server/player_finder.h).
void findPlayer(Hub& hub, const Request& request, Done done);

void postResult(Hub& hub, const Request& request, Done done);
void postDeskResult(Hub& hub, const Request& request, Done done);
void postPair(Hub& hub, const Request& request, Done done);
/// POST and DELETE /api/absences: a participant sits out a round or withdraws, or takes it back.
void postAbsence(Hub& hub, const Request& request, Done done);
void deleteAbsence(Hub& hub, const Request& request, Done done);
/// POST /api/sort: the rows put in rating order before round 1.
void postSort(Hub& hub, const Request& request, Done done);

/// How a command that stopped is answered: 400 for a row or round the table does not have,
/// 409 with the edit layer's message for a refusal, 500 when the change could not be saved.
Reply refusal(const edit::Outcome& o, const RequestServices& ui);

/// Decides on the owner, before a result is entered, whether the request may go on: a
/// refusal, or none.
using ResultCheck = std::function<std::optional<Reply>(Hub&, const edit::Workspace&)>;
/// Enters a result read from a request on the section's owner under the rule, after `check`;
/// the journal names `who` (a desk's with the game's round and board).
void enterResult(Hub& hub, int section, const api::ResultRequest& asked, Done done,
                 edit::ResultEntryRule rule, ResultCheck check, journal::Who who);

/// The first message of an event stream, and each later one: the event's version.
std::string versionEvent(std::uint64_t version);

}  // namespace toq::server::handlers
