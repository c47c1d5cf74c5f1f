#pragma once
// Shared pieces of the fuzz targets: a fixed scratch folder for the files they write, and a
// check that stops the run (as a crash libFuzzer keeps) when an invariant breaks.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace toq::fuzz {

/// Stops the run with a message when a property of the readers or the pipeline breaks.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "toq fuzz: property broken: %s\n", what);
  std::abort();
}

/// One folder per fuzzing process, under /dev/shm when there is one (a save syncs the file,
/// which costs nothing in memory), removed at exit. Every file a target writes goes here
/// under a fixed name, so a long run never fills the disk.
inline const std::filesystem::path& scratchFolder() {
  // Never destroyed, so that the removal at exit still finds it.
  static const std::filesystem::path* folder = [] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path(ec);
    auto* dir = new std::filesystem::path(base / ("toq-fuzz-" + std::to_string(::getpid())));
    std::filesystem::remove_all(*dir, ec);
    std::filesystem::create_directories(*dir, ec);
    return dir;
  }();
  static const bool removedAtExit = [] {
    return std::atexit([] {
             std::error_code ignored;
             std::filesystem::remove_all(*folder, ignored);
           }) == 0;
  }();
  (void)removedAtExit;
  return *folder;
}

/// The input as text.
inline std::string_view asText(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

/// The input cut at its first NUL byte: the part before it, and the rest after it (empty when
/// there is no NUL).
inline std::string_view takePart(std::string_view& rest) {
  const std::size_t nul = rest.find('\0');
  std::string_view part = rest.substr(0, nul);
  rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
  return part;
}

}  // namespace toq::fuzz
