#include "server/handlers.h"

#include "edit/edit_texts.h"
#include "edit/pair_command.h"
#include "edit/result_entry.h"
#include "edit/result_sheet.h"
#include "server/answers.h"
#include "server/api.h"
#include "server/changes.h"
#include "server/pages.h"
#include "server/pair_change.h"
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

// The result a request's body asks for; none after answering 400.
std::optional<api::ResultRequest> resultAsked(const Request& request, Done& done) {
  std::string error;
  std::optional<api::ResultRequest> asked = api::parseResultRequest(request.body, error);
  if (!asked) done(errorReply(400, error));
  return asked;
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

// The edit layer's messages, then that the change was not saved.
std::string notSaved(const RequestServices& ui) {
  return ui.problems().empty() ? std::string(texts::kNotSaved)
                               : ui.problemText({}) + "\n" + std::string(texts::kNotSaved);
}

// How a command that stopped is answered: 400 for a row or round the table does not have,
// 409 with the edit layer's message for a refusal, 500 when the change could not be saved,
// 503 while a file of the event does not read whole (the last good state is still served).
Reply refusal(const edit::Outcome& o, const RequestServices& ui) {
  if (o.code == -2) return errorReply(500, notSaved(ui));
  if (o.stop == edit::Stop::NotReadWhole) return errorReply(503, ui.problemText(texts::kNotDone));
  if (o.stop == edit::Stop::BadIndex) return errorReply(400, ui.problemText(texts::kBadRequest));
  return errorReply(409, ui.problemText(texts::kNotDone));
}

void enterResult(Hub& hub, int section, const api::ResultRequest& asked, Done done,
                 edit::ResultEntryRule rule, ResultCheck check, journal::Who who) {
  hub.onOwner(
      section,
      [r = asked, rule, check = std::move(check), section, who](Hub& hub,
                                                                edit::Workspace& ws) mutable {
        RequestServices ui;
        if (who.kind == journal::WhoKind::Desk) {
          const std::optional<edit::SheetBoard> board = edit::boardOfGame(ws.table, r.round, r.row);
          who.round = r.round;
          who.board = board ? board->board - 1 : -1;
        }
        // The check reads the table the pass starts from (a file read again included).
        std::optional<Reply> refused;
        const edit::Outcome o =
            applyChange(
                hub, section, ws, ui, edit::StepRule{nullptr, steps::result},
                [&](edit::Workspace& w) {
                  if (check) refused = check(hub, w);
                  if (refused) return edit::stopped(edit::Stop::Refused);
                  return edit::enterResultCode(w, ui, r.row, r.round, r.result, rule);
                },
                who)
                .outcome;
        if (refused) return std::move(*refused);
        if (!o.done()) return refusal(o, ui);
        api::Game game = *gameOf(ws, r.row, r.round);
        // A desk report that agreed with the stored result changed nothing: it is confirmed.
        if (rule == edit::ResultEntryRule::Desk && !o.changed)
          game.message = edit::texts::kResultConfirmed;
        return jsonReply(200, api::text(game));
      },
      std::move(done), Hub::Access::Changes);
}

std::string versionEvent(std::uint64_t version) {
  return "event: version\ndata: " + api::versionText(version) + "\n\n";
}

namespace {

// A page of the request's section, built on the owner with the version of the request's
// channel and the section's address prefix.
template <class Build>
void sectionPage(Hub& hub, const Request& request, Done done, Build build) {
  hub.onOwner(
      request.section,
      [base = baseOf(request), channel = hub.channelOf(request), build](Hub& hub,
                                                                        edit::Workspace& ws) {
        return pageReply(build(hub, ws, hub.version(channel), base));
      },
      std::move(done));
}

}  // namespace

void home(Hub& hub, const Request& request, Done done) {
  sectionPage(hub, request, std::move(done),
              [](Hub& hub, edit::Workspace& ws, std::uint64_t version, const std::string& base) {
                return homePage(ws, version, hub.resultDesk(), base);
              });
}

void display(Hub& hub, const Request& request, Done done) {
  sectionPage(hub, request, std::move(done),
              [](Hub&, edit::Workspace& ws, std::uint64_t version, const std::string& base) {
                return displayPage(ws, version, base);
              });
}

void standingsPage(Hub& hub, const Request& request, Done done) {
  sectionPage(hub, request, std::move(done),
              [](Hub&, edit::Workspace& ws, std::uint64_t version, const std::string& base) {
                return server::standingsPage(ws, version, base);
              });
}

void desk(Hub& hub, const Request& request, Done done) {
  sectionPage(hub, request, std::move(done),
              [](Hub&, edit::Workspace& ws, std::uint64_t version, const std::string& base) {
                return deskPage(ws, version, base);
              });
}

void admin(Hub& hub, const Request& request, Done done) {
  sectionPage(hub, request, std::move(done),
              [](Hub& hub, edit::Workspace& ws, std::uint64_t version, const std::string& base) {
                return adminPage(ws, version, hub.resultDesk(), base);
              });
}

void venueHome(Hub& hub, const Request&, Done done) {
  venueParts(hub, [done = std::move(done)](Hub& hub, std::vector<SectionPart> parts) {
    done(pageReply(venuePage(parts, hub.version(kVenueChannel))));
  });
}

void venueDisplay(Hub& hub, const Request&, Done done) {
  venueParts(hub, [done = std::move(done)](Hub& hub, std::vector<SectionPart> parts) {
    done(pageReply(venueDisplayPage(parts, hub.version(kVenueChannel))));
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
      [channel = hub.channelOf(request)](Hub& hub, edit::Workspace& ws) {
        return jsonReply(200, api::text(eventInfo(ws, hub.version(channel), hub.resultDesk())));
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
  reply.channel = hub.channelOf(request);
  reply.body = "retry: 1000\n" + versionEvent(hub.version(reply.channel));
  done(std::move(reply));
}

void postResult(Hub& hub, const Request& request, Done done) {
  if (const auto asked = resultAsked(request, done))
    enterResult(hub, request.section, *asked, std::move(done), edit::ResultEntryRule::Organiser, {},
                journal::Who::organiser(request.address));
}

void postDeskResult(Hub& hub, const Request& request, Done done) {
  if (const auto asked = resultAsked(request, done))
    enterResult(hub, request.section, *asked, std::move(done), edit::ResultEntryRule::Desk, {},
                journal::Who::desk(asked->round, -1, request.address));
}

void postPair(Hub& hub, const Request& request, Done done) {
  std::string error;
  const std::optional<api::PairRequest> asked = api::parsePairRequest(request.body, error);
  if (!asked) return done(errorReply(400, error));
  const int section = request.section;
  hub.onOwner(
      section,
      [bye = asked->bye, section, who = journal::Who::organiser(request.address)](
          Hub& hub, edit::Workspace& ws) {
        RequestServices ui;
        // An odd round's bye and its pairing are one change, judged on the table the pass
        // starts from.
        std::optional<edit::ByeNeed> need;
        std::optional<Reply> refused;
        edit::PairOutcome paired;
        const edit::Outcome o = applyChange(
                                    hub, section, ws, ui, edit::StepRule{nullptr, steps::pairing},
                                    [&](edit::Workspace& w) {
                                      need = edit::byeNeeded(w, ui);
                                      refused = refuseBye(w, need, bye);
                                      if (refused) return edit::stopped(edit::Stop::Refused);
                                      return pairWithBye(w, ui, need, bye, paired);
                                    },
                                    who)
                                    .outcome;
        if (refused) return *refused;
        if (o.done())
          return jsonReply(200, api::text(pairingsOf(ws, o.round), paired.sameAffiliation));
        if (o.code != -2 && need && !bye) return oddRoundRefusal(ws, ui, *need);
        return refusal(o, ui);
      },
      std::move(done), Hub::Access::Changes);
}

}  // namespace toq::server::handlers
