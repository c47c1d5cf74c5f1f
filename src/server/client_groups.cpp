#include "server/client_groups.h"

#include <utility>

#include <boost/asio/ip/address_v6.hpp>

namespace toq::server {

std::string limitedAddress(std::string_view address) {
  if (address.find(':') == std::string_view::npos) return std::string(address);
  boost::system::error_code ec;
  const auto v6 = boost::asio::ip::make_address_v6(std::string(address), ec);
  if (ec) return std::string(address);
  if (v6.is_v4_mapped())
    return boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, v6).to_string();
  auto bytes = v6.to_bytes();
  for (std::size_t i = 8; i < bytes.size(); ++i) bytes[i] = 0;
  return boost::asio::ip::address_v6(bytes).to_string() + "/64";
}

}  // namespace toq::server
