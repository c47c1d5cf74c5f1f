#include "edit/reception.h"

#include <algorithm>
#include <set>

#include "data/register.h"
#include "data/search_key.h"
#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/history.h"
#include "edit/late_arrival.h"
#include "edit/reception_texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// How well a player's name, short name or reading (CP932) answers the query's key: 2 one of
// them is the query, 1 one of them holds it, 0 none does.
int matchOf(const data::Player& p, const std::string& key) {
  int best = 0;
  for (const std::string* field : {&p.name, &p.shortName, &p.reading}) {
    if (field->empty()) continue;
    const std::string own = data::searchKey(text::toUtf8(*field));
    if (own == key) return 2;
    if (own.find(key) != std::string::npos) best = 1;
  }
  return best;
}

// The rows of an arrival, after the checks that leave everything unchanged.
Outcome addArrival(Workspace& ws, services::Services& ui, int number) {
  data::Table& t = ws.table;
  const data::Player* p = ws.players.FindPlayer(number);
  if (!p) {
    ui.errorBox(text::format(texts::kNotRegistered, number));
    return stopped(Stop::Refused);
  }
  if (t.IsParticipant(number)) {
    ui.errorBox(texts::kAlreadyReceived);
    return stopped(Stop::Refused);
  }
  Outcome done;
  done.other = number;
  done.row = t.participantCount;
  done.round = roundsAlreadyPaired(t);
  done.count = addLateRows(t, number, std::max(1, p->entries), ui);
  if (done.count == 0) return stopped(Stop::Refused);
  return saveTable(ws, ui, done);
}

bool tableHasRoom(const Workspace& ws, services::Services& ui) {
  if (ws.table.participantCount < data::kMaxParticipants) return true;
  ui.errorBox(texts::kTableFull);
  return false;
}

}  // namespace

std::vector<ReceptionLine> receptionList(const Workspace& ws, std::string_view query) {
  std::vector<ReceptionLine> out;
  std::vector<int> match;
  const std::string key = data::searchKey(query);
  for (const data::Player& p : ws.players.all()) {
    const int m = key.empty() ? 1 : matchOf(p, key);
    if (m == 0) continue;
    out.push_back({p.number, p.name, p.shortName, p.rating, ws.table.IsParticipant(p.number) != 0});
    match.push_back(m);
  }
  // Exact matches first; then those still to come: the queue at the door looks for them.
  std::vector<std::size_t> order(out.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (match[a] != match[b]) return match[a] > match[b];
    return !out[a].participant && out[b].participant;
  });
  std::vector<ReceptionLine> sorted;
  for (std::size_t i : order) sorted.push_back(out[i]);
  return sorted;
}

std::string receptionCount(const Workspace& ws) {
  std::set<int> arrived;
  for (int row = 0; row < ws.table.rows(); ++row)
    if (ws.players.FindPlayer(ws.table.participants[row]))
      arrived.insert(ws.table.participants[row]);
  return text::format(texts::kReceptionCount, static_cast<int>(arrived.size()), ws.players.count());
}

Outcome receivePlayer(Workspace& ws, services::Services& ui, int number) {
  if (!lockCheck(ws.table, ui)) return stopped(Stop::Locked);
  return addArrival(ws, ui, number);
}

Outcome registerWalkIn(Workspace& ws, services::Services& ui, const PlayerForm& form) {
  if (!lockCheck(ws.table, ui)) return stopped(Stop::Locked);
  if (!tableHasRoom(ws, ui)) return stopped(Stop::Refused);
  const Outcome registered = registerPlayer(ws, ui, form);
  if (!registered.changed) return registered;
  Outcome done = addArrival(ws, ui, registered.other);
  if (registered.code == -2) done.code = -2;
  done.changed = true;
  return done;
}

std::string receptionLabel(std::string_view nameUtf8, bool walkIn) {
  return text::format(walkIn ? texts::kLabelWalkIn : texts::kLabelReception,
                      std::string(nameUtf8).c_str());
}

std::optional<std::string> arrivalStepName(const Workspace& ws) {
  const Step* step = ws.history.undoStep();
  if (!step) return std::nullopt;
  for (const char* label : {texts::kLabelReception, texts::kLabelWalkIn}) {
    const std::string_view format(label);
    const std::string_view prefix = format.substr(0, format.find("%s"));
    if (step->label.rfind(prefix, 0) == 0) return step->label.substr(prefix.size());
  }
  return std::nullopt;
}

}  // namespace toq::edit
