#include "journal/delta.h"

#include <charconv>
#include <vector>

namespace toq::journal {

namespace {

// The lines of a text, each with its '\n' (the last one without, when the text lacks it).
std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t n = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, n));
    text.remove_prefix(n);
  }
  return lines;
}

// Reads "<number><sep>" at the front of `text`.
std::optional<std::size_t> number(std::string_view& text, char sep) {
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end == text.data() + text.size() || *end != sep) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
  return value;
}

}  // namespace

// Format: "<line count>\n" then, per differing line, "<index> <length>\n<bytes>".
std::string lineDelta(std::string_view base, std::string_view next) {
  const std::vector<std::string_view> from = linesOf(base);
  const std::vector<std::string_view> to = linesOf(next);
  std::string out = std::to_string(to.size()) + "\n";
  for (std::size_t i = 0; i < to.size(); ++i) {
    if (i < from.size() && from[i] == to[i]) continue;
    out += std::to_string(i) + " " + std::to_string(to[i].size()) + "\n";
    out += to[i];
  }
  return out;
}

std::optional<std::string> applyDelta(std::string_view base, std::string_view delta) {
  std::vector<std::string_view> lines = linesOf(base);
  const std::optional<std::size_t> count = number(delta, '\n');
  if (!count || *count > lines.size() + delta.size()) return std::nullopt;
  // Lines beyond the base's must all be given.
  std::size_t missing = *count > lines.size() ? *count - lines.size() : 0;
  const std::size_t baseLines = lines.size();
  lines.resize(*count);
  while (!delta.empty()) {
    const std::optional<std::size_t> index = number(delta, ' ');
    const std::optional<std::size_t> size = index ? number(delta, '\n') : std::nullopt;
    if (!size || *index >= lines.size() || *size > delta.size()) return std::nullopt;
    if (*index >= baseLines && lines[*index].data() == nullptr && missing > 0) --missing;
    lines[*index] = delta.substr(0, *size);
    delta.remove_prefix(*size);
  }
  if (missing > 0) return std::nullopt;
  std::string out;
  for (std::string_view line : lines) out += line;
  return out;
}

}  // namespace toq::journal
