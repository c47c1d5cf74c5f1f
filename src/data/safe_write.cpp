#include "data/safe_write.h"

#include <cerrno>
#include <system_error>

#include "data/line_reader.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace toq::data {

namespace {

// The new content is first written here, beside the target, so that the final rename stays on
// one file system and replaces the target in one step.
fs::path temporaryPath(const fs::path& target) {
  fs::path temp = target;
  temp += ".toq-tmp";
  return temp;
}

#ifdef _WIN32
int openNew(const fs::path& p) {
  return ::_wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    unsigned chunk =
        content.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(content.size());
    int n = ::_write(fd, content.data(), chunk);
    if (n <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}
// _commit is FlushFileBuffers on the file's handle.
bool flushToDisk(int fd) {
  return ::_commit(fd) == 0;
}
bool closeFile(int fd) {
  return ::_close(fd) == 0;
}
// A folder cannot be flushed on Windows; the replacement itself is written through instead.
void syncFolder(const fs::path&) {}
bool replaceFile(const fs::path& from, const fs::path& to) {
  return ::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
int openNew(const fs::path& p) {
  return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}
bool flushToDisk(int fd) {
  return ::fsync(fd) == 0;
}
bool closeFile(int fd) {
  return ::close(fd) == 0;
}
// Makes the rename itself durable. The content is already on the disk, so a folder that
// cannot be flushed (some network file systems refuse) is not reported as a failed save.
void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
bool replaceFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}
#endif

/// Removes a temporary file of ours. It may be read-only, as the target it was made for, and
/// Windows deletes no read-only file.
void removeTemporary(const fs::path& temp) {
  std::error_code ec;
  if (fs::is_regular_file(fs::symlink_status(temp, ec)))
    fs::permissions(temp, fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove(temp, ec);
}

/// A temporary file left behind by an interrupted run is stale; O_EXCL then refuses anything
/// else (a folder) that stands in its place.
void removeStale(const fs::path& temp) {
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(temp, ec))) removeTemporary(temp);
}

/// Creates `temp` with the content, flushed to the disk when `flush`: 0; -1 when it cannot be
/// created; -2 when writing failed (nothing is left behind).
int writeTemporary(const fs::path& temp, std::string_view content, bool flush = true) {
  removeStale(temp);
  int fd = openNew(temp);
  if (fd < 0) return -1;
  bool written = writeAll(fd, content) && (!flush || flushToDisk(fd));
  if (!closeFile(fd)) written = false;
  if (!written) {
    std::error_code ec;
    fs::remove(temp, ec);
    return -2;
  }
  return 0;
}

/// Copies the file to `backup` through a temporary file that then replaces the backup in one
/// step, so that an interruption leaves the previous backup whole. False, with the previous
/// backup as it was, when the copy cannot be made. The copy is not flushed to the disk: a
/// power cut soon after a save may cost the backup, never the file itself, and each save of a
/// result is a third quicker for it.
bool keepBackup(const fs::path& file, const fs::path& backup) {
  const fs::path temp = temporaryPath(backup);
  std::error_code ec;
  auto bytes = readWholeFile(file);
  if (!bytes || writeTemporary(temp, *bytes, false) != 0) return false;
  fs::permissions(temp, fs::status(file, ec).permissions(), ec);
  if (!replaceFile(temp, backup)) {
    removeTemporary(temp);
    return false;
  }
  return true;
}

}  // namespace

fs::path backupPath(const fs::path& path) {
  fs::path bak = path;
  bak += ".bak";
  return bak;
}

int writeFileSafely(const fs::path& path, std::string_view content) {
  // No name, no file: never a stray temporary file in the working folder.
  if (path.empty()) return -1;
  std::error_code ec;
  // A link is written through, so that the link itself stays a link.
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    fs::path real = fs::weakly_canonical(path, ec);
    if (!ec) target = real;
  }
  const fs::path temp = temporaryPath(target);
  if (int created = writeTemporary(temp, content); created != 0) return created;

  // Only now, with the new content safely on disk, is the previous file kept as ".bak". When
  // that fails (a full disk), the file is not replaced either: the backup always holds the
  // version before the file.
  const fs::file_status previous = fs::status(target, ec);
  if (!ec && fs::is_regular_file(previous)) {
    fs::permissions(temp, previous.permissions(), ec);
    if (!keepBackup(target, backupPath(path))) {
      removeTemporary(temp);
      return -2;
    }
  }
  if (!replaceFile(temp, target)) {
    removeTemporary(temp);
    return -1;
  }
  // Both the new file and its backup are on the disk, names included, before the save is
  // reported done.
  syncFolder(target.parent_path());
  if (const fs::path backupFolder = backupPath(path).parent_path();
      backupFolder != target.parent_path())
    syncFolder(backupFolder);
  return 0;
}

}  // namespace toq::data
