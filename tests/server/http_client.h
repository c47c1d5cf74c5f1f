#pragma once
// A small HTTP client for the server's tests: loopback only, every exchange bounded in time.

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace toq::testing {

/// What came back; status 0 when no answer came.
struct HttpAnswer {
  int status = 0;
  std::map<std::string, std::string> headers;  ///< lower-case names
  std::string body;

  bool has(const std::string& name) const { return headers.count(name) != 0; }
  std::string header(const std::string& name) const {
    auto it = headers.find(name);
    return it == headers.end() ? std::string() : it->second;
  }
};

/// Sends the bytes to 127.0.0.1:port on a new connection and reads one answer; `from` is the
/// loopback address the connection comes from (127.0.0.2... stand in for phones).
HttpAnswer sendRequest(unsigned short port, const std::string& bytes,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10),
                       const std::string& from = "127.0.0.1");

/// A connection from the loopback address `from` that sends `bytes` (maybe none) and then holds
/// still; -1 when it could not connect. The caller closes it.
int holdConnection(unsigned short port, const std::string& from, const std::string& bytes = {});

/// A request's bytes: method, target, extra header lines ("Name: value"), body.
std::string requestBytes(const std::string& method, const std::string& target,
                         const std::vector<std::string>& headers = {},
                         const std::string& body = {});

/// An open event stream: reads what the server sends, within a time limit.
class EventStream {
 public:
  /// Connects from `from` and asks for `path`; `ok()` tells whether the request was sent.
  explicit EventStream(unsigned short port, const std::string& from = "127.0.0.1",
                       const std::string& path = "/api/changes");
  ~EventStream();
  EventStream(const EventStream&) = delete;
  EventStream& operator=(const EventStream&) = delete;

  bool ok() const { return open_; }
  /// Reads until the text received so far holds `count` version events or the time is up;
  /// the versions received, in order.
  std::vector<unsigned long long> versions(std::size_t count, std::chrono::milliseconds timeout);
  /// Reads for up to `timeout` until the answer's status line is in: its status, 0 for none.
  int status(std::chrono::milliseconds timeout);
  /// Closes the connection.
  void close();

 private:
  int socket_ = -1;
  bool open_ = false;
  std::string received_;
};

}  // namespace toq::testing
