#include "server/http_client.h"

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

int holdConnection(unsigned short port, const std::string& from, const std::string& bytes) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return -1;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  ::inet_pton(AF_INET, from.c_str(), &local.sin_addr);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      (!bytes.empty() &&
       ::send(s, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))) {
    ::close(s);
    return -1;
  }
  return s;
}

EventStream::EventStream(unsigned short port, const std::string& from, const std::string& path) {
  socket_ = holdConnection(port, from, requestBytes("GET", path));
  open_ = socket_ >= 0;
}

int EventStream::status(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (open_ && received_.find("\r\n") == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{socket_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char chunk[4096];
    const ssize_t n = ::recv(socket_, chunk, sizeof chunk, 0);
    if (n <= 0) {
      open_ = false;
      break;
    }
    received_.append(chunk, static_cast<std::size_t>(n));
  }
  // "HTTP/1.1 200 OK"
  if (received_.size() < 12 || received_.compare(0, 5, "HTTP/") != 0) return 0;
  return std::atoi(received_.substr(9, 3).c_str());
}

EventStream::~EventStream() {
  close();
}

void EventStream::close() {
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
  open_ = false;
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
  while (open_ && found.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{socket_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char chunk[4096];
    const ssize_t n = ::recv(socket_, chunk, sizeof chunk, 0);
    if (n <= 0) {
      open_ = false;
      break;
    }
    received_.append(chunk, static_cast<std::size_t>(n));
    found = parse();
  }
  return found;
}

}  // namespace toq::testing
