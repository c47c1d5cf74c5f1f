#include "data/path_text.h"

#include "text/cp932.h"

namespace toq::data {

std::string pathUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

std::string pathCp932(const std::filesystem::path& path) {
  std::string utf8 = pathUtf8(path);
  if (auto converted = text::toCp932(utf8)) return *converted;
  return utf8;
}

std::filesystem::path siblingWithExtension(const std::filesystem::path& path, const char* ext) {
  std::filesystem::path result = path;
  result.replace_extension();
  result += ext;
  return result;
}

}  // namespace toq::data
