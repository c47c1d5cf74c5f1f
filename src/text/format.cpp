#include "text/format.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <vector>

namespace toq::text {

std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, fmt, args);
  va_end(args);
  std::string out;
  if (n < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(n));
  } else {
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, copy);
    out.assign(big.data(), static_cast<std::size_t>(n));
  }
  va_end(copy);
  return out;
}

std::string localTimeNow(const char* strftimeFormat) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, strftimeFormat, &local);
  return std::string(text, length);
}

}  // namespace toq::text
