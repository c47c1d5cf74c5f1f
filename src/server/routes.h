#pragma once
// The route table: every method and path the server answers, who may call it, and its
// handler. Any other path is 404; no route reads a file named by a request.

#include <span>
#include <string_view>

#include "server/exchange.h"
#include "server/hub.h"

namespace toq::server {

/// Who may call a route.
enum class Caller {
  Anyone,     ///< the public pages and the reading API
  Organiser,  ///< "Authorization: Bearer KEY" with the organiser's key
  Desk,       ///< anyone, but only while the result desk is on (else the route does not exist)
};

/// A handler answers its request through `done`, at once or after the owner has run its job.
using Handler = void (*)(Hub& hub, const Request& request, Done done);

struct Route {
  Method method;
  std::string_view path;
  Caller caller;
  Handler handler;
  /// The venue's own page at a path without "/t/N" when several sections are served (its
  /// list of sections, its rotating display); none: the first section's.
  Handler venueHandler = nullptr;
  /// Its answer depends only on the venue's version: built once per version for everyone.
  bool keptPerVersion = false;
};

/// Every route, pages first.
std::span<const Route> routes();

/// Answers a request: the Host check (400 also for HTTP/1.1 without one), the section its path
/// names ("/t/N/..."; 404 for none such), its route (404 for none, 405 for another method; a
/// HEAD as the GET), who calls it (401, 429, 404 for the desk when off), the form of a POST's
/// body (415), then the route's handler, or the answer kept for this version.
void dispatch(Hub& hub, const Request& request, Done done);

}  // namespace toq::server
