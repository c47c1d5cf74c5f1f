#include "edit/history.h"

#include <algorithm>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/unsaved.h"
#include "edit/workspace.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// Whether two tables hold the same event, whatever file each names: a step takes back what a
// command changed in the event, never which file the event lives in.
bool sameEvent(const data::Table& a, const data::Table& b) {
  if (a.filePath == b.filePath) return data::sameContents(a, b);
  data::Table moved = b;
  moved.filePath = a.filePath;
  return data::sameContents(a, moved);
}

}  // namespace

bool Step::switchesLock() const {
  return before.table->lockFlag != after.table->lockFlag;
}

bool Step::changesTable() const {
  return before.table != after.table && !sameEvent(*before.table, *after.table);
}

bool Step::changesPlayers() const {
  return before.players != after.players && *before.players != *after.players;
}

void History::clear() {
  steps_.clear();
  done_ = 0;
}

Snapshot History::snapshot(const data::Table& table, const data::Register& players,
                           const std::filesystem::path& playerFile) const {
  // The state the history last left behind usually still stands: share it rather than copy.
  const Snapshot* latest = canUndo()   ? &steps_[done_ - 1].after
                           : canRedo() ? &steps_[done_].before
                                       : nullptr;
  Snapshot s;
  s.playerFile = playerFile;
  if (latest && data::sameContents(*latest->table, table))
    s.table = latest->table;
  else
    s.table = std::make_shared<const data::Table>(table);
  if (latest && *latest->players == players)
    s.players = latest->players;
  else
    s.players = std::make_shared<const data::Register>(players);
  return s;
}

void History::record(Step step) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back(std::move(step));
  while (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
}

void History::rebuild(std::deque<Step> steps, std::size_t done) {
  steps_ = std::move(steps);
  while (steps_.size() > limit_) {
    steps_.pop_front();
    if (done > 0) --done;
  }
  done_ = std::min(done, steps_.size());
}

void History::stepBack() {
  if (done_ > 0) --done_;
}

void History::stepForward() {
  if (done_ < steps_.size()) ++done_;
}

Snapshot snapshotOf(const Workspace& ws) {
  return ws.history.snapshot(ws.table, ws.players, ws.playerFile);
}

bool recordIfChanged(Workspace& ws, std::string label, Snapshot before, bool fresh) {
  const bool sameTable = sameEvent(*before.table, ws.table);
  const bool samePlayers = *before.players == ws.players;
  if (sameTable && samePlayers) return false;
  Step step;
  step.label = std::move(label);
  step.after.table = sameTable ? before.table : std::make_shared<const data::Table>(ws.table);
  step.after.players = *before.players == ws.players
                           ? before.players
                           : std::make_shared<const data::Register>(ws.players);
  step.after.playerFile = ws.playerFile;
  step.before = std::move(before);
  if (fresh) ws.history.clear();
  ws.history.record(std::move(step));
  return true;
}

namespace {

// Puts the workspace in the state of a snapshot and writes what changed through the one write
// path, so that the record of the files and the unsaved flags stay true: the table file (even
// an emptied table, or its rows would come back when the file is next read) and the player
// file. The files stay the ones the event lives in now (it may have been named since the
// step), unless the step's own pass moved it to others (an import starts a new document):
// a step restores only what its pass changed. A write that fails leaves its part unsaved,
// said with the file's name.
Outcome restore(Workspace& ws, services::Services& ui, const Step& step, const Snapshot& target) {
  Outcome done;
  done.code = 0;
  done.changed = true;
  bool written = false;
  const bool movesFiles = step.before.table->filePath != step.after.table->filePath ||
                          step.before.playerFile != step.after.playerFile;
  if (movesFiles) {
    ws.playerFile = target.playerFile;
    ws.table.filePath = target.table->filePath;
  }
  if (!sameEvent(ws.table, *target.table)) {
    std::filesystem::path file = ws.table.filePath;
    ws.table = *target.table;
    ws.table.filePath = std::move(file);
    if (writeTable(ws, ui, true) == 0)
      written = true;
    else
      done.code = -2;
  }
  if (ws.players != *target.players) {
    ws.players = *target.players;
    // As a registration: without a player file the register stays in memory, unsaved.
    const int result = writePlayers(ws, ui);
    if (result == 0)
      written = true;
    else if (result == -2)
      done.code = -2;
  }
  done.saved = written && done.code == 0;
  return done;
}

bool lockAllows(const Workspace& ws, services::Services& ui, const Step& step) {
  if (!step.changesTable() || step.switchesLock()) return true;
  return lockCheck(ws.table, ui);
}

}  // namespace

Outcome undo(Workspace& ws, services::Services& ui) {
  const Step* step = ws.history.undoStep();
  if (!step) return stopped(Stop::NothingToDo);
  if (!lockAllows(ws, ui, *step)) return stopped(Stop::Locked);
  const std::string label = step->label;
  Outcome done = restore(ws, ui, *step, step->before);
  ws.history.stepBack();
  ui.statusMessage(text::format(texts::kUndone, label.c_str()));
  return done;
}

Outcome redo(Workspace& ws, services::Services& ui) {
  const Step* step = ws.history.redoStep();
  if (!step) return stopped(Stop::NothingToDo);
  if (!lockAllows(ws, ui, *step)) return stopped(Stop::Locked);
  const std::string label = step->label;
  Outcome done = restore(ws, ui, *step, step->after);
  ws.history.stepForward();
  ui.statusMessage(text::format(texts::kRedone, label.c_str()));
  return done;
}

namespace {

std::string menuText(const Step* step, const char* verb, const char* withMnemonic, bool mnemonic) {
  const char* shown = mnemonic ? withMnemonic : verb;
  if (!step) return shown;
  return text::format(texts::kVerbAndLabel, shown, step->label.c_str());
}

}  // namespace

std::string undoText(const History& history, bool mnemonic) {
  return menuText(history.undoStep(), texts::kUndo, texts::kUndoMnemonic, mnemonic);
}

std::string redoText(const History& history, bool mnemonic) {
  return menuText(history.redoStep(), texts::kRedo, texts::kRedoMnemonic, mnemonic);
}

std::string pairingLabel(const data::Table& table) {
  const int round = table.FirstUnpairedRound();
  return round < 0 ? std::string(texts::kLabelPairing)
                   : text::format(texts::kLabelPairingOf, round + 1);
}

std::string cancelRoundLabel(const data::Table& table) {
  const int round = table.LastPairedRound();
  return round < 0 ? std::string(texts::kLabelCancelPairing)
                   : text::format(texts::kLabelCancelRoundOf, round + 1);
}

std::string resultSheetLabel(int round) {
  return text::format(texts::kLabelResultSheetOf, round + 1);
}

std::string lockLabel(bool locked) {
  return locked ? texts::kLabelLock : texts::kLabelUnlock;
}

}  // namespace toq::edit
