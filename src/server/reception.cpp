#include "server/reception.h"

#include "edit/reception.h"
#include "edit/reception_texts.h"
#include "server/changes.h"
#include "server/client_groups.h"
#include "server/organiser_key.h"
#include "server/reception_api.h"
#include "server/reception_page.h"
#include "server/replies.h"
#include "server/request_services.h"
#include "server/request_signature.h"
#include "server/texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::server::reception {

namespace {

constexpr std::string_view kNoReceptionKey = "受付の鍵が必要です。";
constexpr std::string_view kWrongReceptionKey = "受付の鍵が違います。";
constexpr std::string_view kBadSearch = "q には検索する文字を指定してください。";

// The reception's own key, signed (the page) or sent as a Bearer header (programs). A signed
// request is checked over the path as the page sent it, section included.
bool rightKey(Hub& hub, const Request& r, const std::string& key) {
  if (isSigned(r)) {
    Request sent = r;
    if (r.sectioned) sent.path = sectionPrefix(r.section) + r.path;
    return signedWith(sent, key) && hub.receptionSequences().use(*sequenceNumber(r.sequence));
  }
  const std::string_view given = bearerKey(r.authorization);
  return !given.empty() && sameKey(given, key);
}

// 404 while the reception is off; 429, 401 for a caller without the reception's key (the
// right key always passes, even from an address blocked for wrong ones).
std::optional<Reply> refusal(Hub& hub, const Request& r, bool needsKey) {
  const std::string& key = hub.receptionKey();
  if (key.empty()) return errorReply(404, texts::kNotFound);
  if (!needsKey || rightKey(hub, r, key)) return std::nullopt;
  const std::string counted = limitedAddress(r.address);
  if (hub.wrongKeys().blocked(counted)) {
    Reply reply = errorReply(429, texts::kTooManyWrongKeys);
    reply.headers.emplace_back("Retry-After", "60");
    return reply;
  }
  const bool tried = isSigned(r) || !bearerKey(r.authorization).empty();
  if (tried) hub.wrongKeys().wrongKey(counted);
  Reply reply = errorReply(401, tried ? kWrongReceptionKey : kNoReceptionKey);
  reply.headers.emplace_back("WWW-Authenticate", "Bearer");
  return reply;
}

Arrival arrivalOf(const edit::Workspace& ws, const edit::Outcome& o) {
  Arrival a;
  a.player = o.other;
  if (const data::Player* p = ws.players.FindPlayer(o.other)) {
    a.name = text::toUtf8(p->name);
    a.rating = p->rating;
  }
  for (int i = 0; i < o.count; ++i) a.rows.push_back(o.row + i + 1);
  a.fromRound = o.round + 1;
  if (o.round > 0) a.note = text::format(edit::texts::kFromRound, o.round + 1);
  return a;
}

// The arrival's undo step, named inside its pass from the player it added.
std::string arrivalStep(const edit::Snapshot&, const edit::Workspace& after,
                        const edit::Outcome& done) {
  const data::Player* p = after.players.FindPlayer(done.other);
  return edit::receptionLabel(p ? text::toUtf8(p->name) : std::to_string(done.other), false);
}
std::string walkInStep(const edit::Snapshot&, const edit::Workspace& after,
                       const edit::Outcome& done) {
  const data::Player* p = after.players.FindPlayer(done.other);
  return edit::receptionLabel(p ? text::toUtf8(p->name) : std::string(), true);
}

// Runs an arrival through the door on the owner's thread and answers it.
using ArrivalCommand = std::function<edit::Outcome(edit::Workspace&, services::Services&)>;
Reply arrive(Hub& hub, int section, edit::Workspace& ws, edit::StepNamer step,
             const journal::Who& who, const ArrivalCommand& run) {
  RequestServices ui;
  const edit::Outcome o = applyChange(
                              hub, section, ws, ui, edit::StepRule{nullptr, step},
                              [&](edit::Workspace& w) { return run(w, ui); }, who)
                              .outcome;
  if (o.code == -2) return errorReply(500, ui.problemText(texts::kNotSaved));
  if (o.stop == edit::Stop::NotReadWhole) return errorReply(503, ui.problemText(texts::kNotDone));
  if (!o.done()) return errorReply(409, ui.problemText(texts::kNotDone));
  return jsonReply(200, text(arrivalOf(ws, o)));
}

}  // namespace

void page(Hub& hub, const Request& request, Done done) {
  if (auto refused = refusal(hub, request, false)) return done(std::move(*refused));
  const std::string base = request.sectioned ? sectionPrefix(request.section) : std::string();
  hub.onOwner(
      request.section,
      [base](Hub&, edit::Workspace& ws) { return pageReply(receptionPage(ws, base)); },
      std::move(done));
}

void players(Hub& hub, const Request& request, Done done) {
  if (auto refused = refusal(hub, request, true)) return done(std::move(*refused));
  std::optional<std::string> q = searchText(request.query);
  if (!q) return done(errorReply(400, kBadSearch));
  hub.onOwner(
      request.section,
      [q = std::move(*q)](Hub&, edit::Workspace& ws) {
        PlayerList list;
        for (const edit::ReceptionLine& l : edit::receptionList(ws, q))
          list.players.push_back(
              {l.number, text::toUtf8(l.name), text::toUtf8(l.shortName), l.rating, l.participant});
        list.count = edit::receptionCount(ws);
        return jsonReply(200, text(list));
      },
      std::move(done));
}

void arrival(Hub& hub, const Request& request, Done done) {
  if (auto refused = refusal(hub, request, true)) return done(std::move(*refused));
  std::string error;
  const std::optional<ArrivalRequest> asked = parseArrival(request.body, error);
  if (!asked) return done(errorReply(400, error));
  const int section = request.section;
  hub.onOwner(
      section,
      [n = asked->player, section, who = journal::Who::reception(request.address)](
          Hub& hub, edit::Workspace& ws) {
        return arrive(hub, section, ws, arrivalStep, who,
                      [n](edit::Workspace& w, services::Services& ui) {
                        return edit::receivePlayer(w, ui, n);
                      });
      },
      std::move(done), Hub::Access::Changes);
}

void walkIn(Hub& hub, const Request& request, Done done) {
  if (auto refused = refusal(hub, request, true)) return done(std::move(*refused));
  std::string error;
  const std::optional<WalkInRequest> asked = parseWalkIn(request.body, error);
  if (!asked) return done(errorReply(400, error));
  const int section = request.section;
  hub.onOwner(
      section,
      [form = asked->form, section, who = journal::Who::reception(request.address)](
          Hub& hub, edit::Workspace& ws) {
        return arrive(hub, section, ws, walkInStep, who,
                      [&form](edit::Workspace& w, services::Services& ui) {
                        return edit::registerWalkIn(w, ui, form);
                      });
      },
      std::move(done), Hub::Access::Changes);
}

}  // namespace toq::server::reception
