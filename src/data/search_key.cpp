#include "data/search_key.h"

#include "text/cp932.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace toq::data {

namespace {

// Variant forms of kanji found in names and the everyday form they are searched as. The old
// and the "different" forms registers and forms mix (旧字体・異体字), each to its common form.
constexpr std::array<std::pair<char32_t, char32_t>, 40> kVariants = {{
    {U'髙', U'高'}, {U'﨑', U'崎'}, {U'嵜', U'崎'}, {U'碕', U'崎'},     {U'邊', U'辺'},
    {U'邉', U'辺'}, {U'齋', U'斎'}, {U'齊', U'斎'}, {U'齌', U'斎'},     {U'斉', U'斎'},
    {U'澤', U'沢'}, {U'濱', U'浜'}, {U'國', U'国'}, {U'廣', U'広'},     {U'櫻', U'桜'},
    {U'龍', U'竜'}, {U'眞', U'真'}, {U'惠', U'恵'}, {U'實', U'実'},     {U'壽', U'寿'},
    {U'冨', U'富'}, {U'峯', U'峰'}, {U'嶋', U'島'}, {U'嶌', U'島'},     {U'槇', U'槙'},
    {U'德', U'徳'}, {U'淺', U'浅'}, {U'藏', U'蔵'}, {U'會', U'会'},     {U'榮', U'栄'},
    {U'圓', U'円'}, {U'瀨', U'瀬'}, {U'邨', U'村'}, {U'\uFA10', U'塚'}, {U'﨔', U'欅'},
    {U'桒', U'桑'}, {U'凛', U'凜'}, {U'曻', U'昇'}, {U'\uF9DC', U'隆'}, {U'\uFA19', U'神'},
}};

// One UTF-8 character at `i` (advanced past it); U+FFFD for a malformed byte.
char32_t next(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
  if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) {
    ++i;
    return U'\uFFFD';
  }
  char32_t c = extra == 0 ? b : b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
  i += static_cast<std::size_t>(extra) + 1;
  return c;
}

// Half-width katakana U+FF66..U+FF9D as their full-width forms, in code order.
constexpr std::u32string_view kHalfKana =
    U"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    U"ヤユヨラリルレロワン";

// A half-width voiced or semi-voiced mark after a kana: the kana's voiced form, else none.
std::optional<char32_t> voiced(char32_t kana, char32_t mark) {
  if (mark == U'\uFF9E' && kana == U'ウ') return U'ヴ';
  const bool dakuten = (kana >= U'カ' && kana <= U'ト') || (kana >= U'ハ' && kana <= U'ホ');
  if (mark == U'\uFF9E' && dakuten) return kana + 1;
  if (mark == U'\uFF9F' && kana >= U'ハ' && kana <= U'ホ') return kana + 2;
  return std::nullopt;
}

char32_t fold(char32_t c) {
  if (c >= U'\uFF66' && c <= U'\uFF9D') c = kHalfKana[c - U'\uFF66'];
  if (c >= U'！' && c <= U'～') c = c - U'！' + U'!';  // full-width ASCII
  if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
  if (c >= U'ァ' && c <= U'ヶ' && c != U'ヵ' && c != U'ヶ') c = c - U'ァ' + U'ぁ';  // katakana
  for (const auto& [variant, common] : kVariants)
    if (c == variant) return common;
  return c;
}

}  // namespace

std::string searchKey(std::string_view utf8) {
  std::u32string chars;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = next(utf8, i);
    if (c >= U'\uFF66' && c <= U'\uFF9D') c = kHalfKana[c - U'\uFF66'];
    if ((c == U'\uFF9E' || c == U'\uFF9F') && !chars.empty())
      if (const std::optional<char32_t> v = voiced(chars.back(), c)) {
        chars.back() = *v;
        continue;
      }
    chars += c;
  }
  std::string out;
  for (char32_t c : chars) {
    c = fold(c);
    if (c == U' ' || c == U'\u3000' || c == U'・' || c == U'･') continue;
    text::appendUtf8(out, static_cast<std::uint32_t>(c));
  }
  return out;
}

}  // namespace toq::data
