#pragma once
// The access log's lines: one per answered request, and one per address and minute for the
// connections refused or dropped. Nothing of the organiser's key ever reaches a line: the key
// and any run of 32 hexadecimal digits are masked before anything is cut.

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace toq::server {

/// Characters of a path the log keeps.
inline constexpr std::size_t kLoggedPathLength = 200;

/// The path as the log shows it, its %XX escapes decoded: the key and every run of 8 or more
/// hexadecimal digits as
/// "****", then printable ASCII with everything else as %XX, cut to kLoggedPathLength.
std::string loggedPath(std::string_view path, std::string_view key);

/// `line` with every occurrence of the key masked.
std::string withoutKey(std::string line, std::string_view key);

/// The local time as "2026-05-03 10:15:00".
std::string localTime();

/// Says at most once a minute per address and kind what happened to its connections, with
/// the number of times since the last line.
class RefusalLog {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kEvery{60};
  /// Addresses remembered at most; all are forgotten when more arrive.
  static constexpr std::size_t kAddressesKept = 4096;

  /// Counts one event of `kind` ("refused"...) from the address; returns the line to log now,
  /// or an empty text when this address and kind were logged less than a minute ago.
  std::string note(const std::string& address, std::string_view kind,
                   Clock::time_point now = Clock::now());

 private:
  struct Seen {
    Clock::time_point logged;
    int since = 0;
  };
  std::mutex mutex_;
  std::map<std::string, Seen> seen_;
};

}  // namespace toq::server
