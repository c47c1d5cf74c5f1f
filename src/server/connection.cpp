#include "server/connection.h"

#include "server/access_log.h"
#include "server/handlers.h"
#include "server/listening.h"
#include "server/network.h"
#include "server/pages.h"
#include "server/replies.h"
#include "server/routes.h"
#include "server/texts.h"

namespace toq::server {

namespace {

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

}  // namespace

Connection::Connection(tcp::socket socket, std::shared_ptr<Network> network, std::uint64_t id,
                       std::string address)
    : stream_(std::move(socket)),
      network_(network),
      id_(id),
      address_(std::move(address)),
      heartbeat_(stream_.get_executor()) {}

void Connection::stopIdle() {
  if (state_ == State::Reading || streaming() || state_ == State::Draining) close();
}

void Connection::close() {
  if (state_ == State::Closed) return;
  const bool wasStreaming = streaming();
  const bool heldListener = wasStreaming || state_ == State::Opening;
  state_ = State::Closed;
  auto n = network_.lock();
  if (counted_) {
    counted_ = false;
    if (n) --n->inFlight;
  }
  if (heldListener && n) n->dropListener(address_);
  if (wasStreaming && n) {
    --n->hub->openPages;
    n->pagesChanged();
  }
  heartbeat_.cancel();
  beast::error_code ec;
  stream_.socket().shutdown(tcp::socket::shutdown_both, ec);
  stream_.close();
  if (n) n->remove(id_, address_);
}

void Connection::deliver(Reply reply) {
  if (state_ != State::Answering) return;
  // A HEAD of the change events gets the head a GET would have, and no stream.
  if (reply.kind == ContentKind::EventStream && reply.status == 200 && !current_.head) {
    auto n = network_.lock();
    if (n && !n->stopping && n->takeListener(address_)) {
      channel_ = reply.channel;
      return openEvents();
    }
    if (n) n->logRefusal(address_, "listener refused");
    reply = errorReply(503, texts::kBusy);
    reply.headers.emplace_back("Retry-After", "10");
  }
  write(std::move(reply));
}

void Connection::announce(const Announcement& a) {
  if (!streaming()) return;
  if (channel_ != kVenueChannel && channel_ != a.section) return;
  const std::uint64_t version = channel_ == kVenueChannel ? a.venueVersion : a.sectionVersion;
  pendingVersion_ = std::max(pendingVersion_, version);
  if (state_ == State::Streaming) sendEvent();
}

void Connection::read() {
  state_ = State::Reading;
  parser_.emplace();
  applyLimits(*parser_);
  stream_.expires_after(kRequestTimeout);
  http::async_read(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
}

void Connection::onRead(beast::error_code ec) {
  if (state_ != State::Reading) return;
  auto n = network_.lock();
  if (!n) return close();
  current_ = Current{};
  current_.started = std::chrono::steady_clock::now();
  if (ec) {
    // A request cut short by its client or the server's stop gets no answer; one that timed
    // out is noted; one that could not be read is told why, and the connection ends.
    if (ec == beast::error::timeout && parser_->got_some()) n->logRefusal(address_, "timed out");
    const bool unanswered = ec == http::error::end_of_stream || ec == beast::error::timeout ||
                            ec == net::error::operation_aborted || !parser_->got_some() ||
                            ec == net::error::connection_reset || ec == net::error::eof;
    if (unanswered) return close();
    state_ = State::Answering;
    counted_ = true;
    ++n->inFlight;
    current_.request.path = std::string(parser_->get().target());
    current_.closeAfter = true;
    return write(unreadable(ec));
  }
  state_ = State::Answering;
  counted_ = true;
  ++n->inFlight;
  current_.keepAlive = parser_->get().keep_alive();
  current_.head = parser_->get().method() == http::verb::head;
  current_.request = toRequest(parser_->get(), address_);
  if (std::optional<Reply> refused = framingRefusal(parser_->get())) {
    parser_.reset();
    current_.closeAfter = true;
    return write(std::move(*refused));
  }
  parser_.reset();
  stream_.expires_never();
  std::weak_ptr<Network> network = n;
  std::weak_ptr<Connection> self = weak_from_this();
  dispatch(*n->hub, current_.request, [network, self](Reply reply) {
    // From the owner's thread (or this one) back to the network thread.
    auto n = network.lock();
    if (!n) return;
    net::post(n->ioc, [self, reply = std::move(reply)]() mutable {
      if (auto s = self.lock()) s->deliver(std::move(reply));
    });
  });
  // The handlers have read the body; the log needs only the head.
  current_.request.body.clear();
  current_.request.body.shrink_to_fit();
}

void Connection::write(Reply reply) {
  auto n = network_.lock();
  const bool keepAlive = current_.keepAlive && !current_.closeAfter && n && !n->stopping;
  auto res = std::make_shared<http::response<http::string_body>>();
  res->version(11);
  res->result(static_cast<unsigned>(reply.status));
  res->reason(view(reasonOf(reply.status)));
  setCommonFields(*res, reply);
  res->body() = std::move(reply.body);
  res->keep_alive(keepAlive);
  res->prepare_payload();
  // A HEAD is answered with the head a GET would have, Content-Length included.
  if (current_.head) res->body().clear();
  current_.status = reply.status;
  current_.bytes = res->body().size();
  state_ = State::Writing;
  stream_.expires_after(kWriteTimeout);
  if (current_.head) {
    auto serializer = std::make_shared<http::response_serializer<http::string_body>>(*res);
    http::async_write_header(
        stream_, *serializer,
        [self = shared_from_this(), res, serializer, keepAlive](beast::error_code ec, std::size_t) {
          self->onWrite(ec, keepAlive);
        });
    return;
  }
  http::async_write(stream_, *res,
                    [self = shared_from_this(), res, keepAlive](beast::error_code ec, std::size_t) {
                      self->onWrite(ec, keepAlive);
                    });
}

void Connection::finishRequest() {
  logRequest();
  if (counted_) {
    counted_ = false;
    if (auto n = network_.lock()) --n->inFlight;
  }
}

void Connection::logRequest() {
  auto n = network_.lock();
  if (!n) return;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - current_.started)
                      .count();
  n->log(localTime() + " " + address_ + " \"" + std::string(methodName(current_.request.method)) +
         " " + loggedPath(current_.request.path, n->hub->key()) + "\" " +
         std::to_string(current_.status) + " " + std::to_string(current_.bytes) + " " +
         std::to_string(ms) + "ms");
}

void Connection::onWrite(beast::error_code ec, bool keepAlive) {
  if (state_ != State::Writing) return;
  finishRequest();
  if (ec) return close();
  if (current_.closeAfter) return closeGently();
  if (!keepAlive) return close();
  read();
}

// After refusing a request that was not read to its end (a body over the limit), the rest the
// client still sends is read and dropped for a moment before the connection closes: closed at
// once, the system would reset the connection and the client might lose the answer.
void Connection::closeGently() {
  state_ = State::Draining;
  beast::error_code ignored;
  stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
  stream_.expires_after(kDrainTime);
  drain();
}

void Connection::drain() {
  stream_.async_read_some(
      net::buffer(sink_), [self = shared_from_this()](beast::error_code ec, std::size_t n) {
        self->drained_ += n;
        if (ec || self->state_ != State::Draining || self->drained_ > kDrainLimit)
          return self->close();
        self->drain();
      });
}

// ---- Event streams ----

void Connection::openEvents() {
  auto res = std::make_shared<http::response<http::empty_body>>();
  res->version(11);
  res->result(http::status::ok);
  Reply head;
  head.kind = ContentKind::EventStream;
  setCommonFields(*res, head);
  // The stream ends with the connection.
  res->keep_alive(false);
  auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*res);
  current_.status = 200;
  current_.bytes = 0;
  state_ = State::Opening;
  stream_.expires_after(kWriteTimeout);
  http::async_write_header(stream_, *serializer,
                           [self = shared_from_this(), res, serializer](
                               beast::error_code ec, std::size_t) { self->onEventsOpen(ec); });
}

