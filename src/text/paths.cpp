#include "text/paths.h"

namespace toq::text {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string pathToUtf8(const std::filesystem::path& path) {
  // Native separators: a path joined from a dialog's "C:/…" and a file name reads
  // "C:\…\1回戦組み合わせ.txt", not half and half.
  const std::u8string s = std::filesystem::path(path).make_preferred().u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace toq::text
