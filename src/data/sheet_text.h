#pragma once
// A spreadsheet's or a web form's export as text: the encoding guessed (UTF-8 with or without
// its byte-order mark, or Shift-JIS), the separator guessed (comma or tab), and the cells of
// each record, with quoted cells holding separators, quotes and line breaks.

#include <string>
#include <string_view>
#include <vector>

namespace toq::data {

/// The encoding a sheet was found in.
enum class SheetEncoding { Utf8, Utf8WithBom, ShiftJis };

/// A sheet's bytes as UTF-8 text, or the line at which they stop being either encoding.
struct DecodedSheet {
  bool ok = false;
  SheetEncoding encoding = SheetEncoding::Utf8;
  std::string utf8;  ///< the text, without a byte-order mark
  int badLine = 0;   ///< 1-based line that is neither UTF-8 nor Shift-JIS, when not ok
};

/// Guesses the encoding: a byte-order mark or valid UTF-8 is UTF-8, else valid Shift-JIS.
DecodedSheet decodeSheet(std::string_view bytes);

/// One record of a sheet: its cells as written (quotes taken off) and the file line it
/// starts on.
struct SheetRecord {
  int line = 0;  ///< 1-based
  std::vector<std::string> cells;
};

/// Tab when the first record holds more tabs than commas (outside quotes), else comma.
char guessSeparator(std::string_view utf8);

/// Splits UTF-8 text into records; CR LF and LF both end a record outside quotes.
std::vector<SheetRecord> splitSheet(std::string_view utf8, char separator);

}  // namespace toq::data
