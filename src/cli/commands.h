#pragma once
// The sub-commands of toq-cli. Each one is a thin wrapper: it reads its operands, calls the
// core and prints. A new sub-command is declared here and listed in the table of dispatch.cpp.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/console_services.h"
#include "edit/command_door.h"
#include "edit/outcome.h"
#include "edit/workspace.h"

namespace toq::cli {

struct Command;

/// What a sub-command works with.
struct Invocation {
  std::vector<std::string> args;     ///< the operands after the sub-command's name (UTF-8)
  std::ostream& out;                 ///< data
  ConsoleServices& ui;               ///< messages
  edit::Workspace& workspace;        ///< the register and the table
  const Command* command = nullptr;  ///< the sub-command being run (for its usage line)
  std::vector<std::string> flags;    ///< the sub-command's flags given ("--pro")
  std::vector<std::pair<std::string, std::string>> values;  ///< its valued options, in order

  /// The operand as a native path.
  std::filesystem::path pathArg(std::size_t index) const;
  /// Exit code for a failed step: shows `message` as an error unless the core already showed
  /// an error or a warning since `problemsBefore`.
  int fail(std::size_t problemsBefore, const std::string& message);
  /// Exit code for operands the sub-command cannot use: shows its usage line.
  int usage();

  /// True when the flag was given.
  bool has(std::string_view flag) const;
  /// The value of the option's last occurrence, or none.
  std::optional<std::string> value(std::string_view option) const;
};

using CommandFunction = int (*)(Invocation&);

/// One entry of the sub-command table.
struct Command {
  std::string_view name;
  std::string_view usage;        ///< operands and options, as shown after "toq-cli name"
  std::string_view description;  ///< one line, UTF-8
  std::size_t minArgs;
  std::size_t maxArgs;
  CommandFunction run;
  std::span<const std::string_view> flags = {};         ///< options without a value
  std::span<const std::string_view> valueOptions = {};  ///< options followed by a value
};

/// Every sub-command, in the order of the help text.
std::span<const Command> commands();

/// A 1-based row or round number of the command line as a 0-based index below `count`.
std::optional<int> parseOneBased(std::string_view text, int count);
/// A whole decimal number (an optional minus sign, digits only, within int).
std::optional<int> parseInteger(std::string_view text);

/// Opens a table file and the player file beside it into `ws` (the invocation's workspace when
/// none): kExitOk, or kExitFailure after a message, also when either file did not read whole
/// (nothing is then written). Records of an old file that hold what the register no longer
/// takes are named on standard error, to be mended with `edit`.
int openTable(Invocation& inv, const std::filesystem::path& path, edit::Workspace* ws = nullptr);
/// Names on standard error the records of the register that the stored-text rule refuses.
void warnOffendingRecords(Invocation& inv, const edit::Workspace& ws);

/// A 1-based row, round or position operand as a 0-based index, not checked against the
/// table (the core refuses one out of range with its own message; every number below 1
/// becomes -1); none when the operand is not a whole number.
std::optional<int> indexOperand(std::string_view text);

/// The name of a row's player (UTF-8) for the command's own report; "行 %d" when the row or
/// its player is missing. Shows no message.
std::string rowLabel(const edit::Workspace& ws, int row);

/// Exit code of an editing operation that did not succeed: kExitFailure after the core's own
/// message; `nothingToDo` is shown when the core stopped without one (nothing to act on).
/// Runs a change through the edit layer's door as toq-cli's: the journal names toq-cli.
edit::Outcome throughDoor(Invocation& inv, const edit::StepRule& rule,
                          const std::function<edit::Outcome()>& change);
int editFailed(Invocation& inv, std::size_t problemsBefore, const edit::Outcome& outcome,
               const std::string& nothingToDo);

int importCommand(Invocation& inv);
/// Needs no table file: a missing one is started at that path.
int importEntriesCommand(Invocation& inv);
int showCommand(Invocation& inv);
int playersCommand(Invocation& inv);
int csvCommand(Invocation& inv);
int htmlCommand(Invocation& inv);
/// Needs the Qt painting library; a build without it refuses with a message.
int printCommand(Invocation& inv);

// Pairing and standings.
int pairCommand(Invocation& inv);
int standingsCommand(Invocation& inv);
int repeatTestCommand(Invocation& inv);
int reportCommand(Invocation& inv);
int explainCommand(Invocation& inv);

// Pairings and results set by hand.
int opponentCommand(Invocation& inv);
int opponentsCommand(Invocation& inv);
int byeCommand(Invocation& inv);
int unpairCommand(Invocation& inv);
int resultCommand(Invocation& inv);
int handicapCommand(Invocation& inv);
int randomResultsCommand(Invocation& inv);

// Whole rounds and the table.
int cancelRoundCommand(Invocation& inv);
int cancelAllCommand(Invocation& inv);
int gamesCommand(Invocation& inv);
int exchangeByesCommand(Invocation& inv);
int lockCommand(Invocation& inv);

// Participants.
int addCommand(Invocation& inv);
int candidatesCommand(Invocation& inv);
int removeCommand(Invocation& inv);
int absentCommand(Invocation& inv);
int sortCommand(Invocation& inv);

// The event's journal.
int historyCommand(Invocation& inv);
int restoreCommand(Invocation& inv);
// The venue server.
int serveCommand(Invocation& inv);

// The player register.
int registerCommand(Invocation& inv);
int editCommand(Invocation& inv);
int deleteCommand(Invocation& inv);

}  // namespace toq::cli
