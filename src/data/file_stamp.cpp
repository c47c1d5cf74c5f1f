#include "data/file_stamp.h"

namespace toq::data {

std::uint64_t contentHash(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

FileStamp stampOf(const std::filesystem::path& path, std::string_view bytes) {
  return FileStamp{path, bytes.size(), contentHash(bytes)};
}

bool FileStamp::holds(const std::filesystem::path& file, std::string_view bytes) const {
  return known() && path == file && size == bytes.size() && hash == contentHash(bytes);
}

}  // namespace toq::data
