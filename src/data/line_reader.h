#pragma once
// Reading the text files of the program: a whole file as bytes, then one line at a time.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace toq::data {

/// The bytes of a file; none when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

/// Splits a text into lines. A line ends at LF; a CR right before it (or at the very end of
/// the text) is dropped, so CR LF and LF files read alike. A line is always returned whole,
/// however long, NUL bytes included: the file readers refuse a line that holds one.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  /// The next line without its line end; false after the last line.
  bool next(std::string_view& line);
  /// 1-based number of the line last returned.
  int lineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int lineNumber_ = 0;
};

}  // namespace toq::data
