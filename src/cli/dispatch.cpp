#include <algorithm>
#include <cctype>
#include <charconv>
#include <exception>
#include <limits>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/serve_support.h"
#include "cli/terminal_text.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

// The options each sub-command accepts besides the global ones.
constexpr std::string_view kPairFlags[] = {"--sides",     "--no-sides", "--handicaps",
                                           "--six-piece", "--play2",    "--woman-twice"};
constexpr std::string_view kRoundOption[] = {"--round"};
constexpr std::string_view kPairOptions[] = {"--avoid-affiliation", "--bye"};
constexpr std::string_view kAbsentFlags[] = {"--undo", "--drop-game"};
constexpr std::string_view kAbsentOptions[] = {"--round", "--from"};
constexpr std::string_view kJsonFlag[] = {"--json"};
constexpr std::string_view kOpenFlag[] = {"--open"};
constexpr std::string_view kHandicapsFlag[] = {"--handicaps"};
constexpr std::string_view kProFlag[] = {"--pro"};
constexpr std::string_view kProFlags[] = {"--pro", "--no-pro"};
constexpr std::string_view kRegisterOptions[] = {"--short", "--rating", "--affiliation"};
constexpr std::string_view kEditOptions[] = {"--name", "--short", "--rating", "--affiliation"};
constexpr std::string_view kServeFlags[] = {"--lan", "--result-desk", "--reception"};
// "--result-desk" alone is a flag; "--result-desk=open" gives it a value.
constexpr std::string_view kServeOptions[] = {"--port", "--result-desk", "--avoid-affiliation"};
constexpr std::string_view kSlipOptions[] = {"--round", "--address"};
constexpr std::string_view kParticipantsFlag[] = {"--participants"};
constexpr std::string_view kGradeOption[] = {"--grade", "--column"};
constexpr std::string_view kHistoryOptions[] = {"--round", "--row"};

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

