#include "data/width_fold.h"

namespace toq::data {

namespace {
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
// U+FF01..U+FF5E are the full-width forms of '!'..'~': EF BC 81..BF and EF BD 80..9E.
constexpr unsigned char kFullWidthLead = 0xEF;
}  // namespace

std::string foldWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s.substr(i, 3) == kIdeographicSpace) {
      out += ' ';
      i += 3;
      continue;
    }
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    if (i + 2 < s.size() && b(0) == kFullWidthLead && (b(1) == 0xBC || b(1) == 0xBD)) {
      const int code = (b(1) - 0xBC) * 64 + (b(2) - 0x80);  // 1 is '!'
      const char ascii = static_cast<char>('!' + code - 1);
      if ((ascii >= '0' && ascii <= '9') || ascii == '-' || ascii == '+' || ascii == '=') {
        out += ascii;
        i += 3;
        continue;
      }
    }
    out += s[i++];
  }
  return out;
}

std::string_view trimSpaces(std::string_view s) {
  for (;;) {
    if (s.starts_with(' ') || s.starts_with('\t')) {
      s.remove_prefix(1);
    } else if (s.starts_with(kIdeographicSpace)) {
      s.remove_prefix(3);
    } else if (s.ends_with(' ') || s.ends_with('\t')) {
      s.remove_suffix(1);
    } else if (s.ends_with(kIdeographicSpace)) {
      s.remove_suffix(3);
    } else {
      return s;
    }
  }
}

std::optional<int> cellNumber(std::string_view utf8) {
  const std::string folded = foldWidth(utf8);
  std::string_view s = trimSpaces(folded);
  bool negative = false;
  if (s.starts_with('-') || s.starts_with('+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace toq::data
