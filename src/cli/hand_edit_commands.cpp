// opponent, opponents, bye, unpair, result, handicap, random-results: pairings and results
// set by hand, each answering the dialog the program would show from its operands.

#include <array>
#include <cstdlib>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/text_grid.h"
#include "edit/edit_texts.h"
#include "edit/handicap_edits.h"
#include "edit/opponent_choices.h"
#include "edit/pairing_edits.h"
#include "edit/result_entry.h"
#include "edit/results.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::cli {

namespace {

// Words for the result list's positions besides its own names ("勝ち"...).
constexpr std::array<std::string_view, edit::kResultPositions> kResultWords = {"win", "loss",
                                                                               "draw", "clear"};

// A list position given by its 0-based number or by one of its names; none otherwise. A
// number outside the list is passed on, for the core to refuse with its own message.
std::optional<int> listPosition(std::string_view operand, const char* const* names, int count,
                                std::span<const std::string_view> words = {}) {
  for (int i = 0; i < count; ++i)
    if (operand == names[i] || (static_cast<std::size_t>(i) < words.size() && operand == words[i]))
      return i;
  return parseInteger(operand);
}

std::optional<int> resultOperand(std::string_view operand) {
  for (int i = 0; i < edit::kResultPositions; ++i)
    if (operand == kResultWords[i] || operand == edit::kResultNames[i]) return i;
  return std::nullopt;
}

// What the table holds now for the game of (row, round): the handicap's name, who moves
// first, and with `withResult` the row's result.
std::string gameSummary(const edit::Workspace& ws, int round, int row, int other, bool withResult) {
  const data::Table& t = ws.table;
  const int position = data::handicapPosition(std::abs(t.handicap[row][round]));
  std::string summary = position >= 0 ? data::kHandicapNames[position] : "?";
  if (t.side[row][round] == data::kSideFirst)
    summary += "、先手 " + rowLabel(ws, row);
  else if (t.side[row][round] == data::kSideSecond)
    summary += "、先手 " + rowLabel(ws, other);
  else
    summary += "、先後未定";
  if (withResult)
    summary += std::string("、") + edit::kResultNames[edit::resultPosition(t.result[row][round])];
  return summary;
}

}  // namespace

int opponentCommand(Invocation& inv) {
  const std::optional<int> row = indexOperand(inv.args[1]);
  const std::optional<int> number = parseInteger(inv.args[2]);
  if (!row || !number || *number < 1) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  ws.deriveHandicaps = inv.has("--handicaps");
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelOpponent}, [&] {
    return edit::setOpponent(ws, inv.ui, *row, edit::given(*number));
  });
  if (!o.done())
    return editFailed(inv, before, o, text::format(kNoFreeRound, rowLabel(ws, *row).c_str()));
  inv.out << text::format(kOpponentSet, o.round + 1, rowLabel(ws, o.row).c_str(),
                          rowLabel(ws, o.other).c_str())
          << '\n';
  return kExitOk;
}

int opponentsCommand(Invocation& inv) {
  const std::optional<int> row = indexOperand(inv.args[1]);
  if (!row) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  if (!ws.table.validRow(*row)) {
    inv.ui.errorBox(edit::texts::kRowOutOfRange, services::kErrorCaption);
    return kExitFailure;
  }
  const std::optional<edit::OpponentChoices> dialog = edit::opponentChoices(ws, inv.ui, *row);
  if (!dialog) {
    inv.ui.errorBox(text::format(kNoFreeRound, rowLabel(ws, *row).c_str()),
                    services::kErrorCaption);
    return kExitFailure;
  }
  // The chooser's lines in its order: players not met, the bye, the separator, players met.
  // Player lines carry the number the opponent sub-command takes.
  std::vector<GridLine> lines;
  for (const edit::OpponentEntry& e : dialog->entries)
    lines.push_back(
        {e.number == data::kBye ? std::string() : text::format("%d", e.number), e.text});
  inv.out << text::toUtf8(dialog->title) << '\n' << layOutColumns(lines, {true});
  return kExitOk;
}

