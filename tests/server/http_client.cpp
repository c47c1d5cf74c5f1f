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
                       std::chrono::milliseconds timeout) {
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
  stream.async_connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), port),
                       [&](beast::error_code ec) {
                         if (ec) return;
                         net::async_write(stream, net::buffer(bytes),
                                          [&](beast::error_code, std::size_t) { read(); });
                       });
  ioc.run();
  return answer;
}

EventStream::EventStream(unsigned short port) {
  socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ < 0) return;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(socket_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return;
  const std::string request = requestBytes("GET", "/api/changes");
  if (::send(socket_, request.data(), request.size(), MSG_NOSIGNAL) !=
      static_cast<ssize_t>(request.size()))
    return;
  open_ = true;
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
