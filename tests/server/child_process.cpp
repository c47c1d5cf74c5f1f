#include "server/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/builders.h"

namespace toq::testing {

CliProcess::CliProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                       const std::string& name)
    : errorFile_(dir / (name + ".err")) {
  std::vector<std::string> all = {TOQ_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string folder = dir.string();
  const std::string errors = errorFile_.string();
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    // Only calls that are safe between fork and exec.
    ::close(pipeFds[0]);
    ::dup2(pipeFds[1], STDOUT_FILENO);
    const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  out_ = pipeFds[0];
}

CliProcess::~CliProcess() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
}

bool CliProcess::readUntil(const std::string& text, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (output_.find(text) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || out_ < 0) return false;
    pollfd p{out_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
    char chunk[4096];
    const ssize_t n = ::read(out_, chunk, sizeof chunk);
    if (n <= 0) return output_.find(text) != std::string::npos;
    output_.append(chunk, static_cast<std::size_t>(n));
  }
  return true;
}

void CliProcess::signal(int number) {
  if (pid_ > 0 && !reaped_) ::kill(pid_, number);
}

void CliProcess::drain(int waitMs) {
  pollfd p{out_, POLLIN, 0};
  while (out_ >= 0 && ::poll(&p, 1, waitMs) > 0) {
    char chunk[4096];
    const ssize_t n = ::read(out_, chunk, sizeof chunk);
    if (n <= 0) break;
    output_.append(chunk, static_cast<std::size_t>(n));
  }
}

int CliProcess::wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0 || reaped_) return -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      reaped_ = true;
      return -1;
    }
    // The output is read meanwhile, so that a full pipe never holds the program up.
    drain(5);
  }
  reaped_ = true;
  drain(0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CliProcess::errors() const {
  return readFile(errorFile_);
}

int runCli(const std::vector<std::string>& args, const std::filesystem::path& dir) {
  CliProcess p(args, dir, "run");
  return p.wait(std::chrono::seconds(60));
}

ServedAt servedAt(const std::string& output) {
  ServedAt at;
  static const std::string kBase = "http://127.0.0.1:";
  static const std::string kAdmin = "/admin#";
  const std::size_t admin = output.find(kAdmin);
  if (admin == std::string::npos) return at;
  const std::size_t base = output.rfind(kBase, admin);
  const std::size_t keyAt = admin + kAdmin.size();
  const std::size_t end = output.find('\n', keyAt);
  if (base == std::string::npos || end == std::string::npos) return at;
  // A section's address goes on after the port ("/t/1/admin#").
  std::string port = output.substr(base + kBase.size(), admin - base - kBase.size());
  port = port.substr(0, port.find('/'));
  const std::string key = output.substr(keyAt, end - keyAt);
  if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos ||
      key.size() != 32 || key.find_first_not_of("0123456789abcdef") != std::string::npos)
    return at;
  at.port = static_cast<unsigned short>(std::stoi(port));
  at.key = key;
  return at;
}

}  // namespace toq::testing
