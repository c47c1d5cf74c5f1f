#include "server/routes.h"

#include <cctype>

#include "server/handlers.h"
#include "server/replies.h"
#include "server/texts.h"

namespace toq::server {

namespace {

constexpr Route kRoutes[] = {
    {Method::Get, "/", Caller::Anyone, handlers::home},
    {Method::Get, "/display", Caller::Anyone, handlers::display},
    {Method::Get, "/desk", Caller::Desk, handlers::desk},
    // The page itself holds nothing secret; it reads the key from its address and every
    // change it sends carries the key.
    {Method::Get, "/admin", Caller::Anyone, handlers::admin},
    {Method::Get, "/api/event", Caller::Anyone, handlers::event},
    {Method::Get, "/api/pairings", Caller::Anyone, handlers::pairings},
    {Method::Get, "/api/standings", Caller::Anyone, handlers::standings},
    {Method::Get, "/api/changes", Caller::Anyone, handlers::changes},
    {Method::Post, "/api/results", Caller::Organiser, handlers::postResult},
    {Method::Post, "/api/pair", Caller::Organiser, handlers::postPair},
    {Method::Post, "/api/desk/results", Caller::Desk, handlers::postDeskResult},
};

std::string_view methodName(Method m) {
  return m == Method::Get ? "GET" : "POST";
}

// The Host of a request must name the server by an IP address or as localhost: a page of
// another site that a DNS trick points at this machine sends its own name and is refused.
bool acceptableHost(const Request& r) {
  if (!r.hasHost) return true;  // HTTP/1.0
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
  if (host == "localhost") return true;
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

// 401 or 429 for a caller without the organiser's key; none for the organiser.
std::optional<Reply> organiserRefusal(Hub& hub, const Request& r) {
  if (hub.wrongKeys().blocked(r.address)) {
    Reply reply = errorReply(429, texts::kTooManyWrongKeys);
    reply.headers.emplace_back("Retry-After", "60");
    return reply;
  }
  const std::string_view given = bearerKey(r.authorization);
  if (given.empty() || !sameKey(given, hub.key())) {
    if (!given.empty()) hub.wrongKeys().wrongKey(r.address);
    Reply reply = errorReply(401, given.empty() ? texts::kNoKey : texts::kWrongKey);
    reply.headers.emplace_back("WWW-Authenticate", "Bearer");
    return reply;
  }
  return std::nullopt;
}

}  // namespace

std::span<const Route> routes() {
  return kRoutes;
}

void dispatch(Hub& hub, const Request& request, Done done) {
  if (!acceptableHost(request)) return done(errorReply(400, texts::kBadHost));
  const Route* route = nullptr;
  std::string allowed;
  for (const Route& r : kRoutes) {
    if (r.path != request.path) continue;
    // The desk's routes do not exist while the desk is off.
    if (r.caller == Caller::Desk && !hub.resultDesk()) continue;
    if (r.method == request.method) route = &r;
    if (!allowed.empty()) allowed += ", ";
    allowed += methodName(r.method);
  }
  if (!route && allowed.empty()) return done(errorReply(404, texts::kNotFound));
  if (!route) {
    Reply reply = errorReply(405, texts::kMethodNotAllowed);
    reply.headers.emplace_back("Allow", allowed);
    return done(std::move(reply));
  }
  if (route->caller == Caller::Organiser)
    if (std::optional<Reply> refusal = organiserRefusal(hub, request))
      return done(std::move(*refusal));
  // A cross-site form or a plain-text fetch cannot send this type without the browser asking
  // first, which the server never allows.
  if (request.method == Method::Post && hasBody(request) && !isJson(request.contentType))
    return done(errorReply(415, texts::kNotJson));
  route->handler(hub, request, std::move(done));
}

}  // namespace toq::server
