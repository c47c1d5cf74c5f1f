#include "server/listening.h"

#include <vector>

#ifndef _WIN32
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#endif

#include "server/address_names.h"
#include "server/texts.h"
#include "text/format.h"

namespace toq::server {

std::optional<std::string> listenOn(tcp::acceptor& acceptor, const Options& options,
                                    std::string& where) {
  namespace a = address_names;
  std::vector<std::string> candidates;
  if (!options.bindAddress.empty())
    candidates = {options.bindAddress};
  else if (options.lan)
    candidates = {std::string(a::kEveryV6), std::string(a::kEveryV4)};
  else
    candidates = {std::string(a::kLoopback)};
  beast::error_code ec;
  for (const std::string& candidate : candidates) {
    ec = {};
    const net::ip::address address = net::ip::make_address(candidate, ec);
    if (ec) return text::format(texts::kBadAddress, candidate.c_str());
    beast::error_code ignored;
    if (acceptor.is_open()) acceptor.close(ignored);
    const tcp::endpoint endpoint(address, options.port);
    acceptor.open(endpoint.protocol(), ec);
    if (!ec && address.is_v6()) acceptor.set_option(net::ip::v6_only(false), ignored);
#ifndef _WIN32
    // A restart may take the port again at once (Windows would let another program share it).
    if (!ec) acceptor.set_option(net::socket_base::reuse_address(true), ignored);
#endif
    if (!ec) acceptor.bind(endpoint, ec);
    if (!ec) acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (!ec) {
      where = candidate;
      return std::nullopt;
    }
  }
  return text::format(texts::kCannotListen, candidates.back().c_str(),
                      static_cast<unsigned>(options.port), ec.message().c_str());
}

std::size_t raiseOpenFileLimit() {
#ifdef _WIN32
  return 0;
#else
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return 0;
  if (limit.rlim_cur < limit.rlim_max) {
    rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
  }
  return limit.rlim_cur == RLIM_INFINITY ? 0 : static_cast<std::size_t>(limit.rlim_cur);
#endif
}

void keepAlive(tcp::socket& socket, std::chrono::seconds within) {
  beast::error_code ignored;
  socket.set_option(net::socket_base::keep_alive(true), ignored);
#ifdef __linux__
  const int fd = socket.native_handle();
  const int idle = static_cast<int>(within.count() / 2);
  const int interval = 10;
  const int count = 3;
  const unsigned timeout = static_cast<unsigned>(within.count()) * 1000u;
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
  setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &timeout, sizeof timeout);
#else
  (void)within;  // the system's own keep-alive timing
#endif
}

}  // namespace toq::server
