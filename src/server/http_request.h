#pragma once
// Requests as the network library reads them. Included only by the files that speak HTTP
// (the connections and the raw-bytes reader); GCC 12 with Boost 1.74 in C++20 needs <utility>
// before Asio, whose awaitable.hpp uses std::exchange without including it.

#include <optional>
#include <utility>

#include <boost/beast/http.hpp>

#include "server/exchange.h"

namespace toq::server {

namespace http = boost::beast::http;

/// The parser of one request with the server's limits.
using RequestParser = http::request_parser<http::string_body>;
void applyLimits(RequestParser& parser);

/// The request as the routes see it.
Request toRequest(const http::request<http::string_body>& message, std::string address);

/// 400 for a request whose framing is in doubt, after which the connection closes: a
/// Transfer-Encoding other than exactly "chunked" (its bytes would otherwise be read as the
/// next request), or more than one Host header. None for a sound request.
std::optional<Reply> framingRefusal(const http::request<http::string_body>& message);

/// The reply to a request that could not be read: 413 for a body over the limit, 431 for
/// headers over theirs, 400 for anything else.
Reply unreadable(const boost::beast::error_code& error);

}  // namespace toq::server
