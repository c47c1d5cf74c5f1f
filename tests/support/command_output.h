#pragma once
// A shell command's standard output, for tests that check what another program reads back
// (node running a page's script, pdfinfo, zbarimg).

#include <string>

namespace toq::testing {

/// Runs `command` through the shell and returns its standard output; `status` (when given)
/// receives what the shell answered on closing (0 when the command succeeded).
std::string commandOutput(const std::string& command, int* status = nullptr);

}  // namespace toq::testing
