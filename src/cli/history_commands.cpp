// history, restore: the event's journal from the command line.

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/text_grid.h"
#include "edit/event_journal.h"
#include "server/history_api.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::cli {

namespace {

constexpr char kNoJournal[] = "この対戦表の履歴は記録されていません。";
constexpr char kRestored[] = "履歴 %lld の時点に戻しました。";
constexpr const char* kHeading[] = {"番号", "日時", "誰が", "内容"};

// The journal of the table, opened (and caught up with the table) for the command; null after
// a message.
const journal::Journal* journalOf(Invocation& inv) {
  if (openTable(inv, inv.pathArg(0)) != kExitOk) return nullptr;
  edit::attachJournal(inv.workspace, inv.ui, journal::Who::cli());
  const journal::Journal* j = inv.workspace.journal.journal.get();
  if (!j) inv.ui.errorBox(kNoJournal, services::kErrorCaption);
  return j;
}

// A 1-based option's value as a 0-based filter; -1 when not given; none when malformed.
std::optional<int> filterOption(Invocation& inv, std::string_view option) {
  const std::optional<std::string> given = inv.value(option);
  if (!given) return -1;
  const std::optional<int> index = indexOperand(*given);
  if (!index || *index < 0) return std::nullopt;
  return index;
}

}  // namespace

int historyCommand(Invocation& inv) {
  const std::optional<int> round = filterOption(inv, "--round");
  const std::optional<int> row = filterOption(inv, "--row");
  if (!round || !row) return inv.usage();
  const journal::Journal* j = journalOf(inv);
  if (!j) return kExitFailure;
  const std::vector<journal::StepInfo> steps = j->steps({*round, *row, 0});
  if (inv.has("--json")) {
    inv.out << server::history::historyText(steps) << '\n';
    return kExitOk;
  }
  std::vector<GridLine> lines(1);
  for (const char* h : kHeading) lines[0].push_back(text::sj(h));
  for (const journal::StepInfo& s : steps)
    lines.push_back(
        {std::to_string(s.step), s.time, text::sj(journal::describe(s.who)), text::sj(s.label)});
  inv.out << layOutColumns(lines, {true});
  return kExitOk;
}

int restoreCommand(Invocation& inv) {
  const std::optional<int> step = parseInteger(inv.args[1]);
  if (!step || *step < 1) return inv.usage();
  if (!journalOf(inv)) return kExitFailure;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{nullptr, edit::steps::restore}, [&] {
    return edit::restoreStep(inv.workspace, inv.ui, *step);
  });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kRestored, static_cast<long long>(*step)) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
