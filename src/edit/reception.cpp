#include "edit/reception.h"

#include <algorithm>
#include <set>

#include "data/register.h"
#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/late_arrival.h"
#include "edit/reception_texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

bool holds(const std::string& field, const std::string& squeezedQuery) {
  return text::containsAtBoundary(data::SqueezeName(field), squeezedQuery);
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
  const std::optional<std::string> cp932 = text::toCp932(query);
  if (!cp932) return out;
  const std::string q = data::SqueezeName(*cp932);
  for (const data::Player& p : ws.players.all())
    if (q.empty() || holds(p.name, q) || holds(p.shortName, q))
      out.push_back(
          {p.number, p.name, p.shortName, p.rating, ws.table.IsParticipant(p.number) != 0});
  // Those still to come first: the queue at the door looks for them.
  std::stable_partition(out.begin(), out.end(),
                        [](const ReceptionLine& l) { return !l.participant; });
  return out;
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

}  // namespace toq::edit