constexpr Command kCommands[] = {
    {"import", "NAMES.txt", "名簿を取り込み、NAMES.ply と NAMES.tai を書きます。", 1, 1,
     importCommand},
    {"show", "TABLE.tai", "対戦表を表示します（TABLE.ply の対局者で）。", 1, 1, showCommand},
    {"players", "FILE.ply", "対局者ファイルの一覧を表示します。", 1, 1, playersCommand},
    {"csv", "TABLE.tai [OUT.csv]", "CSVの対戦表を書きます（既定は TABLE.tai.csv）。", 1, 2,
     csvCommand},
    {"html", "TABLE.tai [OUT.html]",
     "対戦表・成績・組み合わせのWebページを書きます（既定は TABLE.html）。", 1, 2, htmlCommand},
    {"print",
     "TABLE.tai players|grid|chart|reception|slips|standings [OUT.pdf] [--round K] "
     "[--address http://HOST:PORT]",
     "対局者一覧・対戦表（印刷形式２）・縦の対戦表・受付名簿・結果用紙・成績表をPDFに書きます（既定"
     "は TABLE-grid.pdf など）。結果用紙は最後に組み合わせた回戦（または K 回戦）の盤ごとに1枚、"
     "成績表は最後に結果がそろった回戦（または K 回戦）の順位順です。",
     2,
     3,
     printCommand,
     {},
     kSlipOptions},
    {"pair",
     "TABLE.tai [--sides|--no-sides] [--handicaps] [--six-piece] [--play2] [--woman-twice] "
     "[--avoid-affiliation N] [--bye ROW|proposed]",
     "次の回戦を組み合わせ、保存して組み合わせ表を書きます（N 回戦まで同じ所属どうしを避ける、0 "
     "はすべての回戦）。人数が奇数の回は --bye で抜け番（行 ROW か候補 "
     "proposed）を決めて組み合わせます。",
     1, 1, pairCommand, kPairFlags, kPairOptions},
    {"standings",
     "TABLE.tai [--round K]",
     "成績（最後に終了した回戦、または K 回戦まで）を表示します。",
     1,
     1,
     standingsCommand,
     {},
     kRoundOption},
    {"repeat-test", "TABLE.tai", "連続抽選テストをします（ファイルは変更しません）。", 1, 1,
     repeatTestCommand},
    {"explain", "TABLE.tai [--round K] [--json]",
     "組み合わせの説明（最後に組み合わせた回戦、または K 回戦）を表示します。", 1, 1,
     explainCommand, kJsonFlag, kRoundOption},
    {"report", "TABLE.tai round-list|results|standings|rating [--open]",
     "帳票を対戦表のフォルダに書き、そのパスを表示します。", 2, 2, reportCommand, kOpenFlag},
    {"opponent", "TABLE.tai ROW PLAYER_NO [--handicaps]",
     "行 ROW の次の回戦の相手を番号 PLAYER_NO の対局者にします。", 3, 3, opponentCommand,
     kHandicapsFlag},
    {"opponents", "TABLE.tai ROW", "行 ROW の対戦相手の候補を表示します。", 2, 2, opponentsCommand},
    {"bye", "TABLE.tai ROW", "行 ROW を次の回戦の抜け番にします。", 2, 2, byeCommand},
    {"unpair", "TABLE.tai ROW", "行 ROW の最後の組み合わせを取り消します。", 2, 2, unpairCommand},
    {"result", "TABLE.tai ROUND ROW win|loss|draw|clear", "対局の勝敗を入力・取り消しします。", 4,
     4, resultCommand},
    {"handicap", "TABLE.tai ROUND ROW HANDICAP [SIDE] [RESULT]",
     "対局の手合割・先後（・勝敗）を設定します。", 4, 6, handicapCommand},
    {"random-results", "TABLE.tai", "最初の未終了の回戦の結果を自動入力します。", 1, 1,
     randomResultsCommand},
    {"cancel-round", "TABLE.tai", "最後の回の組み合わせを取り消します。", 1, 1, cancelRoundCommand},
    {"cancel-all", "TABLE.tai", "全ての組み合わせを取り消します。", 1, 1, cancelAllCommand},
    {"games", "TABLE.tai N", "試合数を N にします。", 2, 2, gamesCommand},
    {"exchange-byes", "TABLE.tai ROW ROW", "二人の抜け番を入れ替えます。", 3, 3,
     exchangeByesCommand},
    {"lock", "TABLE.tai on|off", "変更禁止を設定・解除します。", 2, 2, lockCommand},
    {"add", "TABLE.tai PLAYER_NO", "番号 PLAYER_NO の対局者を対戦表に追加します。", 2, 2,
     addCommand},
    {"candidates", "TABLE.tai", "対戦表に追加できる対局者を表示します。", 1, 1, candidatesCommand},
    {"remove", "TABLE.tai ROW", "行 ROW の参加者を対戦表から削除します。", 2, 2, removeCommand},
    {"history", "TABLE.tai [--round K] [--row R] [--json]",
     "変更の履歴（いつ・誰が・何を）を新しい順に表示します（K 回戦・行 R に関わるものだけも）。", 1,
     1, historyCommand, kJsonFlag, kHistoryOptions},
    {"restore", "TABLE.tai STEP",
     "履歴の番号 STEP の時点の対戦表・対局者に戻します（新しい一歩として記録）。", 2, 2,
     restoreCommand},
    {"absent", "TABLE.tai ROW (--round K | --from K) [--undo] [--drop-game]",
     "行 ROW を K 回戦の休場（--round）か K 回戦からの棄権（--from）にします（--undo で取り消し、"
     "組み合わせ済みの対局は残します。--drop-game で取り消します）。",
     2, 2, absentCommand, kAbsentFlags, kAbsentOptions},
    {"sort", "TABLE.tai", "1回戦の前に参加者をレーティング順に並べ替えます。", 1, 1, sortCommand},
    {"serve",
     "TABLE.tai [TABLE2.tai ...] [--port N] [--lan] [--result-desk[=open]] [--reception] "
     "[--avoid-affiliation N]",
     "会場のネットワークで組み合わせ・成績を公開し、結果を受け付けます（Ctrl+C で終了）。", 1,
     kMaxServedSections, serveCommand, kServeFlags, kServeOptions},
    {"register", "FILE.ply NAME [--short S] [--rating R] [--pro] [--affiliation A]",
     "対局者を新規登録します（ファイルがなければ作ります）。", 2, 2, registerCommand, kProFlag,
     kRegisterOptions},
    {"edit",
     "FILE.ply POSITION [--name N] [--short S] [--rating R] [--pro|--no-pro] [--affiliation A]",
     "対局者データを編集します（指定しない項目はそのまま）。", 2, 2, editCommand, kProFlags,
     kEditOptions},
    {"import-entries",
     "TABLE.tai FILE [--participants] [--grade 初段=1500,三段=1700 ...] [--column 氏名=3 ...]",
     "申込一覧（CSV・タブ区切り）を対局者に登録・更新します（--participants で対戦表にも追加、"
     "--column で列を選ぶ: 氏名・省略名・ふりがな・レーティング・段級・同時対局数・プロ・所属 に"
     "列の番号か見出し、または 使わない）。",
     2, 2, importEntriesCommand, kParticipantsFlag, kGradeOption},
    {"delete", "FILE.ply POSITION...", "対局者データを削除します。", 2, kAny, deleteCommand},
};

