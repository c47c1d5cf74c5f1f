#include "services/program_directory.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace toq::services {

namespace fs = std::filesystem;

namespace {

bool isSeparator(fs::path::value_type c) {
  return c == fs::path::preferred_separator || c == '/';
}

fs::path runningExecutable() {
  std::error_code ec;
#if defined(__linux__)
  fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : executable;
#elif defined(_WIN32)
  // The path may be longer than MAX_PATH; a full buffer means it was cut.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return fs::path(buffer.substr(0, n));
    buffer.resize(buffer.size() * 2);
  }
#else
  return {};
#endif
}

// A file can be created in the folder: tried, since permissions alone do not tell (root, ACLs,
// a read-only medium).
bool canCreateFileIn(const fs::path& folder) {
  std::error_code ec;
  const fs::path probe = folder / ".toq-write-test";
  {
    std::ofstream out(probe, std::ios::binary | std::ios::app);
    if (!out) return false;
  }
  fs::remove(probe, ec);
  return true;
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
  fs::path executable = runningExecutable();
  if (executable.empty() && argv0) executable = argv0;
  fs::path current = fs::current_path(ec);
  if (ec) current.clear();
  return programDirectoryOf(executable, current);
}

fs::path manualPath(const fs::path& programDir) {
  std::error_code ec;
  const fs::path beside = programDir / "manual.html";
  if (fs::is_regular_file(beside, ec)) return beside;
  const fs::path installed =
      (programDir / ".." / kInstalledDataFolder / "manual.html").lexically_normal();
  if (fs::is_regular_file(installed, ec)) return installed;
  return beside;
}

fs::path userDataDirectory() {
#ifdef _WIN32
  // The wide environment: a user name in Japanese does not survive the ANSI code page.
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local && *local) return fs::path(local) / "TOQ";
  return {};
#else
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return fs::path(xdg) / "toq";
  const char* home = std::getenv("HOME");
  if (home && *home) return fs::path(home) / ".local" / "share" / "toq";
  return {};
#endif
}

fs::path writableFolder(const fs::path& programDir, const fs::path& userData) {
  if (userData.empty() || canCreateFileIn(programDir.empty() ? fs::path(".") : programDir))
    return programDir;
  std::error_code ec;
  fs::create_directories(userData, ec);
  return userData;
}

fs::path logFolder(const fs::path& programDir) {
  return writableFolder(programDir, userDataDirectory());
}

}  // namespace toq::services
