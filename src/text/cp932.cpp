#include "text/cp932.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace toq::text {

namespace {

struct CodePair {
  std::uint16_t code;
  std::uint16_t scalar;
};

#include "text/cp932_table.inc"

constexpr char kFullWidthSpace[] = "\x81\x40";

bool isKatakanaByte(unsigned char b) {
  return b >= 0xA1 && b <= 0xDF;
}

}  // namespace

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::optional<std::uint32_t> nextScalar(std::string_view s, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char b0 = byte(pos);
  std::size_t len = b0 < 0x80         ? 1
                    : (b0 >> 5) == 6  ? 2
                    : (b0 >> 4) == 14 ? 3
                    : (b0 >> 3) == 30 ? 4
                                      : 0;
  if (len == 0 || pos + len > s.size()) return std::nullopt;
  std::uint32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (std::size_t i = 1; i < len; ++i) {
    unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr std::uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return std::nullopt;
  pos += len;
  return cp;
}

bool isLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::size_t charLengthAt(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

std::optional<std::string> toCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    auto cp = nextScalar(utf8, pos);
    if (!cp) return std::nullopt;
    if (*cp < 0x80) {
      out += static_cast<char>(*cp);
    } else if (*cp >= 0xFF61 && *cp <= 0xFF9F) {
      out += static_cast<char>(*cp - 0xFF61 + 0xA1);  // half-width katakana
    } else {
      auto it = std::lower_bound(std::begin(kEncodeTable), std::end(kEncodeTable), *cp,
                                 [](const CodePair& p, std::uint32_t v) { return p.scalar < v; });
      if (it == std::end(kEncodeTable) || it->scalar != *cp) return std::nullopt;
      out += static_cast<char>(it->code >> 8);
      out += static_cast<char>(it->code & 0xFF);
    }
  }
  return out;
}

std::string toUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (std::size_t pos = 0; pos < cp932.size();) {
    auto b = static_cast<unsigned char>(cp932[pos]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++pos;
    } else if (isKatakanaByte(b)) {
      appendUtf8(out, 0xFF61u + (b - 0xA1u));
      ++pos;
    } else if (isLeadByte(b) && pos + 1 < cp932.size()) {
      std::uint16_t code =
          static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(cp932[pos + 1]));
      auto it = std::lower_bound(std::begin(kDecodeTable), std::end(kDecodeTable), code,
                                 [](const CodePair& p, std::uint16_t v) { return p.code < v; });
      if (it != std::end(kDecodeTable) && it->code == code) {
        appendUtf8(out, it->scalar);
        pos += 2;
      } else {
        appendUtf8(out, 0xFFFD);
        pos += 1;
      }
    } else {
      appendUtf8(out, 0xFFFD);
      ++pos;
    }
  }
  return out;
}

std::string sj(std::string_view utf8) {
  auto converted = toCp932(utf8);
  return converted ? *converted : std::string(utf8);
}

std::string_view cutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len = charLengthAt(text, pos);
    if (pos + len > maxBytes) break;
    pos += len;
  }
  return text.substr(0, pos);
}

std::string padRight(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string padLeft(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
  return out;
}

std::string squeeze(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = charLengthAt(text, pos);
    std::string_view ch = text.substr(pos, len);
    if (ch != " " && ch != kFullWidthSpace) out += ch;
    pos += len;
  }
  return out;
}

std::string_view firstWord(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = charLengthAt(text, pos);
    std::string_view ch = text.substr(pos, len);
    if (ch == " " || ch == kFullWidthSpace) return text.substr(0, pos);
    pos += len;
  }
  return text;
}

bool containsAtBoundary(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  for (std::size_t pos = 0; pos < text.size(); pos += charLengthAt(text, pos))
    if (text.substr(pos, needle.size()) == needle) return true;
  return false;
}

}  // namespace toq::text