constexpr std::string_view kProgram = "toq-cli";

std::string usageLine(const Command& c) {
  return std::string(kProgram) + " " + std::string(c.name) + " " + std::string(c.usage);
}

void printHelp(std::ostream& os) {
  os << kUsagePrefix << kProgram << " [--verbose] [--view] <サブコマンド> [引数...]\n\n";
  for (const Command& c : kCommands)
    os << "  " << usageLine(c) << "\n      " << c.description << '\n';
  os << "\n"
        "  --verbose  状況メッセージも表示します。\n"
        "  --view     書いたファイルをビューアで開きます（xdg-open）。\n"
        "  --help     この一覧を表示します。\n"
        "行番号・回戦・登録番号は 1 から数えます。PLAYER_NO は対局者の番号です。\n"
        "HANDICAP・SIDE・RESULT は一覧の位置（0 から）か名前です:\n"
        "  手合割 0 平手 1 香落ち 2 角落ち 3 飛車落ち 4 飛香落ち 5 二枚落ち 6 四枚落ち 7 六枚落ち\n"
        "  先後 0 未定 1 先手 2 後手   勝敗 0 勝ち 1 負け 2 引き分け 3 取り消し\n"
        "確認の質問には「はい」と答えます。\n";
}

const Command* findCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (c.name == name) return &c;
  return nullptr;
}

bool listed(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool declaredBySomeCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (listed(c.flags, name) || listed(c.valueOptions, name)) return true;
  return false;
}

// "-5" is a number, not an option; "-" alone stands for itself.
bool looksLikeOption(const std::string& a) {
  return a.size() >= 2 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1]));
}

bool isGlobal(std::string_view name) {
  return name == "--verbose" || name == "--view";
}

// The parsed command line.
struct CommandLine {
  const Command* command = nullptr;
  std::vector<std::string> operands;
  std::vector<std::string> flags;
  std::vector<std::pair<std::string, std::string>> values;
  bool verbose = false;
  bool useViewer = false;
};

// The sub-command's option args[i] (with its value, args[i + 1] unless given after '='):
// kExitOk, or kExitUsage after telling why on `err`.
int takeOption(const std::vector<std::string>& args, std::size_t& i, CommandLine& line,
               std::ostream& err) {
  const std::string& a = args[i];
  const std::size_t eq = a.find('=');
  const std::string name = a.substr(0, eq);
  const bool inlineValue = eq != std::string::npos;
  const Command& c = *line.command;
  if (listed(c.flags, name) && !inlineValue) {
    line.flags.push_back(name);
    return kExitOk;
  }
  if (listed(c.valueOptions, name)) {
    if (!inlineValue && i + 1 >= args.size()) {
      err << text::format(kOptionNeedsValue, name.c_str()) << '\n';
      err << kUsagePrefix << usageLine(c) << '\n';
      return kExitUsage;
    }
    line.values.emplace_back(name, inlineValue ? a.substr(eq + 1) : args[++i]);
    return kExitOk;
  }
  err << text::format(kUnknownOption, name.c_str()) << '\n';
  err << kUsagePrefix << usageLine(c) << '\n';
  return kExitUsage;
}

