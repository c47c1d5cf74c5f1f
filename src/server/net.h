#pragma once
// The network library as the connection, the listener and the server use it. GCC 12 with
// Boost 1.74 in C++20 needs <utility> before Asio, whose awaitable.hpp uses std::exchange
// without including it.

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace toq::server {

namespace net = boost::asio;
namespace beast = boost::beast;
using tcp = net::ip::tcp;

}  // namespace toq::server
