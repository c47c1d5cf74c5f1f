#include "edit/event_journal.h"

#include "edit/disagreements.h"

#include <algorithm>
#include <limits>

#include "data/file_parsers.h"
#include "data/path_text.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/edit_texts.h"
#include "edit/unsaved.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// The rows whose line differs between two tables, and the rounds whose games differ.
void changedPlaces(const data::Table& a, const data::Table& b, journal::Entry& entry) {
  bool round[data::kMaxRounds] = {};
  for (int r = 0; r < data::kMaxRows; ++r) {
    bool row = a.participants[r] != b.participants[r];
    for (int k = 0; k < data::kMaxRounds; ++k)
      if (a.opponent[r][k] != b.opponent[r][k] || a.side[r][k] != b.side[r][k] ||
          a.handicap[r][k] != b.handicap[r][k] || a.result[r][k] != b.result[r][k])
        row = round[k] = true;
    if (row) entry.rows.push_back(r);
  }
  for (int k = 0; k < data::kMaxRounds; ++k)
    if (round[k]) entry.rounds.push_back(k);
}

// Tells a journal problem once (a new one is told again), as a warning: the change itself
// stands and is saved.
void tell(Workspace& ws, services::Services& ui, const std::string& message) {
  if (ws.journal.problem == message) return;
  ws.journal.problem = message;
  ui.warningBox(message);
}

void unusable(Workspace& ws, services::Services& ui, const std::string& why) {
  const std::filesystem::path file = journal::Journal::beside(ws.table.filePath);
  tell(ws, ui, text::format(texts::kJournalUnusable, data::pathUtf8(file).c_str(), why.c_str()));
}

// Appends one entry; a journal that fails is let go (the next pass opens it again).
bool append(Workspace& ws, services::Services& ui, const journal::Entry& entry) {
  journal::Journal* j = ws.journal.journal.get();
  if (!j) return false;
  std::string why;
  if (j->append(entry, why)) {
    ws.journal.problem.clear();
    return true;
  }
  ws.journal.journal.reset();
  ws.journal.tableFile.clear();
  unusable(ws, ui, why);
  return false;
}

journal::Entry entryOf(const journal::Who& who, std::string label, journal::Op op,
                       const data::Table& before, const Workspace& ws) {
  journal::Entry e;
  e.who = who;
  e.label = std::move(label);
  e.op = op;
  changedPlaces(before, ws.table, e);
  e.state = stateOf(ws.table, ws.players);
  return e;
}

// Brings an opened journal up to the table's state.
void catchUp(Workspace& ws, services::Services& ui, const journal::Who& who) {
  journal::Journal& j = *ws.journal.journal;
  journal::Entry e;
  e.state = stateOf(ws.table, ws.players);
  if (!j.last()) {
    e.who = who;
    e.label = texts::kLabelJournalStart;
    e.op = journal::Op::Base;
  } else if (j.lastState() != e.state) {
    e.who = journal::Who::otherProgram();
    e.label = texts::kLabelOtherProgram;
    const std::optional<ReadState> was = readState(j.lastState(), ws.table.filePath);
    if (was) changedPlaces(*was->table, ws.table, e);
  } else {
    return;
  }
  append(ws, ui, e);
}

// A disagreement kept or settled: a step that changes nothing, for the record.
void noteDisagreements(Workspace& ws, services::Services& ui, const journal::Who& who,
                       const std::vector<Disagreement>& before) {
  const auto record = [&](const Disagreement& d, journal::Op op, const char* format) {
    journal::Entry e;
    e.who = who;
    e.op = op;
    e.label = text::format(format, disagreementText(d).c_str());
    e.rounds = {d.round};
    e.rows = {d.first, d.second};
    e.state = stateOf(ws.table, ws.players);
    append(ws, ui, e);
  };
  for (const Disagreement& d : ws.disagreements)
    if (std::find(before.begin(), before.end(), d) == before.end())
      record(d, journal::Op::Disagreement, texts::kLabelDisagreement);
  for (const Disagreement& d : before)
    if (std::find(ws.disagreements.begin(), ws.disagreements.end(), d) == ws.disagreements.end())
      record(d, journal::Op::Settled, texts::kLabelSettled);
}

}  // namespace

journal::State stateOf(const data::Table& table, const data::Register& players) {
  return {data::tableFileBytes(table, table.filePath), data::playerFileBytes(players)};
}

void catchUpJournal(Workspace& ws, services::Services& ui, const journal::Who& who) {
  JournalLink& link = ws.journal;
  if (ws.table.filePath.empty() || ws.table.participantCount <= 0) {
    link.journal.reset();
    link.tableFile.clear();
    return;
  }
  if (link.journal && link.tableFile == ws.table.filePath) return;
  const std::filesystem::path file = journal::Journal::beside(ws.table.filePath);
  std::string why;
  std::filesystem::path aside;
  link.journal = journal::Journal::open(file, why, &aside);
  if (!aside.empty())
    tell(ws, ui, text::format(texts::kJournalSetAside, data::pathUtf8(aside).c_str()));
  if (!link.journal) {
    link.tableFile.clear();
    unusable(ws, ui, why);
    return;
  }
  link.tableFile = ws.table.filePath;
  catchUp(ws, ui, who);
}

