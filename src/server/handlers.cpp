#include "server/handlers.h"

#include "edit/edit_texts.h"
#include "edit/pair_command.h"
#include "edit/result_entry.h"
#include "server/answers.h"
#include "server/api.h"
#include "server/changes.h"
#include "server/pages.h"
#include "server/replies.h"
#include "server/request_services.h"
#include "server/texts.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::server::handlers {

namespace {

// The reading API takes no parameters but the round.
std::optional<api::RoundQuery> roundQuery(const Request& request, Done& done) {
  std::string error;
  std::optional<api::RoundQuery> q = api::parseRoundQuery(request.query, error);
  if (!q) done(errorReply(400, error));
  return q;
}

bool noQuery(const Request& request, Done& done) {
  std::string error;
  std::optional<api::RoundQuery> q = api::parseRoundQuery(request.query, error);
  if (q && !q->round) return true;
  done(errorReply(400, q ? text::format(texts::kUnknownParameter, "round") : error));
  return false;
}

// A round that the table does not have is refused as the edit layer refuses it.
bool roundOfTable(const edit::Workspace& ws, const std::optional<int>& round) {
  return !round || ws.table.validRound(*round);
}

// "会場から: 2回戦 A 対 B 勝ち", from the row's side.
std::string resultLabel(const edit::Workspace& ws, const api::ResultRequest& r) {
  const std::optional<api::Game> game = gameOf(ws, r.row, r.round);
  if (!game) return {};
  const auto& p = game->board.players;
  const bool first = p[0].row == r.row + 1;
  return text::format(texts::kResultChange, r.round + 1, (first ? p[0] : p[1]).name.c_str(),
                      (first ? p[1] : p[0]).name.c_str(), edit::resultName(r.result));
}

// The edit layer's messages, then that the change was not saved.
std::string notSaved(const RequestServices& ui) {
  return ui.problems().empty() ? std::string(texts::kNotSaved)
                               : ui.problemText({}) + "\n" + std::string(texts::kNotSaved);
}

// How a command that stopped is answered: 400 for a row or round the table does not have,
// 409 with the edit layer's message for a refusal, 500 when the change could not be saved.
Reply refusal(const edit::Outcome& o, const RequestServices& ui) {
  if (o.code == -2) return errorReply(500, notSaved(ui));
  if (o.stop == edit::Stop::BadIndex) return errorReply(400, ui.problemText(texts::kBadRequest));
  return errorReply(409, ui.problemText(texts::kNotDone));
}

void result(Hub& hub, const Request& request, Done done, edit::ResultEntryRule rule) {
  std::string error;
  const std::optional<api::ResultRequest> asked = api::parseResultRequest(request.body, error);
  if (!asked) return done(errorReply(400, error));
  enterResult(hub, request.section, *asked, std::move(done), rule, {});
}

// What a section's paths begin with on its pages.
std::string baseOf(const Request& request) {
  return request.sectioned ? sectionPrefix(request.section) : std::string();
}

// Every section's part of the venue's pages, from each owner in turn.
void venueParts(Hub& hub, std::function<void(Hub&, std::vector<SectionPart>)> then) {
  auto self = hub.shared_from_this();
  auto parts = std::make_shared<std::vector<SectionPart>>(static_cast<std::size_t>(hub.sections()));
  hub.onEveryOwner(
      [parts](Hub&, edit::Workspace& ws, int section) {
        SectionPart part = displayPart(ws, section);
        part.file = text::pathToUtf8(ws.table.filePath.filename());
        (*parts)[static_cast<std::size_t>(section)] = std::move(part);
        return std::string();
      },
      [self, parts, then = std::move(then)](std::vector<std::string>) {
        then(*self, std::move(*parts));
      });
}

}  // namespace

void enterResult(Hub& hub, int section, const api::ResultRequest& asked, Done done,
                 edit::ResultEntryRule rule, ResultCheck check) {
  hub.changeOnOwner(
      section,
      [r = asked, rule, check = std::move(check)](Hub& hub, edit::Workspace& ws) {
        if (check)
          if (std::optional<Reply> refused = check(hub, ws)) return std::move(*refused);
        RequestServices ui;
        const NetworkChange change{resultLabel(ws, r), r.round};
        const edit::Outcome o = applyChange(ws, ui, change.label, [&](edit::Workspace& w) {
          return edit::enterResultCode(w, ui, r.row, r.round, r.result, rule);
        });
        if (o.changed) hub.changedFromNetwork(change);
        if (!o.done()) return refusal(o, ui);
        return jsonReply(200, api::text(*gameOf(ws, r.row, r.round)));
      },
      std::move(done));
}

std::string versionEvent(std::uint64_t version) {
  return "event: version\ndata: " + api::versionText(version) + "\n\n";
}

void home(Hub& hub, const Request& request, Done done) {
  hub.onOwner(
      request.section,
      [base = baseOf(request)](Hub& hub, edit::Workspace& ws) {
        return pageReply(homePage(ws, hub.version(), hub.resultDesk(), base));
      },
      std::move(done));
}

