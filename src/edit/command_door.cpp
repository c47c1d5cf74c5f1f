#include "edit/command_door.h"

#include "data/register.h"
#include "edit/edit_texts.h"
#include "edit/event_journal.h"
#include "edit/file_freshness.h"
#include "edit/result_sheet.h"
#include "edit/results.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// What differs between the state before a pass and the workspace now.
Changes changesSince(const Snapshot& start, const Workspace& ws, bool reread) {
  Changes c;
  c.reread = reread;
  c.table = !data::sameContents(*start.table, ws.table);
  c.players = start.playerFile != ws.playerFile || *start.players != ws.players;
  c.document =
      reread || start.table->filePath != ws.table.filePath || start.playerFile != ws.playerFile;
  return c;
}

// A player's full name for a step's label (UTF-8); empty when the register has no such record.
std::string nameOfRow(const Snapshot& s, int row) {
  if (row < 0 || row >= data::kMaxRows) return {};
  const data::Player* p = s.players->FindPlayer(s.table->participants[row]);
  if (!p) return {};
  return text::toUtf8(p->name);
}

// Marks the workspace's pass open for as long as it runs, even when the command throws.
class OpenPass {
 public:
  explicit OpenPass(Workspace& ws) : ws_(ws) { ++ws_.openPasses; }
  ~OpenPass() { --ws_.openPasses; }
  OpenPass(const OpenPass&) = delete;
  OpenPass& operator=(const OpenPass&) = delete;

 private:
  Workspace& ws_;
};

}  // namespace

std::string StepRule::name(const Snapshot& before, const Workspace& after,
                           const Outcome& done) const {
  if (namer) return namer(before, after, done);
  return label ? label : "";
}

namespace {

// One pass; `look` for the pass that only looks at the files, which refuses nothing.
Passed pass(Workspace& ws, services::Services& ui, const StepRule& step,
            const std::function<Outcome()>& command, const journal::Who& who, bool look) {
  const OpenPass open(ws);
  const Snapshot start = snapshotOf(ws);
  // What another program wrote is read before anything is changed or shown; the command then
  // starts from it.
  const bool reread = !step.opensDocument && rereadChangedFiles(ws, ui);
  // The journal of a table first changed in this pass catches up before the change is made.
  if (!step.opensDocument) catchUpJournal(ws, ui, who);
  const Snapshot before = reread ? snapshotOf(ws) : start;
  const std::size_t undoBefore = ws.history.undoCount();
  const std::vector<Disagreement> disagreed = ws.disagreements;
  Passed p;
  // A file that did not read whole is never written over: only another document may be opened.
  if (!look && !step.opensDocument && !ws.notReadWhole().empty()) {
    ui.errorBox(text::format(texts::kRefusedNotWhole, ws.notReadWhole().c_str()));
    p.outcome = stopped(Stop::NotReadWhole);
  } else {
    p.outcome = command();
  }
  // The organiser's own result settles what the board's players disagreed on.
  const bool organiser = who.kind == journal::WhoKind::Window ||
                         who.kind == journal::WhoKind::Organiser ||
                         who.kind == journal::WhoKind::Cli;
  if (organiser && p.outcome.done()) settleDisagreements(ws, p.outcome);
  if (step.recorded()) {
    std::string name = step.name(before, ws, p.outcome);
    if (recordIfChanged(ws, name, before, step.fresh)) p.step = std::move(name);
  }
  p.changes = changesSince(start, ws, reread);
  p.changes.disagreements = ws.disagreements != disagreed;
  if (p.changes.disagreements && ws.disagreements.size() >= disagreed.size() &&
      !ws.disagreements.empty())
    p.note = disagreementText(ws.disagreements.back());
  journalPass(
      ws, ui, who,
      PassRecord{&before, reread, p.step, step.fresh, undoBefore, &disagreed, step.opensDocument});
  return p;
}

}  // namespace

Passed runCommand(Workspace& ws, services::Services& ui, const StepRule& step,
                  const std::function<Outcome()>& command, const journal::Who& who) {
  return pass(ws, ui, step, command, who, false);
}

Passed lookAtFiles(Workspace& ws, services::Services& ui) {
  return pass(
      ws, ui, StepRule{}, [] { return stopped(Stop::NothingToDo); }, journal::Who::otherProgram(),
      true);
}

bool passOpen(const Workspace& ws) {
  return ws.openPasses > 0;
}

namespace steps {

std::string pairing(const Snapshot& before, const Workspace&, const Outcome&) {
  return pairingLabel(*before.table);
}

std::string cancelRound(const Snapshot& before, const Workspace&, const Outcome&) {
  return cancelRoundLabel(*before.table);
}

std::string lock(const Snapshot& before, const Workspace&, const Outcome&) {
  // A step is kept only when the flag switched: it now stands the other way.
  return lockLabel(before.table->lockFlag == 0);
}

std::string resultSheet(const Snapshot&, const Workspace&, const Outcome& done) {
  return resultSheetLabel(done.round);
}

std::string result(const Snapshot& before, const Workspace& after, const Outcome& done) {
  const data::Table& t = *before.table;
  const std::optional<SheetBoard> board = boardOfGame(t, done.round, done.row);
  if (!board) return texts::kLabelResult;
  const std::string first = nameOfRow(before, board->first);
  const std::string second = nameOfRow(before, board->second);
  if (first.empty() || second.empty()) return texts::kLabelResult;
  // Whose result it is, from the first player's code after the change.
  const int code = after.table.result[board->first][done.round];
  const int round = done.round + 1;
  if (code == data::kWin || code == data::kLoss)
    return text::format(texts::kLabelWin, round, first.c_str(), second.c_str(),
                        (code == data::kWin ? first : second).c_str());
  if (code == data::kDraw)
    return text::format(texts::kLabelDraw, round, first.c_str(), second.c_str());
  if (code == data::kResultNone)
    return text::format(texts::kLabelCleared, round, first.c_str(), second.c_str());
  return text::format(texts::kLabelOtherResult, round, first.c_str(), second.c_str(),
                      resultName(code));
}

std::string restore(const Snapshot&, const Workspace&, const Outcome& done) {
  return restoreLabel(done.other);
}

}  // namespace steps

}  // namespace toq::edit
