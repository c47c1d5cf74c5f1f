#pragma once
// The built toq-cli run as a process of its own, for the tests that stop or kill it.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace toq::testing {

/// A running toq-cli: its standard output comes through a pipe, its messages go to a file.
class CliProcess {
 public:
  /// Starts toq-cli with the arguments in `dir`; standard error goes to dir/name.err.
  CliProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
             const std::string& name = "serve");
  /// Kills the process if it still runs.
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  /// Reads standard output until it holds `text` or the time is up; true when it does.
  bool readUntil(const std::string& text, std::chrono::milliseconds timeout);
  /// Everything read from standard output so far.
  const std::string& output() const { return output_; }
  /// Sends a signal.
  void signal(int number);
  /// Waits for the end, up to `timeout` (then kills it); the exit status, or -1 when it had
  /// to be killed or ended by a signal.
  int wait(std::chrono::milliseconds timeout);
  /// The messages it wrote.
  std::string errors() const;

 private:
  /// Reads what the pipe holds, waiting up to `waitMs` for each piece.
  void drain(int waitMs);

  pid_t pid_ = -1;
  int out_ = -1;
  bool reaped_ = false;
  std::string output_;
  std::filesystem::path errorFile_;
};

/// Runs toq-cli to its end (at most 60 seconds) in `dir`; its exit status.
int runCli(const std::vector<std::string>& args, const std::filesystem::path& dir);

/// The port and key that `toq-cli serve` printed; port 0 when not found.
struct ServedAt {
  unsigned short port = 0;
  std::string key;
};
ServedAt servedAt(const std::string& output);

}  // namespace toq::testing
