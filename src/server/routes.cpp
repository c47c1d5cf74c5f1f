#include "server/routes.h"

#include <algorithm>
#include <cctype>

#include "server/address_names.h"
#include "server/api.h"
#include "server/client_groups.h"
#include "server/desk_handlers.h"
#include "server/guard_texts.h"
#include "server/handlers.h"
#include "server/history_api.h"
#include "server/reception.h"
#include "server/replies.h"
#include "server/request_signature.h"
#include "server/texts.h"

namespace toq::server {

namespace {

constexpr Route kRoutes[] = {
    {Method::Get, "/", Caller::Anyone, handlers::home, handlers::venueHome, true},
    {Method::Get, "/display", Caller::Anyone, handlers::display, handlers::venueDisplay, true},
    {Method::Get, "/standings", Caller::Anyone, handlers::standingsPage, nullptr, true},
    {Method::Get, "/desk", Caller::Desk, handlers::slipDesk, nullptr, true},
    // The page itself holds nothing secret; it reads the key from its address's fragment
    // (never sent) and signs every change with it.
    {Method::Get, "/admin", Caller::Anyone, handlers::adminOrMoved, nullptr, true},
    {Method::Get, "/api/sections", Caller::Anyone, handlers::sections, nullptr, true},
    {Method::Get, "/api/event", Caller::Anyone, handlers::event, nullptr, true},
    {Method::Get, "/api/pairings", Caller::Anyone, handlers::pairings, nullptr, true},
    {Method::Get, "/api/standings", Caller::Anyone, handlers::standings, nullptr, true},
    {Method::Get, "/api/changes", Caller::Anyone, handlers::changes},
    {Method::Get, "/api/find", Caller::Anyone, handlers::findPlayer},
    {Method::Post, "/api/results", Caller::Organiser, handlers::postResult},
    {Method::Post, "/api/pair", Caller::Organiser, handlers::postPair},
    {Method::Get, "/api/history", Caller::Organiser, history::getHistory},
    {Method::Post, "/api/absences", Caller::Organiser, handlers::postAbsence},
    {Method::Delete, "/api/absences", Caller::Organiser, handlers::deleteAbsence},
    {Method::Post, "/api/sort", Caller::Organiser, handlers::postSort},
    {Method::Post, "/api/desk/results", Caller::Desk, handlers::deskResult},
    {Method::Get, "/api/desk/slip", Caller::Desk, handlers::deskSlip},
    // The reception checks its own key (server/reception.h).
    {Method::Get, "/reception", Caller::Anyone, reception::page},
    {Method::Get, "/api/reception/players", Caller::Anyone, reception::players},
    {Method::Post, "/api/reception/arrivals", Caller::Anyone, reception::arrival},
    {Method::Post, "/api/reception/players", Caller::Anyone, reception::walkIn},
};

std::string_view methodNames(Method m) {
  return m == Method::Get ? "GET, HEAD" : methodName(m);
}

bool answers(const Route& r, Method asked) {
  return r.method == asked || (r.method == Method::Get && asked == Method::Head);
}

// "/t/N/rest" names section N (from 1): the request as the section's routes see it, with the
// path "/rest". False for a section the venue does not have.
bool takeSection(const Hub& hub, Request& r) {
  constexpr std::string_view kPrefix = "/t/";
  const std::string_view path = r.path;
  if (path.substr(0, kPrefix.size()) != kPrefix) return true;
  const std::size_t end = std::min(path.find('/', kPrefix.size()), path.size());
  const std::string_view digits = path.substr(kPrefix.size(), end - kPrefix.size());
  if (digits.empty() || digits.size() > 3 || digits.front() == '0') return false;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    n = n * 10 + (c - '0');
  }
  if (n > hub.sections()) return false;
  r.section = n - 1;
  r.sectioned = true;
  r.path = end < path.size() ? std::string(path.substr(end)) : std::string("/");
  return true;
}

// The Host of a request must name the server by an IP address or as localhost: a page of
// another site that a DNS trick points at this machine sends its own name and is refused.
bool acceptableHost(const Request& r) {
  if (!r.hasHost) return r.httpVersion < 11;  // HTTP/1.1 requires one
  std::string_view host = r.host;
  if (!host.empty() && host.front() == '[') {
    const std::size_t close = host.find(']');
    if (close == std::string_view::npos) return false;
    const std::string_view rest = host.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return false;
    host = host.substr(1, close - 1);
    if (host.empty()) return false;
    for (char c : host)
      if (!(std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.')) return false;
    return true;
  }
  const std::size_t colon = host.find(':');
  const std::string_view port = colon == std::string_view::npos ? "" : host.substr(colon + 1);
  host = host.substr(0, colon);
  for (char c : port)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  if (host == address_names::kLocalhost) return true;
  if (host.empty()) return false;
  for (char c : host)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.')) return false;
  return true;
}

// "application/json", with parameters ("; charset=utf-8") allowed; the type is
// case-insensitive.
bool isJson(std::string_view contentType) {
  constexpr std::string_view kJson = "application/json";
  if (contentType.size() < kJson.size()) return false;
  for (std::size_t i = 0; i < kJson.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(contentType[i])) != kJson[i]) return false;
  const std::string_view rest = contentType.substr(kJson.size());
  return rest.empty() || rest.front() == ';' || rest.front() == ' ';
}

bool hasBody(const Request& r) {
  return r.body.find_first_not_of(" \t\r\n") != std::string::npos;
}

// 401 or 429 for a caller without the organiser's key; none for the organiser. The right key
// (or a right signature) always passes, even from an address blocked for wrong keys; a signed
// change is taken once only.
std::optional<Reply> organiserRefusal(Hub& hub, const Request& asked) {
  const bool signedChange = isSigned(asked);
  const std::string_view given = bearerKey(asked.authorization);
  const bool right =
      signedChange ? signedWith(asked, hub.key()) : !given.empty() && sameKey(given, hub.key());
  if (right && signedChange && !hub.usedSequences().use(*sequenceNumber(asked.sequence)))
    return errorReply(401, texts::kSequenceUsed);
  if (right) return std::nullopt;
  const std::string counted = limitedAddress(asked.address);
  if (hub.wrongKeys().blocked(counted)) {
    Reply reply = errorReply(429, texts::kTooManyWrongKeys);
    reply.headers.emplace_back("Retry-After", "60");
    return reply;
  }
  if (signedChange || !given.empty()) hub.wrongKeys().wrongKey(counted);
  Reply reply = errorReply(401, signedChange    ? texts::kBadSignature
                                : given.empty() ? texts::kNoKey
                                                : texts::kWrongKey);
  reply.headers.emplace_back("WWW-Authenticate", "Bearer");
  return reply;
}

// With several sections, a path without "/t/N/" names the venue's own pages and the version
// only; any other answers 404 rather than acting on one section unasked.
bool servedWithoutSection(std::string_view path) {
  for (std::string_view venueWide :
       {"/", "/display", "/api/sections", "/api/event", "/api/changes"})
    if (path == venueWide) return true;
  return false;
}

// What a kept answer depends on besides the version: the venue or the section, the path, and
// for the API the round asked for (a page ignores its query, so "/?1", "/?2"... share one).
std::optional<std::string> keptKey(const Request& request, bool venue) {
  std::string what = (venue ? "venue" : std::to_string(request.section)) +
                     (request.sectioned ? " t" : " ") + request.path;
  // An old organiser's address is answered without the table and never kept.
  if (request.path == "/admin" && !request.query.empty()) return std::nullopt;
  if (request.path.rfind("/api/", 0) != 0) return what;
  std::string error;
  const std::optional<api::RoundQuery> q = api::parseRoundQuery(request.query, error);
  if (!q) return std::nullopt;  // refused by the handler, never kept
  return q->round ? what + "?round=" + std::to_string(*q->round) : what;
}

}  // namespace

std::span<const Route> routes() {
  return kRoutes;
}

void dispatch(Hub& hub, const Request& asked, Done done) {
  if (!acceptableHost(asked)) return done(errorReply(400, texts::kBadHost));
  Request request = asked;
  if (!takeSection(hub, request)) return done(errorReply(404, texts::kNotFound));
  if (hub.sections() > 1 && !request.sectioned && !servedWithoutSection(request.path))
    return done(errorReply(404, texts::kNotFound));
  const Route* route = nullptr;
  std::string allowed;
  for (const Route& r : kRoutes) {
    if (r.path != request.path) continue;
    // The desk's routes do not exist while the desk is off.
    if (r.caller == Caller::Desk && !hub.resultDesk()) continue;
    if (answers(r, request.method)) route = &r;
    if (!allowed.empty()) allowed += ", ";
    allowed += methodNames(r.method);
  }
  if (!route && allowed.empty()) return done(errorReply(404, texts::kNotFound));
  if (!route) {
    Reply reply = errorReply(405, texts::kMethodNotAllowed);
    reply.headers.emplace_back("Allow", allowed);
    return done(std::move(reply));
  }
  if (route->caller == Caller::Organiser)
    if (std::optional<Reply> refusal = organiserRefusal(hub, asked))
      return done(std::move(*refusal));
  // A cross-site form or a plain-text fetch cannot send this type without the browser asking
  // first, which the server never allows.
  if ((request.method == Method::Post || request.method == Method::Delete) && hasBody(request) &&
      !isJson(request.contentType))
    return done(errorReply(415, texts::kNotJson));
  const bool venue = route->venueHandler && hub.sections() > 1 && !request.sectioned;
  const Handler handler = venue ? route->venueHandler : route->handler;
  const std::optional<std::string> what = keptKey(request, venue);
  if (!route->keptPerVersion || !what) return handler(hub, request, std::move(done));
  // A crowd of phones reloading after a change costs the owner one build of each answer.
  hub.keptOrBuilt(*what, hub.version(venue ? kVenueChannel : hub.channelOf(request)),
                  std::move(done), [&](Done built) { handler(hub, request, std::move(built)); });
}

}  // namespace toq::server
