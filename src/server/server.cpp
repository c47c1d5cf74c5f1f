#include "server/server.h"

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <ctime>
#include <future>
#include <map>
#include <optional>
#include <thread>

#include "server/handlers.h"
#include "server/http_request.h"
#include "server/hub.h"
#include "server/pages.h"
#include "server/replies.h"
#include "server/routes.h"
#include "server/texts.h"
#include "text/format.h"

namespace toq::server {

namespace net = boost::asio;
namespace beast = boost::beast;
using tcp = net::ip::tcp;

namespace {

/// Connections open at once; more are closed as they arrive.
constexpr std::size_t kMaxConnections = 256;
/// Pages listening for changes at once; more are answered 503.
constexpr int kMaxListeners = 200;
/// Time a request may take to arrive (and a kept-alive connection may wait for the next one).
constexpr auto kReadTimeout = std::chrono::seconds(30);
/// Time an answer may take to be taken by the client.
constexpr auto kWriteTimeout = std::chrono::seconds(30);
/// A comment on each open event stream this often keeps idle proxies and phones from closing
/// it, and finds connections whose peer has gone.
constexpr auto kHeartbeat = std::chrono::seconds(15);
/// How long, and how much, a refused request's rest is read and dropped before its
/// connection closes.
constexpr auto kDrainTime = std::chrono::seconds(2);
constexpr std::size_t kDrainLimit = 1024 * 1024;
/// Characters of a path the access log keeps.
constexpr std::size_t kLoggedPathLength = 200;

// Beast of Boost 1.74 takes its own string_view.
beast::string_view view(std::string_view s) {
  return {s.data(), s.size()};
}

std::string_view contentType(ContentKind kind) {
  switch (kind) {
    case ContentKind::Html:
      return "text/html; charset=utf-8";
    case ContentKind::EventStream:
      return "text/event-stream; charset=utf-8";
    default:
      return "application/json; charset=utf-8";
  }
}

std::string_view methodText(Method m) {
  switch (m) {
    case Method::Get:
      return "GET";
    case Method::Head:
      return "HEAD";
    case Method::Post:
      return "POST";
    default:
      return "OTHER";
  }
}

// The path as the log shows it: printable ASCII, everything else as %XX, cut short.
std::string loggedPath(std::string_view path) {
  std::string out;
  for (char c : path.substr(0, kLoggedPathLength)) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F && c != '%' && c != '"')
      out += c;
    else
      out += text::format("%%%02X", u);
  }
  if (path.size() > kLoggedPathLength) out += "...";
  return out;
}

std::string localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
  return buffer;
}

// An IPv4 peer on a dual-stack socket shows as its IPv4 address.
std::string peerAddress(const tcp::socket& socket) {
  beast::error_code ec;
  net::ip::address a = socket.remote_endpoint(ec).address();
  if (ec) return "?";
  if (a.is_v6() && a.to_v6().is_v4_mapped())
    a = net::ip::make_address_v4(net::ip::v4_mapped, a.to_v6());
  return a.to_string();
}

class Session;

// The network side: the io_context and its thread, the listener, the open connections.
struct Network : std::enable_shared_from_this<Network> {
  net::io_context ioc{1};
  /// Keeps the network thread running while no connection is open; let go by stop().
  std::optional<net::executor_work_guard<net::io_context::executor_type>> work{ioc.get_executor()};
  tcp::acceptor acceptor{ioc};
  /// A failed accept (no file handle left) is tried again after a pause, not at once.
  net::steady_timer acceptPause{ioc};
  std::shared_ptr<Hub> hub;
  std::map<std::uint64_t, std::shared_ptr<Session>> sessions;  // network thread only
  std::uint64_t nextId = 1;
  std::atomic<int> inFlight{0};
  std::atomic<bool> stopping{false};
  std::thread thread;

  void accept();
  void announce(std::uint64_t version);
  void remove(std::uint64_t id) { sessions.erase(id); }
  void log(const std::string& line) const {
    if (!hub->hooks().accessLog) return;
    // A key that a client wrote into its path never reaches the log.
    std::string scrubbed = line;
    const std::string& key = hub->key();
    for (std::size_t at; !key.empty() && (at = scrubbed.find(key)) != std::string::npos;)
      scrubbed.replace(at, key.size(), "****");
    hub->hooks().accessLog(scrubbed);
  }
  void pagesChanged() const {
    if (hub->hooks().openPagesChanged) hub->hooks().openPagesChanged(hub->openPages.load());
  }
};

