#pragma once
// The organiser's key: 128 bits from the system's secure random source, new for each start,
// compared in constant time, and a limit on wrong keys per address.

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace toq::server {

/// Bytes of a new key (128 bits).
inline constexpr std::size_t kKeyBytes = 16;

/// `count` bytes from the system's secure random source (getrandom or /dev/urandom on Linux,
/// BCryptGenRandom on Windows); none when the source fails.
std::optional<std::string> secureRandomBytes(std::size_t count);

/// A new key as 32 lower-case hexadecimal digits; none when the random source fails.
std::optional<std::string> newKey();

/// True when the two texts are equal. The time taken depends only on their lengths, never on
/// where they first differ, so that answers do not give a key away character by character.
bool sameKey(std::string_view given, std::string_view key);

/// The key of an "Authorization: Bearer KEY" header; empty when the header has another form.
std::string_view bearerKey(std::string_view authorization);

/// Wrong keys per address: after kWrongKeysAllowed wrong keys from one address within a
/// minute, that address is refused until a minute has passed since its oldest counted one.
/// Safe to call from any thread.
class WrongKeyLimit {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kWrongKeysAllowed = 20;
  static constexpr std::chrono::seconds kWindow{60};
  /// Addresses remembered at most; the oldest entries go first when more arrive.
  static constexpr std::size_t kAddressesKept = 4096;

  /// True when the address is refused now.
  bool blocked(const std::string& address, Clock::time_point now = Clock::now());
  /// Counts a wrong key from the address.
  void wrongKey(const std::string& address, Clock::time_point now = Clock::now());

 private:
  void forgetOld(std::deque<Clock::time_point>& times, Clock::time_point now);

  std::mutex mutex_;
  std::map<std::string, std::deque<Clock::time_point>> wrong_;
};

}  // namespace toq::server
