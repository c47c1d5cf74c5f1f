#pragma once
// Cells typed in Japanese forms: full-width digits, signs and spaces read as their half-width
// forms, and spaces of either width trimmed.

#include <optional>
#include <string>
#include <string_view>

namespace toq::data {

/// The UTF-8 text with full-width digits, "－", "＋" and "＝" as ASCII and the ideographic space
/// as a space.
std::string foldWidth(std::string_view utf8);

/// The UTF-8 text without half- or full-width spaces at either end.
std::string_view trimSpaces(std::string_view utf8);

/// A whole number as typed in a cell (full-width digits and spaces accepted, an optional sign);
/// none for anything else or beyond nine digits.
std::optional<int> cellNumber(std::string_view utf8);

}  // namespace toq::data
