#include "server/organiser_key.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>
#else
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace toq::server {

std::optional<std::string> secureRandomBytes(std::size_t count) {
  std::string bytes(count, '\0');
#ifdef _WIN32
  if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(bytes.data()),
                                      static_cast<ULONG>(count), BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
    return std::nullopt;
  return bytes;
#else
  std::size_t filled = 0;
  while (filled < count) {
    const ssize_t got = ::getrandom(bytes.data() + filled, count - filled, 0);
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  if (filled == count) return bytes;
  // A kernel without getrandom: the device gives the same source.
  const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  filled = 0;
  while (filled < count) {
    const ssize_t got = ::read(fd, bytes.data() + filled, count - filled);
    if (got > 0)
      filled += static_cast<std::size_t>(got);
    else if (!(got < 0 && errno == EINTR))
      break;
  }
  ::close(fd);
  if (filled != count) return std::nullopt;
  return bytes;
#endif
}

std::optional<std::string> newKey() {
  const std::optional<std::string> bytes = secureRandomBytes(kKeyBytes);
  if (!bytes) return std::nullopt;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string key;
  for (char c : *bytes) {
    key += kHex[static_cast<unsigned char>(c) >> 4];
    key += kHex[static_cast<unsigned char>(c) & 15];
  }
  return key;
}

bool sameKey(std::string_view given, std::string_view key) {
  // Every byte of the longer text is visited, whatever matched before; the volatile keeps the
  // compiler from stopping at the first difference.
  const std::size_t n = std::max(given.size(), key.size());
  volatile unsigned char diff = given.size() == key.size() ? 0 : 1;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char a = i < given.size() ? static_cast<unsigned char>(given[i]) : 0;
    const unsigned char b = i < key.size() ? static_cast<unsigned char>(key[i]) : 0;
    diff = diff | (a ^ b);
  }
  return diff == 0 && !key.empty();
}

std::string_view bearerKey(std::string_view authorization) {
  constexpr std::string_view kScheme = "Bearer ";
  if (authorization.size() <= kScheme.size()) return {};
  // The scheme's name is case-insensitive.
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    const char c = authorization[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    const char want = kScheme[i];
    const char wantLower =
        (want >= 'A' && want <= 'Z') ? static_cast<char>(want - 'A' + 'a') : want;
    if (lower != wantLower) return {};
  }
  std::string_view key = authorization.substr(kScheme.size());
  while (!key.empty() && key.front() == ' ') key.remove_prefix(1);
  while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
  return key;
}

void WrongKeyLimit::forgetOld(std::deque<Clock::time_point>& times, Clock::time_point now) {
  while (!times.empty() && now - times.front() >= kWindow) times.pop_front();
}

bool WrongKeyLimit::blocked(const std::string& address, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  auto it = wrong_.find(address);
  if (it == wrong_.end()) return false;
  forgetOld(it->second, now);
  if (it->second.empty()) {
    wrong_.erase(it);
    return false;
  }
  return it->second.size() >= static_cast<std::size_t>(kWrongKeysAllowed);
}

void WrongKeyLimit::wrongKey(const std::string& address, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  if (wrong_.size() >= kAddressesKept && !wrong_.count(address)) {
    // Many addresses: drop those whose wrong keys are all old, then, if still full, the one
    // whose latest wrong key is oldest.
    for (auto it = wrong_.begin(); it != wrong_.end();) {
      forgetOld(it->second, now);
      it = it->second.empty() ? wrong_.erase(it) : std::next(it);
    }
    if (wrong_.size() >= kAddressesKept) {
      auto oldest = std::min_element(
          wrong_.begin(), wrong_.end(),
          [](const auto& a, const auto& b) { return a.second.back() < b.second.back(); });
      wrong_.erase(oldest);
    }
  }
  auto& times = wrong_[address];
  forgetOld(times, now);
  // More than the limit need not be kept: the address is refused either way.
  if (times.size() >= static_cast<std::size_t>(kWrongKeysAllowed)) times.pop_front();
  times.push_back(now);
}

}  // namespace toq::server
