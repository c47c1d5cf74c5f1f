#pragma once
// One request read from raw bytes exactly as a connection reads it, without a socket: the
// fuzz target drives the parser, the routes and the JSON bodies through it.

#include <optional>
#include <string_view>

#include "server/exchange.h"

namespace toq::server {

/// What the bytes held.
struct ParsedRequest {
  std::optional<Request> request;  ///< a whole request
  std::optional<Reply> refusal;    ///< the reply to bytes that are no request (400, 413, 431)
  /// Neither: the bytes end before the request does.
  bool incomplete() const { return !request && !refusal; }
};

ParsedRequest parseRequest(std::string_view bytes, std::string_view address);

}  // namespace toq::server
