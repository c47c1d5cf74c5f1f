#include "server/desk_handlers.h"

#include "server/api.h"
#include "server/client_groups.h"
#include "server/desk_codes.h"
#include "server/desk_pages.h"
#include "server/guard_texts.h"
#include "server/handlers.h"
#include "server/replies.h"
#include "server/texts.h"

namespace toq::server::handlers {

namespace {

// 429 while the address is blocked for wrong keys or codes; else none.
std::optional<Reply> blocked(Hub& hub, const Request& request) {
  if (!hub.wrongKeys().blocked(limitedAddress(request.address))) return std::nullopt;
  Reply reply = errorReply(429, texts::kTooManyWrongKeys);
  reply.headers.emplace_back("Retry-After", "60");
  return reply;
}

// 403 for a missing or wrong code, counted towards the address's limit.
Reply wrongCode(Hub& hub, const std::string& address, std::string_view message) {
  hub.wrongKeys().wrongKey(limitedAddress(address));
  return errorReply(403, message);
}

// The code as sent ("code=CODE", the only parameter); empty when there is none.
std::string_view queryCode(std::string_view query) {
  constexpr std::string_view kName = "code=";
  if (query.substr(0, kName.size()) != kName) return {};
  return query.substr(kName.size());
}

// "必要です" for no code at all, "違います" for one that is not a code.
std::string_view missing(std::string_view sent) {
  return sent.empty() ? texts::kNoCode : texts::kWrongCode;
}

}  // namespace

void slipDesk(Hub& hub, const Request& request, Done done) {
  if (hub.deskAccess().open()) return desk(hub, request, std::move(done));
  hub.onOwner(
      request.section,
      [base = request.sectioned ? sectionPrefix(request.section) : std::string(),
       channel = hub.channelOf(request)](Hub& hub, edit::Workspace& ws) {
        return pageReply(slipDeskPage(ws, hub.version(channel), base));
      },
      std::move(done));
}

void deskSlip(Hub& hub, const Request& request, Done done) {
  if (std::optional<Reply> refused = blocked(hub, request)) return done(std::move(*refused));
  const std::string code = typedCode(queryCode(request.query));
  if (code.empty()) return done(wrongCode(hub, request.address, missing(queryCode(request.query))));
  hub.onOwner(
      request.section,
      [code, section = request.section, address = request.address](Hub& hub, edit::Workspace& ws) {
        const std::optional<Slip> slip = findSlip(ws, hub.deskAccess().secret(section), code);
        if (!slip) return wrongCode(hub, address, texts::kWrongCode);
        return jsonReply(200, api::text(api::Game{slip->round, slip->board, {}}));
      },
      std::move(done));
}

void deskResult(Hub& hub, const Request& request, Done done) {
  if (hub.deskAccess().open()) return postDeskResult(hub, request, std::move(done));
  if (std::optional<Reply> refused = blocked(hub, request)) return done(std::move(*refused));
  std::string error;
  const std::optional<api::DeskResultRequest> asked =
      api::parseDeskResultRequest(request.body, error);
  if (!asked) return done(errorReply(400, error));
  const std::string code = typedCode(asked->code);
  if (code.empty()) return done(wrongCode(hub, request.address, missing(asked->code)));
  const int section = request.section;
  auto check = [code, section, address = request.address, r = asked->result](
                   Hub& hub, const edit::Workspace& ws) -> std::optional<Reply> {
    const std::optional<Slip> slip = findSlip(ws, hub.deskAccess().secret(section), code);
    if (!slip) return wrongCode(hub, address, texts::kWrongCode);
    const bool ofTheGame = slip->round == r.round + 1;
    bool player = false;
    for (const api::BoardPlayer& p : slip->board.players) player = player || p.row == r.row + 1;
    if (!ofTheGame || !player) return wrongCode(hub, address, texts::kNotYourBoard);
    return std::nullopt;
  };
  enterResult(hub, section, asked->result, std::move(done), edit::ResultEntryRule::Desk, check,
              journal::Who::desk(asked->result.round, -1, request.address));
}

void adminOrMoved(Hub& hub, const Request& request, Done done) {
  if (request.query.empty()) return admin(hub, request, std::move(done));
  done(pageReply(movedAdminPage()));
}

}  // namespace toq::server::handlers