// One connection: requests one after another, or, after a request for the change events, an
// event stream.
class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(tcp::socket socket, std::shared_ptr<Network> network, std::uint64_t id)
      : stream_(std::move(socket)),
        network_(network),
        id_(id),
        address_(peerAddress(stream_.socket())),
        heartbeat_(stream_.get_executor()) {}

  void start() { read(); }

  // Stopping: a connection waiting for a request, or streaming events, closes now; one whose
  // request is being answered closes after its answer.
  void stopIdle() {
    if (!busy_) close();
  }

  void close() {
    if (closed_) return;
    closed_ = true;
    if (busy_) {
      busy_ = false;
      if (auto n = network_.lock()) --n->inFlight;
    }
    if (streaming_) {
      streaming_ = false;
      if (auto n = network_.lock()) {
        --n->hub->openPages;
        n->pagesChanged();
      }
    }
    heartbeat_.cancel();
    beast::error_code ec;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ec);
    stream_.close();
    if (auto n = network_.lock()) n->remove(id_);
  }

  // The answer of the request in flight, on the network thread.
  void deliver(Reply reply) {
    if (closed_ || !busy_) return;
    if (reply.kind == ContentKind::EventStream && reply.status == 200) {
      auto n = network_.lock();
      if (!n || n->stopping || n->hub->openPages.load() >= kMaxListeners) {
        reply = errorReply(503, texts::kBusy);
      } else {
        openEvents();
        return;
      }
    }
    write(std::move(reply));
  }

  // A new version, for an event stream.
  void announce(std::uint64_t version) {
    if (!streaming_ || closed_) return;
    pendingVersion_ = std::max(pendingVersion_, version);
    if (!writing_) sendEvent();
  }

 private:
  void read() {
    parser_.emplace();
    applyLimits(*parser_);
    stream_.expires_after(kReadTimeout);
    http::async_read(
        stream_, buffer_, *parser_,
        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
  }

  void onRead(beast::error_code ec) {
    if (closed_) return;
    auto n = network_.lock();
    if (!n) return close();
    started_ = std::chrono::steady_clock::now();
    if (ec) {
      // A request cut short by its client, the timeout or the server's stop gets no answer;
      // one that could not be read is told why, and the connection ends.
      const bool unanswered = ec == http::error::end_of_stream || ec == beast::error::timeout ||
                              ec == net::error::operation_aborted || !parser_->got_some() ||
                              ec == net::error::connection_reset || ec == net::error::eof;
      if (unanswered) return close();
      busy_ = true;
      ++n->inFlight;
      current_ = Request{};
      current_.path = std::string(parser_->get().target());
      closeAfter_ = true;
      return write(unreadable(ec));
    }
    busy_ = true;
    ++n->inFlight;
    keepAlive_ = parser_->get().keep_alive();
    head_ = parser_->get().method() == http::verb::head;
    current_ = toRequest(parser_->get(), address_);
    parser_.reset();
    stream_.expires_never();
    std::weak_ptr<Network> network = n;
    std::weak_ptr<Session> session = weak_from_this();
    dispatch(*n->hub, current_, [network, session](Reply reply) {
      // From the owner's thread (or this one) back to the network thread.
      auto n = network.lock();
      if (!n) return;
      net::post(n->ioc, [session, reply = std::move(reply)]() mutable {
        if (auto s = session.lock()) s->deliver(std::move(reply));
      });
    });
    // The handlers have read the body; the log needs only the head.
    current_.body.clear();
    current_.body.shrink_to_fit();
  }

  void write(Reply reply) {
    auto n = network_.lock();
    const bool keepAlive = keepAlive_ && !closeAfter_ && n && !n->stopping;
    auto res = std::make_shared<http::response<http::string_body>>();
    res->version(11);
    res->result(static_cast<unsigned>(reply.status));
    res->reason(view(reasonOf(reply.status)));
    setCommonFields(*res, reply);
    res->body() = std::move(reply.body);
    res->keep_alive(keepAlive);
    res->prepare_payload();
    if (head_) res->body().clear();
    status_ = reply.status;
    bytes_ = res->body().size();
    stream_.expires_after(kWriteTimeout);
    http::async_write(stream_, *res,
                      [self = shared_from_this(), res, keepAlive](
                          beast::error_code ec, std::size_t) { self->onWrite(ec, keepAlive); });
  }

  template <class Message>
  void setCommonFields(Message& res, const Reply& reply) {
    res.set(http::field::content_type, view(contentType(reply.kind)));
    res.set(http::field::cache_control, "no-store");
    res.set("X-Content-Type-Options", "nosniff");
    res.set("Referrer-Policy", "no-referrer");
    res.set("X-Frame-Options", "DENY");
    res.set("Content-Security-Policy",
            reply.policy.empty() ? std::string(dataPolicy()) : reply.policy);
    for (const auto& [name, value] : reply.headers) res.set(name, value);
  }

  void logRequest() {
    auto n = network_.lock();
    if (!n) return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - started_)
                        .count();
    n->log(localTime() + " " + address_ + " \"" + std::string(methodText(current_.method)) + " " +
           loggedPath(current_.path) + "\" " + std::to_string(status_) + " " +
           std::to_string(bytes_) + " " + std::to_string(ms) + "ms");
  }

  void onWrite(beast::error_code ec, bool keepAlive) {
    logRequest();
    if (busy_) {
      busy_ = false;
      if (auto n = network_.lock()) --n->inFlight;
    }
    if (ec || closed_) return close();
    if (closeAfter_) return closeGently();
    if (!keepAlive) return close();
    read();
  }

  // After refusing a request that was not read to its end (a body over the limit), the rest
  // the client still sends is read and dropped for a moment before the connection closes:
  // closed at once, the system would reset the connection and the client might lose the
  // answer.
  void closeGently() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(kDrainTime);
    drain();
  }

  void drain() {
    stream_.async_read_some(net::buffer(sink_),
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              self->drained_ += n;
                              if (ec || self->closed_ || self->drained_ > kDrainLimit)
                                return self->close();
                              self->drain();
                            });
  }

  // ---- Event streams ----

  void openEvents() {
    auto res = std::make_shared<http::response<http::empty_body>>();
    res->version(11);
    res->result(http::status::ok);
    Reply head;
    head.kind = ContentKind::EventStream;
    setCommonFields(*res, head);
    // The stream ends with the connection.
    res->keep_alive(false);
    auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*res);
    status_ = 200;
    bytes_ = 0;
    writing_ = true;
    stream_.expires_after(kWriteTimeout);
    http::async_write_header(stream_, *serializer,
                             [self = shared_from_this(), res, serializer](
                                 beast::error_code ec, std::size_t) { self->onEventsOpen(ec); });
  }

  void onEventsOpen(beast::error_code ec) {
    writing_ = false;
    logRequest();
    if (busy_) {
      busy_ = false;
      if (auto n = network_.lock()) --n->inFlight;
    }
    if (ec || closed_) return close();
    auto n = network_.lock();
    if (!n) return close();
    streaming_ = true;
    ++n->hub->openPages;
    n->pagesChanged();
    // A read that ends only when the page goes away. Every write below sets the stream's
    // deadline anew, so the read times out only when a write stays stuck.
    stream_.async_read_some(
        net::buffer(sink_),
        [self = shared_from_this()](beast::error_code, std::size_t) { self->close(); });
    // The version is read now, on the network thread: a change announced before this point is
    // in it, one announced after it follows as an event of its own.
    sentVersion_ = n->hub->version();
    pendingVersion_ = std::max(pendingVersion_, sentVersion_);
    writeText("retry: 1000\n" + handlers::versionEvent(sentVersion_));
    beat();
  }

  void sendEvent() {
    if (pendingVersion_ <= sentVersion_) return;
    sentVersion_ = pendingVersion_;
    writeText(handlers::versionEvent(sentVersion_));
  }

  void writeText(std::string text) {
    writing_ = true;
    auto data = std::make_shared<std::string>(std::move(text));
    stream_.expires_after(kWriteTimeout);
    net::async_write(stream_, net::buffer(*data),
                     [self = shared_from_this(), data](beast::error_code ec, std::size_t) {
                       self->writing_ = false;
                       if (ec || self->closed_) return self->close();
                       self->sendEvent();
                     });
  }

  void beat() {
    heartbeat_.expires_after(kHeartbeat);
    heartbeat_.async_wait([self = shared_from_this()](beast::error_code ec) {
      if (ec || self->closed_ || !self->streaming_) return;
      if (!self->writing_) self->writeText(": keep-alive\n\n");
      self->beat();
    });
  }

  beast::tcp_stream stream_;
  std::weak_ptr<Network> network_;
  std::uint64_t id_;
  std::string address_;
  net::steady_timer heartbeat_;
  beast::flat_buffer buffer_;
  std::optional<RequestParser> parser_;
  Request current_;  ///< the request being answered, for the log
  char sink_[256] = {};
  bool busy_ = false;
  bool closed_ = false;
  bool closeAfter_ = false;
  bool keepAlive_ = false;
  bool head_ = false;
  bool streaming_ = false;
  bool writing_ = false;
  std::uint64_t sentVersion_ = 0;
  std::uint64_t pendingVersion_ = 0;
  int status_ = 0;
  std::size_t bytes_ = 0;
  std::size_t drained_ = 0;
  std::chrono::steady_clock::time_point started_;
};

