#pragma once
// toq-cli: the core's file and table commands from the command line.

#include <ostream>
#include <string>
#include <vector>

namespace toq::cli {

/// Exit codes of toq-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  ///< refused or failed; the reason was shown
inline constexpr int kExitUsage = 2;    ///< bad command line; the usage was shown

/// Runs toq-cli on its arguments (argv[0] is the program): data go to `out`, messages to
/// `err`, both UTF-8. Returns the exit code.
int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

/// The same with the arguments after the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace toq::cli
