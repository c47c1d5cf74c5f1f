#include "server/http_client.h"

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <cctype>
#include <cstdlib>

namespace toq::testing {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;

std::string requestBytes(const std::string& method, const std::string& target,
                         const std::vector<std::string>& headers, const std::string& body) {
  std::string out = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  for (const std::string& h : headers) out += h + "\r\n";
  if (!body.empty() || method == "POST")
    out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  out += "Connection: close\r\n\r\n" + body;
  return out;
}

HttpAnswer sendRequest(unsigned short port, const std::string& bytes,
                       std::chrono::milliseconds timeout, const std::string& from) {
  net::io_context ioc;
  beast::tcp_stream stream(ioc);
  beast::flat_buffer buffer;
  http::response_parser<http::string_body> parser;
  parser.body_limit(16 * 1024 * 1024);
  HttpAnswer answer;
  auto read = [&] {
    http::async_read(stream, buffer, parser, [&](beast::error_code ec, std::size_t) {
      if (ec && !parser.is_header_done()) return;
      const auto& m = parser.get();
      answer.status = static_cast<int>(m.result_int());
      for (const auto& f : m) {
        std::string name(f.name_string());
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        answer.headers[name] = std::string(f.value());
      }
      answer.body = m.body();
    });
  };
  stream.expires_after(timeout);
  beast::error_code bound;
  stream.socket().open(tcp::v4(), bound);
  if (!bound) stream.socket().bind(tcp::endpoint(net::ip::make_address(from), 0), bound);
  if (bound) return answer;
  stream.async_connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), port),
                       [&](beast::error_code ec) {
                         if (ec) return;
                         net::async_write(stream, net::buffer(bytes),
                                          [&](beast::error_code, std::size_t) { read(); });
                       });
  ioc.run();
  return answer;
}

struct Connection::Socket {
  net::io_context io;
  tcp::socket socket{io};
};

Connection::Connection(unsigned short port, const std::string& from)
    : socket_(std::make_unique<Socket>()) {
  boost::system::error_code ec;
  tcp::socket& s = socket_->socket;
  const net::ip::address local = net::ip::make_address(from, ec);
  if (!ec) s.open(tcp::v4(), ec);
  if (!ec) s.bind(tcp::endpoint(local, 0), ec);
  if (!ec) s.connect(tcp::endpoint(net::ip::address_v4::loopback(), port), ec);
  open_ = !ec;
  if (!open_) close();
}

Connection::~Connection() {
  close();
}

void Connection::close() {
  boost::system::error_code ignored;
  socket_->socket.close(ignored);
  open_ = false;
}

bool Connection::send(const std::string& bytes) {
  boost::system::error_code ec;
  if (open_) net::write(socket_->socket, net::buffer(bytes), ec);
  if (ec) close();
  return open_;
}

bool Connection::receive(std::string& into, std::chrono::steady_clock::time_point deadline) {
  if (!open_) return false;
  char chunk[4096];
  std::size_t got = 0;
  bool done = false;
  boost::system::error_code result;
  socket_->socket.async_read_some(net::buffer(chunk),
                                  [&](const boost::system::error_code& ec, std::size_t n) {
                                    result = ec;
                                    got = n;
                                    done = true;
                                  });
  socket_->io.restart();
  socket_->io.run_one_until(deadline);
  if (!done) {
    // Time is up: the read is cancelled, and its handler runs before the chunk goes.
    boost::system::error_code ignored;
    socket_->socket.cancel(ignored);
    socket_->io.restart();
    socket_->io.run();
  }
  if (result == net::error::operation_aborted) return false;
  if (result) {
    close();
    return false;
  }
  into.append(chunk, got);
  return got != 0;
}

std::unique_ptr<Connection> holdConnection(unsigned short port, const std::string& from,
                                           const std::string& bytes) {
  auto connection = std::make_unique<Connection>(port, from);
  if (!connection->open() || (!bytes.empty() && !connection->send(bytes))) return nullptr;
  return connection;
}

EventStream::EventStream(unsigned short port, const std::string& from, const std::string& path)
    : connection_(holdConnection(port, from, requestBytes("GET", path))) {}

int EventStream::status(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (ok() && received_.find("\r\n") == std::string::npos &&
         connection_->receive(received_, deadline)) {
  }
  // "HTTP/1.1 200 OK"
  if (received_.size() < 12 || received_.compare(0, 5, "HTTP/") != 0) return 0;
  return std::atoi(received_.substr(9, 3).c_str());
}

EventStream::~EventStream() {
  close();
}

void EventStream::close() {
  connection_.reset();
}

std::vector<unsigned long long> EventStream::versions(std::size_t count,
                                                      std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // Each event: "event: version\ndata: {"version":N}\n\n".
  auto parse = [&] {
    static const std::string kHead = "event: version\ndata: {\"version\":";
    std::vector<unsigned long long> found;
    for (std::size_t at = received_.find(kHead); at != std::string::npos;
         at = received_.find(kHead, at + 1)) {
      const std::size_t digits = at + kHead.size();
      const std::size_t end = received_.find("}\n\n", digits);
      if (end == std::string::npos) break;
      found.push_back(std::stoull(received_.substr(digits, end - digits)));
    }
    return found;
  };
  std::vector<unsigned long long> found = parse();
  while (ok() && found.size() < count && connection_->receive(received_, deadline)) found = parse();
  return found;
}

}  // namespace toq::testing