void attachJournal(Workspace& ws, services::Services& ui, const journal::Who& who) {
  const bool opened = ws.journal.journal && ws.journal.tableFile == ws.table.filePath;
  catchUpJournal(ws, ui, who);
  if (!opened && ws.journal.withHistory && ws.journal.journal) {
    rebuildHistory(ws);
    // The boards whose players disagreed stay before the organiser after a restart.
    rebuildDisagreements(ws, ws.journal.journal->stepsFrom(1));
  }
}

void journalPass(Workspace& ws, services::Services& ui, const journal::Who& who,
                 const PassRecord& pass) {
  // A document opened, even the same one again: its journal gives back its history.
  if (pass.opensDocument) {
    ws.journal.journal.reset();
    ws.journal.tableFile.clear();
  }
  if (ws.journal.tableFile != ws.table.filePath || !ws.journal.journal) {
    // Another file (opened, saved under another name) or a journal let go: open it and catch
    // up; the pass itself is then in the journal's state. A document opened takes its undo
    // history from it; otherwise the history in memory stands.
    if (pass.opensDocument)
      attachJournal(ws, ui, who);
    else
      catchUpJournal(ws, ui, who);
    return;
  }
  const data::Table& before = *pass.before->table;
  if (pass.reread) {
    journal::Journal& j = *ws.journal.journal;
    std::string why;
    // The program that changed the files may have journalled the change itself.
    const journal::State now = stateOf(before, *pass.before->players);
    if (!j.reload(why) || j.lastState() != now) {
      journal::Entry e;
      e.who = journal::Who::otherProgram();
      e.label = texts::kLabelOtherProgram;
      e.op = journal::Op::Reread;
      e.state = now;
      append(ws, ui, e);
    }
    if (ws.journal.withHistory && pass.step.empty()) rebuildHistory(ws);
  }
  const bool changed = !data::sameContents(before, ws.table) || *pass.before->players != ws.players;
  if (!pass.step.empty()) {
    append(
        ws, ui,
        entryOf(who, pass.step, pass.fresh ? journal::Op::Fresh : journal::Op::Step, before, ws));
  } else if (changed && ws.history.undoCount() < pass.undoBefore && ws.history.redoStep()) {
    append(ws, ui,
           entryOf(who, text::format(texts::kUndoneStep, ws.history.redoStep()->label.c_str()),
                   journal::Op::Undo, before, ws));
  } else if (changed && ws.history.undoCount() > pass.undoBefore && ws.history.undoStep()) {
    append(ws, ui,
           entryOf(who, text::format(texts::kRedoneStep, ws.history.undoStep()->label.c_str()),
                   journal::Op::Redo, before, ws));
  } else if (changed) {
    append(ws, ui, entryOf(who, texts::kLabelOtherProgram, journal::Op::Reread, before, ws));
  }
  if (pass.disagreed && *pass.disagreed != ws.disagreements)
    noteDisagreements(ws, ui, who, *pass.disagreed);
}

std::optional<ReadState> readState(const journal::State& state,
                                   const std::filesystem::path& tableFile) {
  auto table = std::make_shared<data::Table>();
  if (data::parseTableText(*table, state.table) != data::TableTextResult::Ok) return std::nullopt;
  table->filePath = tableFile;
  auto players = std::make_shared<data::Register>();
  if (data::parsePlayerText(*players, state.players) != 0) return std::nullopt;
  return ReadState{std::move(table), std::move(players)};
}

std::string restoreLabel(std::int64_t n) {
  return text::format(texts::kLabelRestoreOf, static_cast<long long>(n));
}

Outcome restoreStep(Workspace& ws, services::Services& ui, std::int64_t n) {
  const journal::Journal* j = ws.journal.journal.get();
  if (!j) {
    ui.errorBox(texts::kJournalNone);
    return stopped(Stop::Refused);
  }
  const std::optional<journal::State> state =
      n > 0 && n <= std::numeric_limits<int>::max() ? j->stateAfter(n) : std::nullopt;
  const std::optional<ReadState> read = state ? readState(*state, ws.table.filePath) : std::nullopt;
  if (!read) {
    ui.errorBox(text::format(state ? texts::kJournalStepUnreadable : texts::kJournalNoStep,
                             static_cast<long long>(n)));
    return stopped(Stop::BadIndex);
  }
  const bool players = *read->players != ws.players;
  ws.table = *read->table;
  ws.players = *read->players;
  Outcome o;
  o.changed = true;
  o.other = static_cast<int>(n);
  o.code = writeTable(ws, ui, true) == 0 ? 0 : -2;
  if (players && !ws.playerFile.empty() && writePlayers(ws, ui) != 0) o.code = -2;
  o.saved = o.code == 0;
  return o;
}

}  // namespace toq::edit
