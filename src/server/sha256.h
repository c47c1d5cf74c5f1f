#pragma once
// SHA-256 and Base64, for the hashes of the pages' inline scripts that the
// Content-Security-Policy names ("'sha256-...'").

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace toq::server {

/// The SHA-256 digest of the bytes.
std::array<std::uint8_t, 32> sha256(std::string_view bytes);

/// Standard Base64 with padding.
std::string base64(std::string_view bytes);

/// "'sha256-BASE64'" of a script's text, as a policy's script-src names it.
std::string scriptHashSource(std::string_view script);

}  // namespace toq::server
