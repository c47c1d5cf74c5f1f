#pragma once
// The fixed addresses the server speaks of, named once.

#include <string_view>

namespace toq::server::address_names {

/// This computer only: where a start without `lan` listens, and the organiser's own machine.
inline constexpr std::string_view kLoopback = "127.0.0.1";
inline constexpr std::string_view kLoopbackV6 = "::1";
/// Every interface ("会場のネットワーク"): IPv6 with IPv4 mapped, else IPv4 alone.
inline constexpr std::string_view kEveryV6 = "::";
inline constexpr std::string_view kEveryV4 = "0.0.0.0";
/// The one host name a request's Host may give.
inline constexpr std::string_view kLocalhost = "localhost";

}  // namespace toq::server::address_names
