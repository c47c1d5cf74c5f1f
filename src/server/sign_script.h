#pragma once
// The organiser's page's signing in its own script: SHA-256 and HMAC-SHA256 written out
// (crypto.subtle exists only on HTTPS pages, and the venue's pages are plain HTTP), and the
// signed headers of a change (request_signature.h).

#include <string_view>

namespace toq::server::scripts {

/// Defines sha256(bytes), hmacSha256(keyBytes, bytes), utf8(text), hex(bytes) and
/// signedHeaders(key, method, path, body), which gives the headers of a signed change with
/// the page's next sequence number.
std::string_view signing();

}  // namespace toq::server::scripts