void Network::accept() {
  acceptor.async_accept(
      net::make_strand(ioc), [self = shared_from_this()](beast::error_code ec, tcp::socket socket) {
        if (ec == net::error::operation_aborted || !self->acceptor.is_open() || self->stopping)
          return;
        if (ec) {
          self->acceptPause.expires_after(std::chrono::milliseconds(100));
          self->acceptPause.async_wait([self](beast::error_code waited) {
            if (!waited && self->acceptor.is_open()) self->accept();
          });
          return;
        }
        if (self->sessions.size() >= kMaxConnections) {
          beast::error_code ignored;
          socket.close(ignored);
        } else {
          const std::uint64_t id = self->nextId++;
          auto session = std::make_shared<Session>(std::move(socket), self, id);
          self->sessions.emplace(id, session);
          session->start();
        }
        self->accept();
      });
}

void Network::announce(std::uint64_t version) {
  for (auto& [id, session] : sessions) session->announce(version);
}

}  // namespace

struct Server::Impl {
  Executor& owner;
  Hooks hooks;
  std::shared_ptr<Network> network;
  std::shared_ptr<Hub> hub;
  Options options;
  unsigned short port = 0;
};

Server::Server(Executor& owner, Hooks hooks)
    : impl_(std::make_unique<Impl>(Impl{owner, std::move(hooks), {}, {}, {}, 0})) {}