void Connection::onEventsOpen(beast::error_code ec) {
  if (state_ != State::Opening) return;
  finishRequest();
  auto n = network_.lock();
  if (ec || !n) return close();
  state_ = State::Streaming;
  ++n->hub->openPages;
  n->pagesChanged();
  // A phone that leaves the network without closing: the system gives up on the connection
  // when what was sent stays unacknowledged (the heartbeat below always sends something).
  keepAlive(stream_.socket(), std::chrono::duration_cast<std::chrono::seconds>(kWriteTimeout));
  // A read that ends only when the page goes away. Every write below sets the stream's
  // deadline anew, so the read times out only when a write stays stuck.
  stream_.async_read_some(
      net::buffer(sink_),
      [self = shared_from_this()](beast::error_code, std::size_t) { self->close(); });
  // The version is read now, on the network thread: a change announced before this point is
  // in it, one announced after it follows as an event of its own.
  sentVersion_ = n->hub->version(channel_);
  pendingVersion_ = std::max(pendingVersion_, sentVersion_);
  writeText("retry: 1000\n" + handlers::versionEvent(sentVersion_));
  beat();
}

void Connection::sendEvent() {
  if (pendingVersion_ <= sentVersion_) return;
  sentVersion_ = pendingVersion_;
  writeText(handlers::versionEvent(sentVersion_));
}

void Connection::writeText(std::string text) {
  state_ = State::SendingEvent;
  auto data = std::make_shared<std::string>(std::move(text));
  stream_.expires_after(kWriteTimeout);
  net::async_write(stream_, net::buffer(*data),
                   [self = shared_from_this(), data](beast::error_code ec, std::size_t) {
                     if (self->state_ != State::SendingEvent) return;
                     if (ec) return self->close();
                     self->state_ = State::Streaming;
                     self->sendEvent();
                   });
}

void Connection::beat() {
  heartbeat_.expires_after(kHeartbeat);
  heartbeat_.async_wait([self = shared_from_this()](beast::error_code ec) {
    if (ec || !self->streaming()) return;
    if (self->state_ == State::Streaming) self->writeText(": keep-alive\n\n");
    self->beat();
  });
}

}  // namespace toq::server
