// absent and sort: a participant sitting out or withdrawing, and the rows put in rating order
// before round 1.

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "edit/absences.h"
#include "edit/command_door.h"
#include "edit/edit_texts.h"
#include "edit/rating_order.h"
#include "text/format.h"

namespace toq::cli {

namespace {

constexpr const char* kAbsenceSet = "%s を%d回戦の休場にしました。";
constexpr const char* kWithdrawalSet = "%s を%d回戦から棄権にしました。";
constexpr const char* kAbsenceTakenBack = "%s の休場・棄権を取り消しました（%d回戦分）。";
constexpr const char* kNoAbsenceChange = "%s の休場・棄権は変わりません。";
constexpr const char* kInOrder = "すでにレーティング順です。";
constexpr const char* kSortedRows = "参加者 %d人をレーティング順に並べ替えました。";

// "--round K" or "--from K", exactly one of them, as the request's round.
std::optional<edit::AbsenceRequest> absenceAsked(Invocation& inv) {
  const std::optional<std::string> round = inv.value("--round");
  const std::optional<std::string> from = inv.value("--from");
  if (round.has_value() == from.has_value()) return std::nullopt;
  const std::optional<int> row = indexOperand(inv.args[1]);
  const std::optional<int> k = indexOperand(round ? *round : *from);
  if (!row || !k) return std::nullopt;
  return edit::AbsenceRequest{*row, *k, from.has_value(), inv.has("--undo")};
}

}  // namespace

int absentCommand(Invocation& inv) {
  const std::optional<edit::AbsenceRequest> asked = absenceAsked(inv);
  if (!asked) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  // A paired round's game: sitting out takes it out; a withdrawal keeps it unless told.
  edit::PairedGame game =
      inv.has("--drop-game") ? edit::PairedGame::TakeOut : edit::PairedGame::Keep;
  if (const auto question = edit::pairedGameQuestion(ws, *asked, inv.ui)) {
    if (!inv.ui.askYesNo(*question, services::kQuestionCaption) && !asked->fromOn)
      return inv.fail(before, kNotDone);
  }
  const edit::Passed p =
      edit::runCommand(ws, inv.ui, edit::StepRule{edit::absenceStepLabel(*asked)},
                       [&] { return edit::setAbsence(ws, inv.ui, *asked, game); },
                       journal::Who::cli());
  const std::string name = rowLabel(ws, asked->row);
  if (!p.outcome.done())
    return editFailed(inv, before, p.outcome, text::format(kNoAbsenceChange, name.c_str()));
  if (asked->takeBack)
    inv.out << text::format(kAbsenceTakenBack, name.c_str(), p.outcome.count) << '\n';
  else
    inv.out << text::format(asked->fromOn ? kWithdrawalSet : kAbsenceSet, name.c_str(),
                            asked->round + 1)
            << '\n';
  return kExitOk;
}

int sortCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Passed p =
      edit::runCommand(ws, inv.ui, edit::StepRule{edit::texts::kLabelSortByRating},
                       [&] { return edit::sortByRating(ws, inv.ui); }, journal::Who::cli());
  if (p.outcome.stop == edit::Stop::NothingToDo) {
    inv.out << kInOrder << '\n';
    return kExitOk;
  }
  if (!p.outcome.done()) return editFailed(inv, before, p.outcome, {});
  inv.out << text::format(kSortedRows, p.outcome.count) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
