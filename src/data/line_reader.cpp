#include "data/line_reader.h"

#include <fstream>
#include <sstream>

namespace toq::data {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  // A folder opens as a stream on some systems and then fails to read; refuse it at once.
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
}

bool LineReader::next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', pos_);
  std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(pos_, stop - pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++lineNumber_;
  return true;
}

}  // namespace toq::data
