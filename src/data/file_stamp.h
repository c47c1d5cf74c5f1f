#pragma once
// What a file held when this program last read or wrote it, so that a change made by another
// program (the window, toq-cli) is noticed before it is written over.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace toq::data {

/// The bytes of one file as this program last read or wrote them. Size and hash decide; the
/// modification time does not: FAT keeps it to two seconds, a copy keeps the original's, and a
/// result entered changes no size, so only the bytes tell two versions apart.
struct FileStamp {
  std::filesystem::path path;  ///< the file; empty: nothing recorded
  std::uintmax_t size = 0;     ///< bytes
  std::uint64_t hash = 0;      ///< FNV-1a of the bytes

  bool known() const { return !path.empty(); }
  /// True when the stamp records this file with exactly these bytes.
  bool holds(const std::filesystem::path& file, std::string_view bytes) const;

  bool operator==(const FileStamp&) const = default;
};

/// 64-bit FNV-1a: cheap, and a change of any byte changes it.
std::uint64_t contentHash(std::string_view bytes);

/// The stamp of bytes read from or written to `path`.
FileStamp stampOf(const std::filesystem::path& path, std::string_view bytes);

}  // namespace toq::data
