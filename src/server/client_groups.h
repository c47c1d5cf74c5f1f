#pragma once
// The unit in which wrong keys and codes are counted: an IPv4 address, or the /64 network of
// an IPv6 address (a phone on an IPv6 network takes a new address within its /64 at will).

#include <string>
#include <string_view>

namespace toq::server {

/// "192.0.2.7" as it is; "2001:db8:1:2:a:b:c:d" as "2001:db8:1:2::/64"; anything that is not
/// an IPv6 address as it is.
std::string limitedAddress(std::string_view address);

}  // namespace toq::server
