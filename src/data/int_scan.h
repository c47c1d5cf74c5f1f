#pragma once
// Decimal integers as the file readers take them: leading blanks skipped, an optional sign,
// then digits. Values beyond the target type are clamped to its range, never wrapped.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace toq::data {

/// The integer starting at `pos` (blanks skipped), clamped to int; `pos` moves past it.
/// None, with `pos` unchanged, when no digit follows.
std::optional<int> scanInt(std::string_view text, std::size_t& pos);

/// An int clamped into the range of a table plane's 16-bit entry.
std::int16_t clampToInt16(int value);

/// Up to `maxCount` integers separated by single commas, starting at `pos` (like "%d,%d,...").
/// Reading stops at the first place that is not an integer or not followed by a comma.
std::vector<int> scanIntList(std::string_view text, std::size_t pos, std::size_t maxCount);

}  // namespace toq::data
