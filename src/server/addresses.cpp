// The machine's own addresses, for the URLs of a start on the venue's network.

#include <algorithm>
#include <string>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
// winsock2.h first: iphlpapi.h needs its types.
#include <iphlpapi.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

#include "server/server.h"

namespace toq::server {

namespace {

// An address worth printing: not loopback, and for IPv6 not link-local (which needs a zone).
bool usable(const sockaddr* a) {
  if (a->sa_family == AF_INET) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(a);
    const auto* b = reinterpret_cast<const unsigned char*>(&in->sin_addr);
    return b[0] != 127 && !(b[0] == 169 && b[1] == 254) && !(b[0] == 0);
  }
  if (a->sa_family == AF_INET6) {
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(a);
    const unsigned char* b = in6->sin6_addr.s6_addr;
    const bool loopback =
        std::all_of(b, b + 15, [](unsigned char c) { return c == 0; }) && b[15] == 1;
    const bool linkLocal = b[0] == 0xFE && (b[1] & 0xC0) == 0x80;
    return !loopback && !linkLocal;
  }
  return false;
}

std::string text(const sockaddr* a) {
  char buffer[INET6_ADDRSTRLEN] = {};
  if (a->sa_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, buffer, sizeof buffer);
  else
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(a)->sin6_addr, buffer,
              sizeof buffer);
  return buffer;
}

void add(std::vector<std::string>& v4, std::vector<std::string>& v6, const sockaddr* a) {
  if (!a || !usable(a)) return;
  auto& list = a->sa_family == AF_INET ? v4 : v6;
  const std::string t = text(a);
  if (!t.empty() && std::find(list.begin(), list.end(), t) == list.end()) list.push_back(t);
}

}  // namespace

std::vector<std::string> machineAddresses() {
  std::vector<std::string> v4;
  std::vector<std::string> v6;
#ifdef _WIN32
  ULONG size = 16 * 1024;
  std::vector<unsigned char> buffer(size);
  ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  auto* adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
  ULONG result = GetAdaptersAddresses(AF_UNSPEC, flags, nullptr, adapters, &size);
  if (result == ERROR_BUFFER_OVERFLOW) {
    buffer.resize(size);
    adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    result = GetAdaptersAddresses(AF_UNSPEC, flags, nullptr, adapters, &size);
  }
  if (result == NO_ERROR)
    for (auto* a = adapters; a; a = a->Next) {
      if (a->OperStatus != IfOperStatusUp) continue;
      for (auto* u = a->FirstUnicastAddress; u; u = u->Next) add(v4, v6, u->Address.lpSockaddr);
    }
#else
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) == 0) {
    for (ifaddrs* i = list; i; i = i->ifa_next)
      if ((i->ifa_flags & IFF_UP) != 0) add(v4, v6, i->ifa_addr);
    freeifaddrs(list);
  }
#endif
  v4.insert(v4.end(), v6.begin(), v6.end());
  return v4;
}

}  // namespace toq::server
