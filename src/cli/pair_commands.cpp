// pair, standings, repeat-test and report: the pairing engine and the reports on a table file.

#include <algorithm>

#include "cli/affiliation_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/text_grid.h"
#include "edit/bye_proposal.h"
#include "edit/edit_texts.h"
#include "edit/pair_command.h"
#include "pairing/repeat_test.h"
#include "pairing/standings.h"
#include "reports/reports.h"
#include "services/program_directory.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"
#include "view/cells.h"

namespace toq::cli {

namespace {

constexpr const char* kOddRound = "組み合わせ数が奇数(%d)です。";
constexpr const char* kByeHint =
    "--bye 行番号 か --bye proposed（候補）を付けると、抜け番を決めて組み合わせます。";
constexpr const char* kNoByeNeeded = "この回に決める抜け番はありません。";
constexpr const char* kNotByeCandidate = "行 %d は抜け番にできません。";

// The bye of an odd round, as --bye names it, set in memory before the pairing (the pairing
// writes both, or neither when it fails). False after the message that refused.
bool setByeAsked(Invocation& inv, const std::optional<std::string>& asked) {
  edit::Workspace& ws = inv.workspace;
  const std::optional<edit::ByeNeed> need = edit::byeNeeded(ws, inv.ui);
  if (!need) {
    if (asked) inv.ui.errorBox(kNoByeNeeded, services::kErrorCaption);
    return !asked;
  }
  if (!asked) {
    const std::string text = text::format(kOddRound, ws.table.unpairedRows(need->round)) + "\n" +
                             edit::byeProposalLine(ws, *need, inv.ui) + "\n" + kByeHint;
    inv.ui.errorBox(text, services::kErrorCaption);
    return false;
  }
  const std::optional<int> row = *asked == "proposed" ? need->proposal : indexOperand(*asked);
  const bool candidate =
      row && std::any_of(need->candidates.begin(), need->candidates.end(),
                         [&](const edit::ByeCandidate& c) { return c.row == *row; });
  if (!candidate) {
    inv.ui.errorBox(text::format(kNotByeCandidate, row ? *row + 1 : 0), services::kErrorCaption);
    return false;
  }
  if (!edit::confirmSecondBye(ws, inv.ui, *row)) return false;
  ws.table.opponent[*row][need->round] = data::kBye;
  ws.table.result[*row][need->round] = data::kResultNone;
  return true;
}

// Half-points as points: 5 gives "2.5".
std::string points(int halfPoints) {
  return text::format("%.1f", halfPoints * 0.5);
}

}  // namespace

int pairCommand(Invocation& inv) {
  if (inv.has("--sides") && inv.has("--no-sides")) return inv.usage();
  if (!readAvoidAffiliation(inv, inv.workspace.options)) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  ws.decideSides = !inv.has("--no-sides");
  ws.deriveHandicaps = inv.has("--handicaps");
  ws.options.allowSixPieceHandicaps = inv.has("--six-piece");
  ws.options.play2 = inv.has("--play2");
  ws.options.womanProfessionalTwice = inv.has("--woman-twice");

  const std::size_t before = inv.ui.problemsShown();
  if (!setByeAsked(inv, inv.value("--bye"))) return kExitFailure;
  edit::PairOutcome outcome;
  int paired = -1;
  throughDoor(inv, edit::StepRule{nullptr, edit::steps::pairing}, [&] {
    paired = edit::pairNextRound(ws, inv.ui, {}, &outcome);
    edit::Outcome o;
    o.code = paired;
    o.round = outcome.round;
    return o;
  });
  if (paired != 0) return inv.fail(before, kPairingFailed);
  inv.out << text::format(kPaired, outcome.round + 1) << '\n';
  if (!outcome.roundList.empty()) inv.out << text::pathToUtf8(outcome.roundList) << '\n';
  // The pairing reports a table it could not save, or a round list it could not write, only
  // through its messages: the run then fails, although the round stands where it was written.
  return inv.ui.problemsShown() == before ? kExitOk : kExitFailure;
}

int standingsCommand(Invocation& inv) {
  std::optional<int> asked;
  if (std::optional<std::string> k = inv.value("--round")) {
    asked = indexOperand(*k);
    if (!asked) return inv.usage();
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  data::Table& t = ws.table;
  const int rounds = std::clamp(t.numberOfGames, 0, data::kMaxRounds);
  int round = 0;
  if (asked) {
    round = *asked;
    if (round < 0 || round >= rounds) {
      inv.ui.errorBox(edit::texts::kRoundOutOfRange, services::kErrorCaption);
      return kExitFailure;
    }
  } else {
    round = std::min(t.LastCompletedRound(), rounds - 1);
    if (round < 0) {
      inv.ui.errorBox(kNoCompletedRound, services::kErrorCaption);
      return kExitFailure;
    }
  }
  if (pairing::computeStandings(t, ws.players, round) != 0) {
    inv.ui.errorBox(text::format(kStandingsIncomplete, round + 1), services::kErrorCaption);
    return kExitFailure;
  }

  // In win-rate mode the ranks go by the players' win rates, shown before the rank.
  const bool rateMode = pairing::winRateMode(t, ws.players);
  std::vector<GridLine> lines;
  GridLine header;
  for (const char* h : kStandingsHeader) header.push_back(text::sj(h));
  if (rateMode) header.insert(header.end() - 1, text::sj(kWinRateHeader));
  lines.push_back(std::move(header));
  const int rows = std::clamp(t.participantCount, 0, data::kMaxParticipants);
  for (int row = 0; row < rows; ++row) {
    const data::StandingsEntry& e = t.standings[row][round];
    const data::Player* p = ws.players.FindPlayer(t.participants[row]);
    GridLine line = {text::format("%d", row + 1),
                     p ? p->name : std::string(),
                     points(e.score),
                     text::format("%d", e.wins),
                     text::format("%d", e.losses),
                     text::format("%d", e.draws),
                     points(e.solkoff),
                     points(e.beaten),
                     points(e.trimmed)};
    if (rateMode) line.push_back(view::standingsCells(t, row, round, true).rateOrSolkoff);
    line.push_back(e.rank > 0 ? text::format("%d", e.rank) : std::string());
    lines.push_back(std::move(line));
  }
  inv.out << text::format(kStandingsTitle, round + 1) << '\n';
  std::vector<bool> numbers(lines.front().size(), true);
  numbers[1] = false;
  inv.out << layOutColumns(lines, numbers);
  return kExitOk;
}

int repeatTestCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  // The test clears and pairs the table in memory only: nothing here writes it back.
  pairing::PairingContext ctx = ws.context(inv.ui);
  const std::filesystem::path folder = services::logFolder(services::programDirectory(nullptr));
  const std::size_t before = inv.ui.problemsShown();
  std::filesystem::path log;
  if (pairing::runRepeatedTest(ctx, folder, {}, &log) != 0) {
    if (log.empty())
      return inv.fail(before, text::format(kLogNotWritten, text::pathToUtf8(folder).c_str()));
    inv.out << text::pathToUtf8(log) << '\n';
    return inv.fail(before, kRepeatedTestFailed);
  }
  inv.out << text::pathToUtf8(log) << '\n';
  return inv.ui.problemsShown() == before ? kExitOk : kExitFailure;
}

int reportCommand(Invocation& inv) {
  const std::optional<reports::ReportKind> kind = reports::reportKindFromName(inv.args[1]);
  if (!kind) {
    inv.ui.messageStream() << kReportKinds << '\n';
    return inv.usage();
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  std::filesystem::path written;
  const int result = reports::writeReport(*kind, ws.table, ws.players, inv.ui, &written);
  if (!written.empty()) inv.out << text::pathToUtf8(written) << '\n';
  if (result == reports::kReportShown) return kExitOk;
  return inv.fail(before, kNothingToReport);
}

}  // namespace toq::cli