// Parses the arguments; kExitOk, or kExitUsage after telling why on `err`.
int parse(const std::vector<std::string>& args, CommandLine& line, std::ostream& err) {
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnd || !looksLikeOption(a)) {
      if (line.command) {
        line.operands.push_back(a);
        continue;
      }
      line.command = findCommand(a);
      if (!line.command) {
        err << text::format(kUnknownCommand, a.c_str()) << '\n';
        printHelp(err);
        return kExitUsage;
      }
      continue;
    }
    if (a == "--") {
      optionsEnd = true;
      continue;
    }
    const std::size_t eq = a.find('=');
    const std::string name = a.substr(0, eq);
    const bool inlineValue = eq != std::string::npos;
    if (isGlobal(name) && !inlineValue) {
      (name == "--verbose" ? line.verbose : line.useViewer) = true;
      continue;
    }
    if (!line.command) {
      err << text::format(declaredBySomeCommand(name) ? kOptionBeforeCommand : kUnknownOption,
                          name.c_str())
          << '\n';
      printHelp(err);
      return kExitUsage;
    }
    if (takeOption(args, i, line, err) != kExitOk) return kExitUsage;
  }
  if (!line.command) {
    printHelp(err);
    return kExitUsage;
  }
  const Command& c = *line.command;
  if (line.operands.size() < c.minArgs || line.operands.size() > c.maxArgs) {
    err << kUsagePrefix << usageLine(c) << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

// --help or -h anywhere before "--", or "help" as the sub-command's name.
bool asksForHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--help" || a == "-h") return true;
  }
  for (const std::string& a : args)
    if (!looksLikeOption(a)) return a == "help";
  return false;
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

int Invocation::usage() {
  if (command) ui.messageStream() << kUsagePrefix << usageLine(*command) << '\n';
  return kExitUsage;
}

bool Invocation::has(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::optional<std::string> Invocation::value(std::string_view option) const {
  for (auto it = values.rbegin(); it != values.rend(); ++it)
    if (it->first == option) return it->second;
  return std::nullopt;
}

std::optional<int> parseInteger(std::string_view text) {
  int value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  // from_chars takes no plus sign; a minus sign must be followed by a digit.
  if (begin == end) return std::nullopt;
  auto [stop, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<int> parseOneBased(std::string_view text, int count) {
  std::optional<int> value = parseInteger(text);
  if (!value || *value < 1 || *value > count) return std::nullopt;
  return *value - 1;
}

int run(const std::vector<std::string>& args, std::ostream& rawOut, std::ostream& rawErr) {
  // Every text printed passes one filter: a name holding ESC never drives the terminal.
  ControlEscapingStream out(rawOut);
  ControlEscapingStream err(rawErr);
  if (asksForHelp(args)) {
    printHelp(out);
    return kExitOk;
  }
  CommandLine line;
  if (int code = parse(args, line, err); code != kExitOk) return code;

  const bool open = std::find(line.flags.begin(), line.flags.end(), "--open") != line.flags.end();
  ConsoleServices ui(err, line.verbose, line.useViewer || open);
  try {
    // The table is large; it lives on the heap like the desktop program's one document.
    auto workspace = std::make_unique<edit::Workspace>();
    // Each run is one change: nothing to undo, no history to build from the journal.
    workspace->journal.withHistory = false;
    Invocation inv{
        std::move(line.operands), out, ui, *workspace, line.command, std::move(line.flags),
        std::move(line.values)};
    int code = line.command->run(inv);
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
