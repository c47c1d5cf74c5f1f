#include "support/command_output.h"

#include <cstdio>

namespace toq::testing {

std::string commandOutput(const std::string& command, int* status) {
  std::string output;
  int closed = -1;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, p)) > 0;) output.append(chunk, n);
    closed = ::pclose(p);
  }
  if (status) *status = closed;
  return output;
}

}  // namespace toq::testing
