// The undo history of before a restart, built again from the journal: its steps replayed as
// the history met them (a step kept, undone, redone, forgotten by a re-read), then the states
// of the steps still kept read from the journal.

#include <deque>
#include <map>

#include "edit/event_journal.h"

namespace toq::edit {

namespace {

// A step as state numbers of the journal.
struct StoredStep {
  std::string label;
  std::int64_t beforeTable, beforePlayers, afterTable, afterPlayers;
};

struct Replayed {
  std::deque<StoredStep> steps;
  std::size_t done = 0;
};

Replayed replay(const std::vector<journal::StepInfo>& all, std::size_t limit) {
  Replayed h;
  std::int64_t table = 0, players = 0;
  for (const journal::StepInfo& s : all) {
    switch (s.op) {
      case journal::Op::Base:
      case journal::Op::Reread:
        h.steps.clear();
        h.done = 0;
        break;
      case journal::Op::Fresh:
        h.steps.clear();
        h.done = 0;
        [[fallthrough]];
      case journal::Op::Step:
        h.steps.resize(h.done);
        h.steps.push_back({s.label, table, players, s.tableState, s.playersState});
        if (h.steps.size() > limit) h.steps.pop_front();
        h.done = h.steps.size();
        break;
      case journal::Op::Undo:
        if (h.done > 0) --h.done;
        break;
      case journal::Op::Redo:
        if (h.done < h.steps.size()) ++h.done;
        break;
      case journal::Op::Disagreement:
      case journal::Op::Settled:
        break;
    }
    table = s.tableState;
    players = s.playersState;
  }
  return h;
}

// Reads the states the kept steps name, each once.
class States {
 public:
  States(const journal::Journal& j, const Workspace& ws) : j_(j), ws_(ws) {}

  std::optional<Snapshot> at(std::int64_t table, std::int64_t players) {
    Snapshot s;
    s.playerFile = ws_.playerFile;
    auto t = tables_.find(table);
    if (t == tables_.end()) {
      const std::optional<std::string> bytes = j_.part(table);
      const std::optional<ReadState> read =
          bytes ? readState({*bytes, {}}, ws_.table.filePath) : std::nullopt;
      if (!read) return std::nullopt;
      t = tables_.emplace(table, read->table).first;
    }
    auto p = registers_.find(players);
    if (p == registers_.end()) {
      const std::optional<std::string> bytes = j_.part(players);
      const std::optional<ReadState> read = bytes ? readPlayers(*bytes) : std::nullopt;
      if (!read) return std::nullopt;
      p = registers_.emplace(players, read->players).first;
    }
    s.table = t->second;
    s.players = p->second;
    return s;
  }

 private:
  std::optional<ReadState> readPlayers(const std::string& bytes) {
    // Any table reads: only the register is wanted.
    const std::optional<ReadState> empty = readState({tableText(), bytes}, {});
    return empty;
  }
  std::string tableText() {
    if (emptyTable_.empty()) emptyTable_ = stateOf(data::Table{}, data::Register{}).table;
    return emptyTable_;
  }

  const journal::Journal& j_;
  const Workspace& ws_;
  std::map<std::int64_t, std::shared_ptr<const data::Table>> tables_;
  std::map<std::int64_t, std::shared_ptr<const data::Register>> registers_;
  std::string emptyTable_;
};

}  // namespace

void rebuildHistory(Workspace& ws) {
  const journal::Journal* j = ws.journal.journal.get();
  if (!j) return;
  const Replayed h = replay(j->stepsFrom(1), ws.history.limit());
  States states(*j, ws);
  std::deque<Step> steps;
  for (const StoredStep& s : h.steps) {
    std::optional<Snapshot> before = states.at(s.beforeTable, s.beforePlayers);
    std::optional<Snapshot> after = states.at(s.afterTable, s.afterPlayers);
    if (!before || !after) {
      // A state that no longer reads: the steps before it cannot be undone.
      steps.clear();
      continue;
    }
    steps.push_back({s.label, std::move(*before), std::move(*after)});
  }
  const std::size_t undone = h.steps.size() - h.done;
  const std::size_t done = steps.size() >= undone ? steps.size() - undone : 0;
  ws.history.rebuild(std::move(steps), done);
}

}  // namespace toq::edit
