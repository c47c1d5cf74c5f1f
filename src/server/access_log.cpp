#include "server/access_log.h"

#include <cctype>
#include <ctime>

#include "text/format.h"

namespace toq::server {

namespace {

// A key cut in two halves (16 digits each) or in smaller pieces is masked too.
constexpr std::size_t kHexRun = 8;
constexpr std::string_view kMask = "****";

bool hexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Every run of kHexRun or more hexadecimal digits, whatever key it might be, as the mask.
std::string withoutHexRuns(std::string_view s) {
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t end = i;
    while (end < s.size() && hexDigit(s[end])) ++end;
    if (end - i >= kHexRun) {
      out += kMask;
    } else {
      out.append(s.substr(i, end - i));
    }
    if (end < s.size()) out += s[end];
    i = end + 1;
  }
  return out;
}

// The path with its %XX escapes decoded, so that a key written percent-encoded is masked.
std::string decoded(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) && hexDigit(s[i + 2])) {
      out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace

std::string withoutKey(std::string line, std::string_view key) {
  for (std::size_t at; !key.empty() && (at = line.find(key)) != std::string::npos;)
    line.replace(at, key.size(), kMask);
  return line;
}

std::string loggedPath(std::string_view path, std::string_view key) {
  // Masked first, whole: a cut through the key would leave part of it readable.
  const std::string masked = withoutHexRuns(withoutKey(decoded(path), key));
  std::string out;
  for (char c : std::string_view(masked).substr(0, kLoggedPathLength)) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F && c != '%' && c != '"')
      out += c;
    else
      out += text::format("%%%02X", u);
  }
  if (masked.size() > kLoggedPathLength) out += "...";
  return out;
}

std::string localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
  return buffer;
}

std::string RefusalLog::note(const std::string& address, std::string_view kind,
                             Clock::time_point now) {
  std::lock_guard lock(mutex_);
  if (seen_.size() >= kAddressesKept) seen_.clear();
  const std::string id = address + " " + std::string(kind);
  auto [it, fresh] = seen_.try_emplace(id);
  Seen& s = it->second;
  ++s.since;
  if (!fresh && now - s.logged < kEvery) return {};
  const int count = s.since;
  s.since = 0;
  s.logged = now;
  return localTime() + " " + address + " " + std::string(kind) + " x" + std::to_string(count);
}

}  // namespace toq::server
