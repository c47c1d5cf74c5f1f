// Who plays where: a participant sitting out or withdrawing (and taking it back), the rows put
// in rating order before round 1 (the organiser's), and finding one's board (anyone's).
#include "edit/absences.h"
#include "edit/edit_texts.h"
#include "edit/rating_order.h"
#include "server/api.h"
#include "server/changes.h"
#include "server/handlers.h"
#include "server/player_finder.h"
#include "server/reception_api.h"
#include "server/replies.h"
#include "server/request_services.h"
#include "server/texts.h"
#include "text/cp932.h"

namespace toq::server::handlers {

namespace {

void absence(Hub& hub, const Request& request, Done done, bool takeBack) {
  std::string error;
  const std::optional<api::AbsenceRequest> asked = api::parseAbsenceRequest(request.body, error);
  if (!asked) return done(errorReply(400, error));
  const int section = request.section;
  const edit::AbsenceRequest wanted{asked->row, asked->round, asked->fromOn, takeBack};
  hub.onOwner(
      section,
      [wanted, keep = asked->keepGame, section, who = journal::Who::organiser(request.address)](
          Hub& hub, edit::Workspace& ws) {
        RequestServices ui;
        // A paired game the absence touches is changed only when the page asked its question.
        std::optional<std::string> question;
        const edit::Outcome o =
            applyChange(hub, section, ws, ui, edit::StepRule{edit::absenceStepLabel(wanted)},
                        [&](edit::Workspace& w) {
                          question = keep ? std::nullopt : edit::pairedGameQuestion(w, wanted, ui);
                          if (question) return edit::stopped(edit::Stop::Declined);
                          const auto game = keep.value_or(true) ? edit::PairedGame::Keep
                                                                : edit::PairedGame::TakeOut;
                          return edit::setAbsence(w, ui, wanted, game);
                        },
                        who)
                .outcome;
        if (question)
          return jsonReply(409, api::text(api::AbsenceQuestion{*question, wanted.fromOn}));
        if (!o.done()) return refusal(o, ui);
        return jsonReply(200,
                         api::text(api::AbsenceAnswer{wanted.row + 1, wanted.round + 1, o.count}));
      },
      std::move(done), Hub::Access::Changes);
}

}  // namespace

void postAbsence(Hub& hub, const Request& request, Done done) {
  absence(hub, request, std::move(done), false);
}

void deleteAbsence(Hub& hub, const Request& request, Done done) {
  absence(hub, request, std::move(done), true);
}

void findPlayer(Hub& hub, const Request& request, Done done) {
  const std::optional<std::string> q = reception::searchText(request.query);
  if (!q) return done(errorReply(400, texts::kBadRequest));
  hub.onOwner(
      request.section,
      [q = *q](Hub&, edit::Workspace& ws) { return jsonReply(200, findAnswer(ws, q)); },
      std::move(done));
}

void postSort(Hub& hub, const Request& request, Done done) {
  if (request.body.find_first_not_of(" \t\r\n{}") != std::string::npos)
    return done(errorReply(400, texts::kBadRequest));
  const int section = request.section;
  hub.onOwner(
      section,
      [section, who = journal::Who::organiser(request.address)](Hub& hub, edit::Workspace& ws) {
        RequestServices ui;
        const edit::Outcome o =
            applyChange(hub, section, ws, ui, edit::StepRule{edit::texts::kLabelSortByRating},
                        [&](edit::Workspace& w) { return edit::sortByRating(w, ui); }, who)
                .outcome;
        if (!o.done() && o.stop != edit::Stop::NothingToDo) return refusal(o, ui);
        return jsonReply(200, "{\"rows\":" + std::to_string(o.count) + "}");
      },
      std::move(done), Hub::Access::Changes);
}

}  // namespace toq::server::handlers