Server::~Server() {
  stop();
}

bool Server::start(const Options& options, std::string* error) {
  stop();
  auto fail = [&](std::string message) {
    if (error) *error = std::move(message);
    return false;
  };
  std::string key = options.key;
  if (key.empty()) {
    std::optional<std::string> made = newKey();
    if (!made) return fail(std::string(texts::kNoRandom));
    key = *made;
  }
  auto network = std::make_shared<Network>();
  auto hub = std::make_shared<Hub>(impl_->owner, impl_->hooks, key, options.resultDesk);
  network->hub = hub;
  std::weak_ptr<Network> weak = network;
  hub->setAnnouncer([weak](std::uint64_t version) {
    if (auto n = weak.lock())
      net::post(n->ioc, [weak, version] {
        if (auto n = weak.lock()) n->announce(version);
      });
  });

  // The address to listen on: this computer only, or every interface.
  std::string where = options.bindAddress;
  beast::error_code ec;
  std::vector<std::string> candidates;
  if (!where.empty())
    candidates = {where};
  else if (options.lan)
    candidates = {"::", "0.0.0.0"};
  else
    candidates = {"127.0.0.1"};
  for (const std::string& candidate : candidates) {
    ec = {};
    const net::ip::address address = net::ip::make_address(candidate, ec);
    if (ec) return fail(text::format(texts::kBadAddress, candidate.c_str()));
    tcp::acceptor& a = network->acceptor;
    beast::error_code ignored;
    if (a.is_open()) a.close(ignored);
    const tcp::endpoint endpoint(address, options.port);
    a.open(endpoint.protocol(), ec);
    if (!ec && address.is_v6()) a.set_option(net::ip::v6_only(false), ignored);
#ifndef _WIN32
    // A restart may take the port again at once (Windows would let another program share it).
    if (!ec) a.set_option(net::socket_base::reuse_address(true), ignored);
#endif
    if (!ec) a.bind(endpoint, ec);
    if (!ec) a.listen(net::socket_base::max_listen_connections, ec);
    if (!ec) {
      where = candidate;
      break;
    }
  }
  if (ec)
    return fail(text::format(texts::kCannotListen,
                             where.empty() ? candidates.back().c_str() : where.c_str(),
                             static_cast<unsigned>(options.port), ec.message().c_str()));
  impl_->port = network->acceptor.local_endpoint(ec).port();
  impl_->options = options;
  impl_->options.key = key;
  impl_->options.bindAddress =
      options.bindAddress.empty() && !options.lan ? "127.0.0.1" : options.bindAddress;
  network->accept();
  network->thread = std::thread([n = network.get()] {
    // Nothing that a request does may end the network thread.
    for (;;) {
      try {
        n->ioc.run();
        return;
      } catch (...) {
      }
    }
  });
  impl_->network = std::move(network);
  impl_->hub = std::move(hub);
  return true;
}

