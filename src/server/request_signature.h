#pragma once
// The organiser's page never sends its key: it signs every change with it. The signature is
// HMAC-SHA256, with the key, of "METHOD\nTARGET\nSEQUENCE\nBODY" (TARGET: the path and any
// query as sent), in hexadecimal; the sequence number is the page's own, never used twice.
// A request is refused when its signature is wrong (another key, an altered path or body) or
// when its sequence number was seen before (a recorded change sent again).

#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "server/exchange.h"

namespace toq::server {

/// The headers of a signed request.
inline constexpr std::string_view kSignatureHeader = "X-TOQ-Signature";
inline constexpr std::string_view kSequenceHeader = "X-TOQ-Sequence";

/// The text that is signed.
std::string signedText(std::string_view method, std::string_view target, std::string_view sequence,
                       std::string_view body);

/// The signature of that text with the key (64 lower-case hexadecimal digits).
std::string signatureOf(std::string_view key, std::string_view method, std::string_view target,
                        std::string_view sequence, std::string_view body);

/// The sequence number of a request: 1 to 15 decimal digits; none otherwise.
std::optional<std::uint64_t> sequenceNumber(std::string_view text);

/// True when the request carries a signature (it asks to be checked as one).
bool isSigned(const Request& request);

/// True when the request's signature is the key's over what it carries.
bool signedWith(const Request& request, std::string_view key);

/// The sequence numbers already used with the key. Keeps the latest kKept; anything at or
/// below the oldest forgotten one counts as used. Safe from any thread.
class UsedSequences {
 public:
  static constexpr std::size_t kKept = 4096;
  /// Marks the number used; false when it was used before.
  bool use(std::uint64_t sequence);

 private:
  std::mutex mutex_;
  std::set<std::uint64_t> used_;
  std::uint64_t floor_ = 0;
};

}  // namespace toq::server
