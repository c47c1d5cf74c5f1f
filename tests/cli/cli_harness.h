#pragma once
// Running toq-cli from the tests: in-process through toq::cli::run with string streams, or as
// the built program with its real streams and exit status.

#include <filesystem>
#include <string>
#include <vector>

namespace toq::testing {

/// What one run of toq-cli printed and returned.
struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

/// toq::cli::run with the arguments after the program name.
CliRun runInProcess(const std::vector<std::string>& args);

/// The built toq-cli program, run in `dir`, its streams caught in files there.
CliRun runProgram(const std::vector<std::string>& args, const std::filesystem::path& dir);

/// Writes bytes to a file, replacing it.
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

/// The bytes of tests/golden/cli/<name>.
std::string goldenCli(const std::string& name);

}  // namespace toq::testing