void Server::stop(std::chrono::milliseconds grace) {
  std::shared_ptr<Network> network = std::move(impl_->network);
  if (!network) return;
  network->stopping = true;
  net::post(network->ioc, [network] {
    beast::error_code ignored;
    network->acceptor.close(ignored);
    network->acceptPause.cancel();
    // Copies: closing a session removes it from the map.
    std::vector<std::shared_ptr<Session>> all;
    for (auto& [id, s] : network->sessions) all.push_back(s);
    for (auto& s : all) s->stopIdle();
  });
  // The requests in flight finish: their jobs run (here, when this is the owner's thread) and
  // their answers are written.
  const auto deadline = std::chrono::steady_clock::now() + grace;
  while (network->inFlight.load() > 0 && std::chrono::steady_clock::now() < deadline) {
    impl_->owner.runPosted();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::promise<void> closed;
  net::post(network->ioc, [network, &closed] {
    std::vector<std::shared_ptr<Session>> all;
    for (auto& [id, s] : network->sessions) all.push_back(s);
    for (auto& s : all) s->close();
    network->sessions.clear();
    closed.set_value();
  });
  network->work.reset();
  closed.get_future().wait_for(std::chrono::seconds(5));
  network->ioc.stop();
  if (network->thread.joinable()) network->thread.join();
  // The handlers left behind hold the closed sessions; running them lets them go.
  network->ioc.restart();
  network->ioc.poll();
  impl_->hub.reset();
  impl_->port = 0;
}

bool Server::running() const {
  return impl_->network != nullptr;
}

unsigned short Server::port() const {
  return impl_->port;
}

std::string Server::key() const {
  return impl_->hub ? impl_->hub->key() : std::string();
}

std::vector<std::string> Server::addresses() const {
  const Options& o = impl_->options;
  const bool everywhere = o.lan || o.bindAddress == "0.0.0.0" || o.bindAddress == "::";
  if (!everywhere) return {o.bindAddress.empty() ? std::string("127.0.0.1") : o.bindAddress};
  std::vector<std::string> all = machineAddresses();
  all.push_back("127.0.0.1");
  return all;
}

std::string Server::publicUrl() const {
  return baseUrl(addresses().front(), port()) + "/";
}

std::string Server::organiserUrl() const {
  return baseUrl(addresses().front(), port()) + "/admin?key=" + key();
}

std::string Server::displayUrl() const {
  return baseUrl(addresses().front(), port()) + "/display";
}

std::string Server::deskUrl() const {
  return baseUrl(addresses().front(), port()) + "/desk";
}

int Server::openPages() const {
  return impl_->hub ? impl_->hub->openPages.load() : 0;
}

void Server::setResultDesk(bool on) {
  impl_->options.resultDesk = on;
  if (impl_->hub) {
    impl_->hub->setResultDesk(on);
    // The public page links the desk only while it is on.
    impl_->hub->changed();
  }
}

bool Server::resultDesk() const {
  return impl_->hub ? impl_->hub->resultDesk() : impl_->options.resultDesk;
}

void Server::notifyChanged() {
  if (impl_->hub) impl_->hub->changed();
}

std::string baseUrl(std::string_view address, unsigned short port) {
  const bool v6 = address.find(':') != std::string_view::npos;
  return "http://" + (v6 ? "[" + std::string(address) + "]" : std::string(address)) + ":" +
         std::to_string(port);
}

}  // namespace toq::server
