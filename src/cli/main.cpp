#include <iostream>

#include "cli/cli.h"
#include "cli/windows_console.h"

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  // The arguments from the UTF-16 command line, not from argv's ANSI code page.
  toq::cli::WindowsConsole console;
  return toq::cli::run(toq::cli::commandLineArguments(), std::cout, std::cerr);
#else
  return toq::cli::run(argc, argv, std::cout, std::cerr);
#endif
}
