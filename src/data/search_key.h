#pragma once
// The form of a name that the reception's search compares: the variant kanji organisers meet
// folded to their everyday forms (髙→高, 﨑→崎, 邊/邉→辺, 齋/齊→斎, 澤→沢, 濱→浜…), full-width
// letters and digits to ASCII in lower case, katakana to hiragana (so that a reading typed in
// either matches), and no spaces of either width. "髙橋 ユキ" and "高橋ゆき" have one key.

#include <string>
#include <string_view>

namespace toq::data {

/// The search key of a UTF-8 text.
std::string searchKey(std::string_view utf8);

}  // namespace toq::data
