#pragma once
// One request and its reply as the routes see them, free of the network library: the
// connection's parser fills a Request, and the connection writes a Reply.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace toq::server {

enum class Method { Get, Head, Post, Delete, Other };

/// The method as the request line names it ("OTHER" for any other).
inline std::string_view methodName(Method m) {
  switch (m) {
    case Method::Get:
      return "GET";
    case Method::Head:
      return "HEAD";
    case Method::Post:
      return "POST";
    case Method::Delete:
      return "DELETE";
    case Method::Other:
      break;
  }
  return "OTHER";
}

/// A request as read from a connection.
struct Request {
  Method method = Method::Other;
  std::string path;           ///< the target before '?', as sent (not decoded)
  std::string query;          ///< the target after '?', as sent; empty without one
  std::string body;           ///< at most the body limit
  std::string contentType;    ///< the Content-Type header
  std::string authorization;  ///< the Authorization header
  std::string signature;      ///< the X-TOQ-Signature header of a signed change
  std::string sequence;       ///< the X-TOQ-Sequence header of a signed change
  std::string host;           ///< the Host header
  bool hasHost = false;       ///< the request carried a Host header
  int httpVersion = 11;       ///< 10 for HTTP/1.0, 11 for HTTP/1.1
  std::string address;        ///< the peer's address, for the wrong-key limit and the log
  /// The 0-based section its path named ("/t/2/..." is 1); the routes see the path without
  /// that beginning. 0 for a path without one.
  int section = 0;
  /// The path named a section ("/t/N/...").
  bool sectioned = false;
};

/// What a reply's body is.
enum class ContentKind { Html, Json, EventStream };

/// A reply. An event stream's body is its first event; the connection then stays open for
/// further events.
struct Reply {
  int status = 200;
  ContentKind kind = ContentKind::Json;
  std::string body;
  /// The page's Content-Security-Policy (pages carry their script's hash); empty: the policy
  /// of a reply that runs nothing.
  std::string policy;
  std::vector<std::pair<std::string, std::string>> headers;  ///< Allow, Retry-After...
  /// For an event stream: the versions it follows, a 0-based section or the venue's
  /// (server/versions.h).
  int channel = 0;
};

/// Receives the reply of a request; may be called from any thread.
using Done = std::function<void(Reply)>;

/// Limits of a request.
inline constexpr std::size_t kBodyLimit = 64 * 1024;
inline constexpr std::size_t kHeaderLimit = 8 * 1024;

}  // namespace toq::server
