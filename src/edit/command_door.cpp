#include "edit/command_door.h"

#include "data/register.h"
#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/result_sheet.h"
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

// A player's name for a step's label as the list's cells show it (UTF-8): the short name, or
// the name's first word; empty when the register has no such record.
std::string nameOfRow(const Snapshot& s, int row) {
  if (row < 0 || row >= data::kMaxRows) return {};
  const data::Player* p = s.players->FindPlayer(s.table->participants[row]);
  if (!p) return {};
  return text::toUtf8(p->shortName.empty() ? text::firstWord(p->name) : p->shortName);
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
            const std::function<Outcome()>& command, bool look) {
  const OpenPass open(ws);
  const Snapshot start = snapshotOf(ws);
  // What another program wrote is read before anything is changed or shown; the command then
  // starts from it.
  const bool reread = !step.opensDocument && rereadChangedFiles(ws, ui);
  Snapshot before = reread ? snapshotOf(ws) : start;
  Passed p;
  // A file that did not read whole is never written over: only another document may be opened.
  if (!look && !step.opensDocument && !ws.notReadWhole().empty()) {
    ui.errorBox(text::format(texts::kRefusedNotWhole, ws.notReadWhole().c_str()));
    p.outcome = stopped(Stop::NotReadWhole);
    p.changes = changesSince(start, ws, reread);
    return p;
  }
  p.outcome = command();
  if (step.recorded()) {
    std::string name = step.name(before, ws, p.outcome);  // before `before` is handed on
    if (recordIfChanged(ws, name, std::move(before), step.fresh)) p.step = std::move(name);
  }
  p.changes = changesSince(start, ws, reread);
  return p;
}

}  // namespace

Passed runCommand(Workspace& ws, services::Services& ui, const StepRule& step,
                  const std::function<Outcome()>& command) {
  return pass(ws, ui, step, command, false);
}

Passed lookAtFiles(Workspace& ws, services::Services& ui) {
  return pass(
      ws, ui, StepRule{}, [] { return stopped(Stop::NothingToDo); }, true);
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

std::string result(const Snapshot& before, const Workspace&, const Outcome& done) {
  const data::Table& t = *before.table;
  const std::optional<SheetBoard> board = boardOfGame(t, done.round, done.row);
  if (!board) return texts::kLabelResult;
  const std::string first = nameOfRow(before, board->first);
  const std::string second = nameOfRow(before, board->second);
  if (first.empty() || second.empty()) return texts::kLabelResult;
  return text::format(texts::kLabelResultOf, done.round + 1, board->board, first.c_str(),
                      second.c_str());
}

}  // namespace steps

}  // namespace toq::edit
