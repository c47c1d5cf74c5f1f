#include "cli/cli_harness.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "support/builders.h"

namespace toq::testing {

namespace {

// Single quotes keep every byte of an argument as it is in the shell.
std::string shellQuoted(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

CliRun runInProcess(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliRun r;
  r.code = cli::run(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

CliRun runProgram(const std::vector<std::string>& args, const std::filesystem::path& dir) {
  std::string command = "cd " + shellQuoted(dir.string()) + " && " + shellQuoted(TOQ_CLI_PATH);
  for (const auto& a : args) command += " " + shellQuoted(a);
  command += " >cli.out 2>cli.err";
  const int status = std::system(command.c_str());
  CliRun r;
  r.code = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  r.out = readFile((dir / "cli.out").string());
  r.err = readFile((dir / "cli.err").string());
  return r;
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::string goldenCli(const std::string& name) {
  return readFile(std::string(TOQ_SOURCE_DIR) + "/tests/golden/cli/" + name);
}

}  // namespace toq::testing
