#include "data/name_field.h"

namespace toq::data {

std::optional<QuotedText> quotedText(std::string_view line, std::size_t opening) {
  // A double quote (0x22) is never the second byte of a CP932 character, so a byte search is
  // exact.
  if (opening >= line.size()) return std::nullopt;
  std::size_t closing = line.find('"', opening + 1);
  if (closing == std::string_view::npos) return std::nullopt;
  std::string_view raw = line.substr(opening + 1, closing - opening - 1);
  return QuotedText{std::string(raw), closing};
}

}  // namespace toq::data
