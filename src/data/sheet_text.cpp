#include "data/sheet_text.h"

#include <algorithm>

#include "text/cp932.h"

namespace toq::data {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Bytes of the UTF-8 sequence at `pos`, or 0 when it is malformed (overlong forms, surrogates
// and values past U+10FFFF included).
std::size_t utf8SequenceAt(std::string_view s, std::size_t pos) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
  const unsigned char lead = b(0);
  if (lead < 0x80) return 1;
  std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (n == 0 || lead > 0xF4 || pos + n > s.size()) return 0;
  for (std::size_t i = 1; i < n; ++i)
    if ((b(i) & 0xC0) != 0x80) return 0;
  if (lead == 0xE0 && b(1) < 0xA0) return 0;
  if (lead == 0xED && b(1) >= 0xA0) return 0;
  if (lead == 0xF0 && b(1) < 0x90) return 0;
  if (lead == 0xF4 && b(1) >= 0x90) return 0;
  return n;
}

int lineAt(std::string_view s, std::size_t pos) {
  return 1 + static_cast<int>(std::count(s.begin(), s.begin() + static_cast<long>(pos), '\n'));
}

// The line of the first malformed UTF-8 sequence, 0 when there is none.
int firstBadUtf8Line(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t n = utf8SequenceAt(s, pos);
    if (n == 0) return lineAt(s, pos);
    pos += n;
  }
  return 0;
}

}  // namespace

DecodedSheet decodeSheet(std::string_view bytes) {
  DecodedSheet d;
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  const int badUtf8 = firstBadUtf8Line(bytes);
  if (badUtf8 == 0) {
    d.ok = true;
    d.encoding = bom ? SheetEncoding::Utf8WithBom : SheetEncoding::Utf8;
    d.utf8 = std::string(bytes);
    return d;
  }
  // A Shift-JIS text never converts to the replacement character: one found marks a byte
  // sequence that Shift-JIS does not have.
  std::string converted = text::toUtf8(bytes);
  const std::size_t bad = converted.find(kReplacement);
  if (bom || bad != std::string::npos) {
    d.badLine = bom ? badUtf8 : std::max(badUtf8, lineAt(converted, bad));
    return d;
  }
  d.ok = true;
  d.encoding = SheetEncoding::ShiftJis;
  d.utf8 = std::move(converted);
  return d;
}

char guessSeparator(std::string_view utf8) {
  int commas = 0;
  int tabs = 0;
  bool quoted = false;
  for (char c : utf8) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') break;
    commas += c == ',';
    tabs += c == '\t';
  }
  return tabs > commas ? '\t' : ',';
}

std::vector<SheetRecord> splitSheet(std::string_view s, char separator) {
  std::vector<SheetRecord> records;
  SheetRecord record{1, {}};
  std::string cell;
  int line = 1;
  bool quoted = false;
  bool wasQuoted = false;  // the cell began with a quote: a quote inside it is written twice
  const auto endCell = [&] {
    record.cells.push_back(std::move(cell));
    cell.clear();
    wasQuoted = false;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\n') ++line;
    if (quoted) {
      if (c != '"') {
        if (!(c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) cell += c;
      } else if (i + 1 < s.size() && s[i + 1] == '"') {
        cell += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"' && cell.empty() && !wasQuoted) {
      quoted = wasQuoted = true;
    } else if (c == separator) {
      endCell();
    } else if (c == '\n') {
      endCell();
      records.push_back(std::move(record));
      record = SheetRecord{line, {}};
    } else if (c != '\r') {
      cell += c;
    }
  }
  if (!cell.empty() || !record.cells.empty() || wasQuoted) {
    endCell();
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace toq::data
