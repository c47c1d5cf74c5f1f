#include "server/hmac.h"

#include "server/sha256.h"

namespace toq::server {

std::array<std::uint8_t, 32> hmacSha256(std::string_view key, std::string_view message) {
  constexpr std::size_t kBlock = 64;
  std::string block(kBlock, '\0');
  if (key.size() > kBlock) {
    const auto digest = sha256(key);
    std::copy(digest.begin(), digest.end(), block.begin());
  } else {
    std::copy(key.begin(), key.end(), block.begin());
  }
  std::string inner(kBlock, '\0'), outer(kBlock, '\0');
  for (std::size_t i = 0; i < kBlock; ++i) {
    inner[i] = static_cast<char>(block[i] ^ 0x36);
    outer[i] = static_cast<char>(block[i] ^ 0x5c);
  }
  inner.append(message);
  const auto innerDigest = sha256(inner);
  outer.append(reinterpret_cast<const char*>(innerDigest.data()), innerDigest.size());
  return sha256(outer);
}

std::string hexText(const std::uint8_t* bytes, std::size_t count) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    out += kHex[bytes[i] >> 4];
    out += kHex[bytes[i] & 15];
  }
  return out;
}

}  // namespace toq::server
