#pragma once
// HMAC-SHA256: the signatures of the organiser's changes and the codes of the result slips.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace toq::server {

/// HMAC-SHA256 of `message` with `key` (any length).
std::array<std::uint8_t, 32> hmacSha256(std::string_view key, std::string_view message);

/// Lower-case hexadecimal digits of the bytes.
std::string hexText(const std::uint8_t* bytes, std::size_t count);

}  // namespace toq::server