void display(Hub& hub, const Request& request, Done done) {
  hub.onOwner(
      request.section,
      [base = baseOf(request)](Hub& hub, edit::Workspace& ws) {
        return pageReply(displayPage(ws, hub.version(), base));
      },
      std::move(done));
}

void desk(Hub& hub, const Request& request, Done done) {
  hub.onOwner(
      request.section,
      [base = baseOf(request)](Hub& hub, edit::Workspace& ws) {
        return pageReply(deskPage(ws, hub.version(), base));
      },
      std::move(done));
}

void admin(Hub& hub, const Request& request, Done done) {
  hub.onOwner(
      request.section,
      [base = baseOf(request)](Hub& hub, edit::Workspace& ws) {
        return pageReply(adminPage(ws, hub.version(), hub.resultDesk(), base));
      },
      std::move(done));
}

void venueHome(Hub& hub, const Request&, Done done) {
  venueParts(hub, [done = std::move(done)](Hub& hub, std::vector<SectionPart> parts) {
    done(pageReply(venuePage(parts, hub.version())));
  });
}

void venueDisplay(Hub& hub, const Request&, Done done) {
  venueParts(hub, [done = std::move(done)](Hub& hub, std::vector<SectionPart> parts) {
    done(pageReply(venueDisplayPage(parts, hub.version())));
  });
}

void sections(Hub& hub, const Request& request, Done done) {
  if (!noQuery(request, done)) return;
  venueParts(hub, [done = std::move(done)](Hub&, std::vector<SectionPart> parts) {
    api::Sections answer;
    for (std::size_t i = 0; i < parts.size(); ++i)
      answer.sections.push_back({static_cast<int>(i) + 1, parts[i].name, parts[i].file});
    done(jsonReply(200, api::text(answer)));
  });
}

void event(Hub& hub, const Request& request, Done done) {
  if (!noQuery(request, done)) return;
  hub.onOwner(
      request.section,
      [](Hub& hub, edit::Workspace& ws) {
        return jsonReply(200, api::text(eventInfo(ws, hub.version(), hub.resultDesk())));
      },
      std::move(done));
}

void pairings(Hub& hub, const Request& request, Done done) {
  const std::optional<api::RoundQuery> q = roundQuery(request, done);
  if (!q) return;
  hub.onOwner(
      request.section,
      [round = q->round](Hub&, edit::Workspace& ws) {
        if (!roundOfTable(ws, round)) return errorReply(400, edit::texts::kRoundOutOfRange);
        return jsonReply(200, api::text(pairingsOf(ws, round)));
      },
      std::move(done));
}

void standings(Hub& hub, const Request& request, Done done) {
  const std::optional<api::RoundQuery> q = roundQuery(request, done);
  if (!q) return;
  hub.onOwner(
      request.section,
      [round = q->round](Hub&, edit::Workspace& ws) {
        if (!roundOfTable(ws, round)) return errorReply(400, edit::texts::kRoundOutOfRange);
        std::string error;
        const std::optional<api::Standings> s = standingsOf(ws, round, error);
        if (!s) return errorReply(409, error);
        return jsonReply(200, api::text(*s));
      },
      std::move(done));
}

void changes(Hub& hub, const Request& request, Done done) {
  if (!noQuery(request, done)) return;
  Reply reply;
  reply.kind = ContentKind::EventStream;
  // Browsers reconnect a second after a lost connection.
  reply.body = "retry: 1000\n" + versionEvent(hub.version());
  done(std::move(reply));
}

void postResult(Hub& hub, const Request& request, Done done) {
  result(hub, request, std::move(done), edit::ResultEntryRule::Organiser);
}

void postDeskResult(Hub& hub, const Request& request, Done done) {
  result(hub, request, std::move(done), edit::ResultEntryRule::Desk);
}

void postPair(Hub& hub, const Request& request, Done done) {
  std::string error;
  if (!api::parsePairRequest(request.body, error)) return done(errorReply(400, error));
  hub.changeOnOwner(
      request.section,
      [](Hub& hub, edit::Workspace& ws) {
        RequestServices ui;
        edit::PairOutcome paired;
        const int round = ws.table.FirstUnpairedRound();
        const NetworkChange change{text::format(texts::kPairChange, round + 1), round};
        // -1 refused, -2 the driver failed (nothing kept), -3 paired but not saved.
        int code = 0;
        applyChange(ws, ui, change.label, [&](edit::Workspace& w) {
          code = edit::pairNextRound(w, ui, {}, &paired);
          edit::Outcome o;
          o.code = code == 0 ? 0 : code == -3 ? -2 : -1;
          o.changed = code == 0 || code == -3;
          o.saved = code == 0;
          o.round = paired.round;
          return o;
        });
        if (code == 0 || code == -3) hub.changedFromNetwork(change);
        if (code == -3) return errorReply(500, notSaved(ui));
        if (code != 0) return errorReply(409, ui.problemText(texts::kNotDone));
        return jsonReply(200, api::text(pairingsOf(ws, paired.round)));
      },
      std::move(done));
}

}  // namespace toq::server::handlers
