#pragma once
// The one rule for every text that goes into a file, whichever way it came in (a dialog, a
// paste, toq-cli, a name list, an entries sheet, a JSON body): no NUL, no other C0 control
// character, no DEL and nothing of the C1 range; no double quote and no line break, which
// end a field of the files; nothing Shift-JIS cannot hold; within its length. Numbers that go
// into a file are refused outside their range, never wrapped.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/player.h"

namespace toq::data {

/// Lowest and highest rating a record may hold.
inline constexpr int kMinRating = -99999;
inline constexpr int kMaxRating = 99999;

/// Why a text cannot be stored; None when it can.
enum class TextProblem {
  None,
  Control,    ///< a control character (C0, DEL, C1)
  Quote,      ///< a double quote
  LineBreak,  ///< CR or LF
  NotCp932,   ///< a character Shift-JIS cannot hold, or bytes that are not Shift-JIS
  TooLong,    ///< more bytes than the field holds
};

/// The verdict on a text: the problem, the character (Unicode scalar) and its 1-based place
/// among the text's characters.
struct TextCheck {
  TextProblem problem = TextProblem::None;
  std::uint32_t character = 0;
  std::size_t place = 0;
  bool byte = false;  ///< `character` is a byte that starts no character, not a code point

  bool ok() const { return problem == TextProblem::None; }
};

/// Checks CP932 bytes (from a file or already converted) against the rule.
TextCheck checkStoredText(std::string_view cp932, std::size_t maxBytes = kMaxNameBytes);
/// Checks typed UTF-8 text against the rule (before it is converted).
TextCheck checkTypedText(std::string_view utf8, std::size_t maxBytes = kMaxNameBytes);

/// The user's message (UTF-8) for a refused text of a field ("氏名", "省略名", "所属"...):
/// "氏名の3文字目の制御文字（U+001B）は使えません。".
std::string textProblemMessage(const TextCheck& check, std::string_view field);

/// Typed UTF-8 text as the CP932 that a file stores; none, with `message` set, when the rule
/// refuses it.
std::optional<std::string> storedText(std::string_view utf8, std::string_view field,
                                      std::string& message, std::size_t maxBytes = kMaxNameBytes);

/// True for a control character: C0 (U+0000-U+001F), DEL (U+007F), C1 (U+0080-U+009F).
constexpr bool isControlCharacter(std::uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

/// A stored text for a terminal: every control character that reached a file anyway (an old
/// file) as "\xNN", bytes that are not Shift-JIS likewise; the rest unchanged.
std::string escapeControls(std::string_view cp932);
/// The same as UTF-8, for a terminal or a message.
std::string escapedUtf8(std::string_view cp932);

/// The user's message (UTF-8) for a rating outside kMinRating..kMaxRating; empty within.
std::string ratingRangeMessage(long long rating);

struct Player;
class Register;

/// What a record read from a file (an old one, written before this rule) holds against the
/// rule, as the user's message naming the field; empty when nothing. Such a record is read and
/// shown, and mended by editing it.
std::string recordProblem(const Player& player);
/// The messages of every such record of the register, each naming its position.
std::vector<std::string> offendingRecords(const Register& players);

}  // namespace toq::data
