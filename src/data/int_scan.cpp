#include "data/int_scan.h"

#include <algorithm>
#include <limits>

namespace toq::data {

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

std::optional<int> scanInt(std::string_view text, std::size_t& pos) {
  std::size_t p = pos;
  while (p < text.size() && isBlank(text[p])) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  const std::size_t firstDigit = p;
  // Digits beyond the int range only keep the value saturated; it is clamped below.
  constexpr long long kSaturated = 1LL << 40;
  long long value = 0;
  for (; p < text.size() && isDigit(text[p]); ++p)
    if (value < kSaturated) value = value * 10 + (text[p] - '0');
  if (p == firstDigit) return std::nullopt;
  if (negative) value = -value;
  pos = p;
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

std::int16_t clampToInt16(int value) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

std::vector<int> scanIntList(std::string_view text, std::size_t pos, std::size_t maxCount) {
  std::vector<int> values;
  while (values.size() < maxCount && pos <= text.size()) {
    auto value = scanInt(text, pos);
    if (!value) break;
    values.push_back(*value);
    if (pos >= text.size() || text[pos] != ',') break;
    ++pos;
  }
  return values;
}

}  // namespace toq::data
