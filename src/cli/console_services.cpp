#include "cli/console_services.h"

#include <string>

#if defined(__unix__)
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

#include "cli/messages.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

// The core's texts may end in a line break of their own (status messages do); the console
// adds exactly one.
std::string_view withoutLineEnd(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

#if defined(__unix__)
// Runs xdg-open on the file and waits for it; true when it reported success.
bool runViewer(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(file, ec);
  std::string target = (ec ? file : absolute).string();
  char program[] = "xdg-open";
  char* argv[] = {program, target.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#else
bool runViewer(const std::filesystem::path&) {
  return false;
}
#endif

}  // namespace

void ConsoleServices::line(std::string_view caption, std::string_view text,
                           std::string_view suffix) {
  if (!caption.empty()) err_ << caption << ": ";
  err_ << withoutLineEnd(text) << suffix << '\n';
  err_.flush();
}

void ConsoleServices::errorBox(std::string_view text, std::string_view caption) {
  ++problems_;
  line(caption, text);
}

void ConsoleServices::warningBox(std::string_view text, std::string_view caption) {
  ++problems_;
  line(caption, text);
}

void ConsoleServices::informationBox(std::string_view text, std::string_view caption) {
  line(caption, text);
}

void ConsoleServices::statusMessage(std::string_view text) {
  if (verbose_) line({}, text);
}

bool ConsoleServices::askYesNo(std::string_view text, std::string_view caption) {
  line(caption, text, kAnsweredYes);
  return true;
}

int ConsoleServices::openWithViewer(const std::filesystem::path& file) {
  if (!useViewer_) return 0;
  if (runViewer(file)) return 0;
  errorBox(text::format(kViewerFailed, text::pathToUtf8(file).c_str()), services::kErrorCaption);
  return -1;
}

}  // namespace toq::cli
