#pragma once
// A name as the readers take it from a line: the bytes between two double quotes, whole; the
// player file's reader cuts it to the 255 bytes a name field holds, the name list's refuses it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace toq::data {

/// A quoted text found in a line.
struct QuotedText {
  std::string text;     ///< the bytes between the quotes
  std::size_t closing;  ///< position of the closing quote in the line
};

/// The text between the quote at `opening` and the next quote; none without a closing quote.
std::optional<QuotedText> quotedText(std::string_view line, std::size_t opening);

}  // namespace toq::data
