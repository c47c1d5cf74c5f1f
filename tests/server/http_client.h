#pragma once
// A small HTTP client for the server's tests: loopback only, every exchange bounded in time.

#include <chrono>
#include <map>
#include <memory>
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

/// A TCP connection to 127.0.0.1:port from the loopback address `from`; closed when it goes.
/// Every wait is bounded by the caller's deadline.
class Connection {
 public:
  Connection(unsigned short port, const std::string& from);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  /// Connected, and not closed by either side.
  bool open() const { return open_; }
  /// Sends every byte; false (and closed) when that failed.
  bool send(const std::string& bytes);
  /// Waits until `deadline` for bytes and appends what came to `into`; false when nothing came
  /// in time or the other side closed (then `open()` is false).
  bool receive(std::string& into, std::chrono::steady_clock::time_point deadline);
  void close();

 private:
  struct Socket;
  std::unique_ptr<Socket> socket_;
  bool open_ = false;
};

/// A connection from the loopback address `from` that sends `bytes` (maybe none) and then holds
/// still; null when it could not connect.
std::unique_ptr<Connection> holdConnection(unsigned short port, const std::string& from,
                                           const std::string& bytes = {});

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

  bool ok() const { return connection_ && connection_->open(); }
  /// Reads until the text received so far holds `count` version events or the time is up;
  /// the versions received, in order.
  std::vector<unsigned long long> versions(std::size_t count, std::chrono::milliseconds timeout);
  /// Reads for up to `timeout` until the answer's status line is in: its status, 0 for none.
  int status(std::chrono::milliseconds timeout);
  /// Closes the connection.
  void close();

 private:
  std::unique_ptr<Connection> connection_;
  std::string received_;
};

}  // namespace toq::testing