int byeCommand(Invocation& inv) {
  const std::optional<int> row = indexOperand(inv.args[1]);
  if (!row) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelBye},
                                      [&] { return edit::setBye(ws, inv.ui, *row); });
  const std::string name = rowLabel(ws, *row);
  if (!o.done()) return editFailed(inv, before, o, text::format(kNoFreeRound, name.c_str()));
  inv.out << text::format(kByeSet, o.round + 1, name.c_str()) << '\n';
  return kExitOk;
}

int unpairCommand(Invocation& inv) {
  const std::optional<int> row = indexOperand(inv.args[1]);
  if (!row) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelCancelPairing},
                                      [&] { return edit::cancelLastPairing(ws, inv.ui, *row); });
  const std::string name = rowLabel(ws, *row);
  if (!o.done()) return editFailed(inv, before, o, text::format(kNothingToCancel, name.c_str()));
  inv.out << text::format(kPairingCancelled, o.round + 1, name.c_str()) << '\n';
  return kExitOk;
}

int resultCommand(Invocation& inv) {
  const std::optional<int> round = indexOperand(inv.args[1]);
  const std::optional<int> row = indexOperand(inv.args[2]);
  const std::optional<int> position = resultOperand(inv.args[3]);
  if (!round || !row || !position) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{nullptr, edit::steps::result}, [&] {
    return edit::enterResultCode(ws, inv.ui, *row, *round, edit::kResultCodes[*position]);
  });
  if (!o.done())
    return editFailed(inv, before, o,
                      text::format(kNoGame, *round + 1, rowLabel(ws, *row).c_str()));
  inv.out << text::format(kResultSet, o.round + 1, rowLabel(ws, o.row).c_str(),
                          rowLabel(ws, o.other).c_str(), edit::kResultNames[*position])
          << '\n';
  return kExitOk;
}

int handicapCommand(Invocation& inv) {
  const std::optional<int> round = indexOperand(inv.args[1]);
  const std::optional<int> row = indexOperand(inv.args[2]);
  const std::optional<int> handicap = listPosition(
      inv.args[3], data::kHandicapNames, static_cast<int>(std::size(data::kHandicapNames)));
  const std::optional<int> side =
      inv.args.size() > 4 ? listPosition(inv.args[4], edit::kSideNames, edit::kSidePositions)
                          : std::optional<int>(0);
  const bool withResult = inv.args.size() > 5;
  const std::optional<int> result = withResult ? listPosition(inv.args[5], edit::kResultNames,
                                                              edit::kResultPositions, kResultWords)
                                               : std::optional<int>(0);
  if (!round || !row || !handicap || !side || !result) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const edit::HandicapAnswer answer{*handicap, *side, *result};
  const std::size_t before = inv.ui.problemsShown();
  const edit::StepRule rule{withResult ? edit::texts::kLabelHandicapAndResult
                                       : edit::texts::kLabelHandicap};
  const edit::Outcome o = throughDoor(inv, rule, [&] {
    return withResult ? edit::setHandicapAndResult(ws, inv.ui, *row, *round, edit::given(answer))
                      : edit::setHandicap(ws, inv.ui, *row, *round, edit::given(answer));
  });
  if (!o.done())
    return editFailed(inv, before, o,
                      text::format(kNoGame, *round + 1, rowLabel(ws, *row).c_str()));
  inv.out << text::format(kHandicapSet, o.round + 1, rowLabel(ws, o.row).c_str(),
                          rowLabel(ws, o.other).c_str(),
                          gameSummary(ws, o.round, o.row, o.other, withResult).c_str())
          << '\n';
  return kExitOk;
}

int randomResultsCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelRandomResults},
                                      [&] { return edit::randomResults(ws, inv.ui); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kRandomResultsSet, o.round + 1) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
