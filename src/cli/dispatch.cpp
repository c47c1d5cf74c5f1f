#include <algorithm>
#include <charconv>
#include <exception>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

constexpr Command kCommands[] = {
    {"import", "NAMES.txt", "名簿を取り込み、NAMES.ply と NAMES.tai を書きます。", 1, 1,
     importCommand},
    {"show", "TABLE.tai", "対戦表を表示します（TABLE.ply の対局者で）。", 1, 1, showCommand},
    {"players", "FILE.ply", "対局者ファイルの一覧を表示します。", 1, 1, playersCommand},
    {"csv", "TABLE.tai [OUT.csv]", "CSVの対戦表を書きます（既定は TABLE.tai.csv）。", 1, 2,
     csvCommand},
};

constexpr std::string_view kProgram = "toq-cli";

std::string usageLine(const Command& c) {
  return std::string(kProgram) + " " + std::string(c.name) + " " + std::string(c.usage);
}

void printHelp(std::ostream& os) {
  os << kUsagePrefix << kProgram << " [--verbose] [--view] <サブコマンド> [引数...]\n\n";
  std::size_t width = 0;
  for (const Command& c : kCommands) width = std::max(width, usageLine(c).size());
  for (const Command& c : kCommands) {
    std::string u = usageLine(c);
    os << "  " << u << std::string(width - u.size() + 2, ' ') << c.description << '\n';
  }
  os << "\n"
        "  --verbose  状況メッセージも表示します。\n"
        "  --view     書いたファイルをビューアで開きます（xdg-open）。\n"
        "  --help     この一覧を表示します。\n"
        "行番号と回戦は 1 から数えます。\n";
}

const Command* findCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (c.name == name) return &c;
  return nullptr;
}

}  // namespace

std::span<const Command> commands() {
  return kCommands;
}

std::filesystem::path Invocation::pathArg(std::size_t index) const {
  return index < args.size() ? text::pathFromUtf8(args[index]) : std::filesystem::path();
}

int Invocation::fail(std::size_t problemsBefore, const std::string& message) {
  if (ui.problemsShown() == problemsBefore) ui.errorBox(message, services::kErrorCaption);
  return kExitFailure;
}

std::optional<int> parseOneBased(std::string_view text, int count) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > count) return std::nullopt;
  return value - 1;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool verbose = false, useViewer = false, help = false, optionsEnd = false;
  std::vector<std::string> operands;
  for (const std::string& a : args) {
    if (optionsEnd || a.size() < 2 || a[0] != '-') {
      operands.push_back(a);
    } else if (a == "--") {
      optionsEnd = true;
    } else if (a == "--verbose") {
      verbose = true;
    } else if (a == "--view") {
      useViewer = true;
    } else if (a == "--help" || a == "-h") {
      help = true;
    } else {
      err << text::format(kUnknownOption, a.c_str()) << '\n';
      printHelp(err);
      return kExitUsage;
    }
  }
  if (help || (!operands.empty() && operands[0] == "help")) {
    printHelp(out);
    return kExitOk;
  }
  if (operands.empty()) {
    printHelp(err);
    return kExitUsage;
  }
  const Command* command = findCommand(operands[0]);
  if (!command) {
    err << text::format(kUnknownCommand, operands[0].c_str()) << '\n';
    printHelp(err);
    return kExitUsage;
  }
  operands.erase(operands.begin());
  if (operands.size() < command->minArgs || operands.size() > command->maxArgs) {
    err << kUsagePrefix << usageLine(*command) << '\n';
    return kExitUsage;
  }

  ConsoleServices ui(err, verbose, useViewer);
  try {
    // The table is large; it lives on the heap like the desktop program's one document.
    auto workspace = std::make_unique<edit::Workspace>();
    Invocation inv{std::move(operands), out, ui, *workspace};
    int code = command->run(inv);
    out.flush();
    return code;
  } catch (const std::exception& e) {
    ui.errorBox(text::format(kFailedUnexpectedly, e.what()), services::kErrorCaption);
    return kExitFailure;
  }
}

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    if (argv[i]) args.emplace_back(argv[i]);
  return run(args, out, err);
}

}  // namespace toq::cli
