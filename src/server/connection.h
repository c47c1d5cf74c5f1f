#pragma once
// One connection of the venue server: requests one after another, or, after a request for the
// change events, an event stream. Its limits (per address, timeouts) are named here; the
// network side (network.h) counts what each address holds.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "server/http_request.h"
#include "server/net.h"
#include "server/versions.h"

namespace toq::server {

/// Connections one address may hold at once; more are closed as they arrive. The organiser's
/// own machine (127.0.0.1, ::1) is not counted.
inline constexpr int kConnectionsPerAddress = 16;
/// Event streams one address may hold at once; more are answered 503 (the page then asks
/// /api/event from time to time instead).
inline constexpr int kListenersPerAddress = 8;
/// Time for a request's first bytes and its headers (and for a kept-alive connection's next
/// request), and for its body.
inline constexpr auto kRequestTimeout = std::chrono::seconds(10);
/// Time an answer, or an event of a stream, may take to be taken by the client. A phone that
/// left the network without closing its stream is dropped after this long.
inline constexpr auto kWriteTimeout = std::chrono::seconds(60);
/// A comment on each open event stream this often keeps idle proxies and phones from closing
/// it, and finds connections whose peer has gone.
inline constexpr auto kHeartbeat = std::chrono::seconds(15);
/// How long, and how much, a refused request's rest is read and dropped before its
/// connection closes.
inline constexpr auto kDrainTime = std::chrono::seconds(2);
inline constexpr std::size_t kDrainLimit = 1024 * 1024;

struct Network;

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  /// Where a connection stands; every handler of the connection starts from it.
  enum class State {
    Reading,       ///< waiting for a request (or the next one on a kept-alive connection)
    Answering,     ///< the request's job is with the table's owner
    Writing,       ///< the answer is being sent
    Opening,       ///< the event stream's head is being sent
    Streaming,     ///< an open event stream, nothing being sent
    SendingEvent,  ///< an open event stream, an event or a heartbeat being sent
    Draining,      ///< the rest of a refused request is read and dropped
    Closed,
  };

  Connection(tcp::socket socket, std::shared_ptr<Network> network, std::uint64_t id,
             std::string address);

  void start() { read(); }
  const std::string& address() const { return address_; }
  State state() const { return state_; }

  /// Stopping: a connection waiting for a request, or streaming events, closes now; one whose
  /// request is being answered closes after its answer.
  void stopIdle();
  void close();
  /// The answer of the request in flight, on the network thread.
  void deliver(Reply reply);
  /// A new version of a section (server/versions.h), for an event stream that follows it.
  void announce(const Announcement& a);

 private:
  /// The request being answered, for its answer and the log.
  struct Current {
    Request request;
    bool keepAlive = false;
    bool head = false;        ///< HEAD: the answer's head only
    bool closeAfter = false;  ///< not read to its end: the connection ends after the answer
    int status = 0;
    std::size_t bytes = 0;
    std::chrono::steady_clock::time_point started;
  };

  bool streaming() const { return state_ == State::Streaming || state_ == State::SendingEvent; }
  void read();
  void onRead(beast::error_code ec);
  void write(Reply reply);
  void onWrite(beast::error_code ec, bool keepAlive);
  void finishRequest();
  void logRequest();
  void closeGently();
  void drain();
  void openEvents();
  void onEventsOpen(beast::error_code ec);
  void sendEvent();
  void writeText(std::string text);
  void beat();

  beast::tcp_stream stream_;
  std::weak_ptr<Network> network_;
  std::uint64_t id_;
  std::string address_;
  net::steady_timer heartbeat_;
  beast::flat_buffer buffer_;
  std::optional<RequestParser> parser_;
  Current current_;
  State state_ = State::Reading;
  bool counted_ = false;  ///< counted among the requests in flight
  char sink_[256] = {};
  int channel_ = 0;  ///< the versions an event stream follows
  std::uint64_t sentVersion_ = 0;
  std::uint64_t pendingVersion_ = 0;
  std::size_t drained_ = 0;
};

}  // namespace toq::server
