#include "services/program_directory.h"

#include <system_error>

namespace toq::services {

namespace fs = std::filesystem;

namespace {

bool isSeparator(fs::path::value_type c) {
  return c == fs::path::preferred_separator || c == '/';
}

}  // namespace

fs::path programDirectoryOf(const fs::path& executable, const fs::path& currentDir) {
  const auto& exe = executable.native();
  fs::path::string_type dir;
  // The folder part keeps its last separator, as the text is later prefixed to file names.
  std::size_t cut = exe.size();
  while (cut > 0 && !isSeparator(exe[cut - 1])) --cut;
  if (cut > 0)
    dir = exe.substr(0, cut);
  else
    dir = currentDir.native();

  const fs::path::string_type dot(1, '.');
  if (dir == dot || (dir.size() == 2 && dir[0] == '.' && isSeparator(dir[1]))) return {};
  if (!dir.empty() && dir.back() != ':' && !isSeparator(dir.back()))
    dir.push_back(fs::path::preferred_separator);
  return fs::path(dir);
}

fs::path programDirectory(const char* argv0) {
  std::error_code ec;
  fs::path executable;
#if defined(__linux__)
  executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec) executable.clear();
#endif
  if (executable.empty() && argv0) executable = argv0;
  fs::path current = fs::current_path(ec);
  if (ec) current.clear();
  return programDirectoryOf(executable, current);
}

}  // namespace toq::services
