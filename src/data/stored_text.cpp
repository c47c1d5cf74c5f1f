#include "data/stored_text.h"

#include "data/register.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

namespace {

constexpr const char* kControl = "%sの%d文字目に制御文字（U+%04X）は使えません。";
constexpr const char* kQuote = "%sに二重引用符（\"）は使えません。";
constexpr const char* kLineBreak = "%sに改行は使えません。";
constexpr const char* kNotCp932 = "%sの%d文字目（U+%04X）はシフトJISで表せません。";
constexpr const char* kNotCp932Byte = "%sの%d文字目がシフトJISの文字ではありません（0x%02X）。";
constexpr const char* kTooLong = "%sは255バイト（全角127文字）以内で入力してください。";
constexpr const char* kTooLongBytes = "%sは%dバイト以内で入力してください。";
constexpr const char* kNameField = "氏名";
constexpr const char* kShortNameField = "省略名";
constexpr const char* kAffiliationField = "所属";
constexpr const char* kReadingField = "ふりがな";
constexpr const char* kOffendingRecord = "%d番目の対局者「%s」: %s 対局者の編集で直してください。";
constexpr const char* kRatingRange = "レーティング %lld は %d から %d の範囲で入力してください。";

// A single-byte character against the rule.
TextProblem byteProblem(unsigned char b) {
  if (b == '\r' || b == '\n') return TextProblem::LineBreak;
  if (isControlCharacter(b)) return TextProblem::Control;
  if (b == '"') return TextProblem::Quote;
  return TextProblem::None;
}

bool isHalfWidthKatakana(unsigned char b) {
  return b >= 0xA1 && b <= 0xDF;
}

// The scalar that a double-byte CP932 character stands for; none when it is not one.
std::optional<std::uint32_t> doubleByteScalar(std::string_view pair) {
  const std::string utf8 = text::toUtf8(pair);
  // Decoded whole it is one scalar of three bytes at most (CP932 holds only the BMP).
  if (utf8 == "\xEF\xBF\xBD" || utf8.size() < 2 || utf8.size() > 3) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(utf8[0]);
  if (utf8.size() == 2) return ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[1]) & 0x3Fu);
  return ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6) |
         (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
}

}  // namespace

TextCheck checkStoredText(std::string_view cp932, std::size_t maxBytes) {
  std::size_t place = 0;
  for (std::size_t pos = 0; pos < cp932.size();) {
    ++place;
    const auto b = static_cast<unsigned char>(cp932[pos]);
    if (b < 0x80) {
      if (const TextProblem p = byteProblem(b); p != TextProblem::None) return {p, b, place};
      ++pos;
      continue;
    }
    if (isHalfWidthKatakana(b)) {
      ++pos;
      continue;
    }
    const std::optional<std::uint32_t> scalar = text::isLeadByte(b) && pos + 1 < cp932.size()
                                                    ? doubleByteScalar(cp932.substr(pos, 2))
                                                    : std::nullopt;
    // A byte that starts no character of CP932 (or a lead byte alone) is named by its value.
    if (!scalar) return {TextProblem::NotCp932, b, place, true};
    if (isControlCharacter(*scalar)) return {TextProblem::Control, *scalar, place};
    pos += 2;
  }
  if (cp932.size() > maxBytes) return {TextProblem::TooLong, 0, 0};
  return {};
}

TextCheck checkTypedText(std::string_view utf8, std::size_t maxBytes) {
  std::size_t place = 0;
  std::size_t bytes = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    ++place;
    const std::size_t start = pos;
    const std::optional<std::uint32_t> c = text::nextScalar(utf8, pos);
    if (!c) return {TextProblem::NotCp932, static_cast<unsigned char>(utf8[start]), place, true};
    if (*c < 0x80) {
      if (const TextProblem p = byteProblem(static_cast<unsigned char>(*c)); p != TextProblem::None)
        return {p, *c, place};
    } else if (isControlCharacter(*c)) {
      return {TextProblem::Control, *c, place};
    }
    const std::optional<std::string> one = text::toCp932(utf8.substr(start, pos - start));
    if (!one) return {TextProblem::NotCp932, *c, place};
    bytes += one->size();
  }
  if (bytes > maxBytes) return {TextProblem::TooLong, 0, 0};
  return {};
}

std::string textProblemMessage(const TextCheck& check, std::string_view field) {
  const std::string f(field);
  const unsigned character = check.character;
  switch (check.problem) {
    case TextProblem::Control:
      return text::format(kControl, f.c_str(), static_cast<int>(check.place), character);
    case TextProblem::Quote:
      return text::format(kQuote, f.c_str());
    case TextProblem::LineBreak:
      return text::format(kLineBreak, f.c_str());
    case TextProblem::NotCp932:
      // Bytes of a file that are not Shift-JIS are named by their value, typed characters by
      // their code point.
      return check.byte
                 ? text::format(kNotCp932Byte, f.c_str(), static_cast<int>(check.place), character)
                 : text::format(kNotCp932, f.c_str(), static_cast<int>(check.place), character);
    case TextProblem::TooLong:
      return text::format(kTooLong, f.c_str());
    case TextProblem::None:
      break;
  }
  return {};
}

std::optional<std::string> storedText(std::string_view utf8, std::string_view field,
                                      std::string& message, std::size_t maxBytes) {
  TextCheck check = checkTypedText(utf8, maxBytes);
  if (check.ok()) {
    std::optional<std::string> cp932 = text::toCp932(utf8);
    if (cp932) return cp932;
    check = {TextProblem::NotCp932, 0xFFFD, 1};
  }
  message =
      check.problem == TextProblem::TooLong && maxBytes != kMaxNameBytes
          ? text::format(kTooLongBytes, std::string(field).c_str(), static_cast<int>(maxBytes))
          : textProblemMessage(check, field);
  return std::nullopt;
}

std::string escapeControls(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[pos]);
    const bool pair = text::isLeadByte(b) && pos + 1 < cp932.size();
    std::optional<std::uint32_t> scalar;
    if (pair) scalar = doubleByteScalar(cp932.substr(pos, 2));
    const bool plain = b < 0x80
                           ? !isControlCharacter(b)
                           : isHalfWidthKatakana(b) || (scalar && !isControlCharacter(*scalar));
    const std::size_t length = plain && scalar ? 2 : 1;
    if (plain)
      out.append(cp932.substr(pos, length));
    else
      out += text::format("\\x%02X", static_cast<unsigned>(b));
    pos += length;
  }
  return out;
}

std::string escapedUtf8(std::string_view cp932) {
  return text::toUtf8(escapeControls(cp932));
}

std::string ratingRangeMessage(long long rating) {
  if (rating >= kMinRating && rating <= kMaxRating) return {};
  return text::format(kRatingRange, rating, kMinRating, kMaxRating);
}

std::string recordProblem(const Player& player) {
  const std::pair<const std::string*, const char*> fields[] = {
      {&player.name, kNameField},
      {&player.shortName, kShortNameField},
      {&player.affiliation, kAffiliationField},
      {&player.reading, kReadingField}};
  for (const auto& [value, field] : fields)
    if (const TextCheck check = checkStoredText(*value); !check.ok())
      return textProblemMessage(check, field);
  return ratingRangeMessage(player.rating);
}

std::vector<std::string> offendingRecords(const Register& players) {
  std::vector<std::string> out;
  for (int position = 1; position <= players.count(); ++position)
    if (std::string problem = recordProblem(players.at(position)); !problem.empty())
      out.push_back(text::format(kOffendingRecord, position,
                                 escapedUtf8(players.at(position).name).c_str(), problem.c_str()));
  return out;
}

}  // namespace toq::data
