#pragma once
// The sub-commands of toq-cli. Each one is a thin wrapper: it reads its operands, calls the
// core and prints. A new sub-command is declared here and listed in the table of dispatch.cpp.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/console_services.h"
#include "edit/workspace.h"

namespace toq::cli {

/// What a sub-command works with.
struct Invocation {
  std::vector<std::string> args;  ///< the operands after the sub-command's name (UTF-8)
  std::ostream& out;              ///< data
  ConsoleServices& ui;            ///< messages
  edit::Workspace& workspace;     ///< the register and the table

  /// The operand as a native path.
  std::filesystem::path pathArg(std::size_t index) const;
  /// Exit code for a failed step: shows `message` as an error unless the core already showed
  /// an error or a warning since `problemsBefore`.
  int fail(std::size_t problemsBefore, const std::string& message);
};

using CommandFunction = int (*)(Invocation&);

/// One entry of the sub-command table.
struct Command {
  std::string_view name;
  std::string_view usage;        ///< operands, as shown after "toq-cli name"
  std::string_view description;  ///< one line, UTF-8
  std::size_t minArgs;
  std::size_t maxArgs;
  CommandFunction run;
};

/// Every sub-command, in the order of the help text.
std::span<const Command> commands();

/// A 1-based row or round number of the command line as a 0-based index below `count`.
std::optional<int> parseOneBased(std::string_view text, int count);

/// Opens a table file and the player file beside it: kExitOk, or kExitFailure after a message.
int openTable(Invocation& inv, const std::filesystem::path& path);

int importCommand(Invocation& inv);
int showCommand(Invocation& inv);
int playersCommand(Invocation& inv);
int csvCommand(Invocation& inv);

}  // namespace toq::cli
