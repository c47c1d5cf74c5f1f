#include "server/hub.h"

#include <exception>

#include "server/access_log.h"
#include "server/replies.h"
#include "server/request_services.h"
#include "server/texts.h"

namespace toq::server {

Hub::Hub(std::vector<Executor*> owners, Hooks hooks, std::string key, bool resultDesk)
    : owners_(std::move(owners)),
      hooks_(std::move(hooks)),
      key_(std::move(key)),
      resultDesk_(resultDesk),
      versions_(static_cast<int>(owners_.size())) {}

int Hub::channelOf(const Request& request) const {
  if (sections() == 1 || request.sectioned) return request.section;
  return kVenueChannel;
}

void Hub::log(const std::string& line) const {
  if (hooks_.accessLog) hooks_.accessLog(withoutKey(line, key_));
}

void Hub::onOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done,
                  Access access) {
  auto self = shared_from_this();
  // The reply is handed over exactly once, whether the job runs, throws or is dropped unrun.
  auto answer = std::make_shared<Done>(std::move(done));
  Executor& owner = *owners_[static_cast<std::size_t>(section)];
  Job job = [self, work = std::move(work), answer](edit::Workspace& ws) {
    Reply reply;
    try {
      reply = work(*self, ws);
    } catch (const std::exception& e) {
      self->log(localTime() + " " + std::string(texts::kJobFailed) + e.what());
      reply = errorReply(500, texts::kInternal);
    } catch (...) {
      self->log(localTime() + " " + std::string(texts::kJobFailed) + "?");
      reply = errorReply(500, texts::kInternal);
    }
    (*answer)(std::move(reply));
    // The pages hear of a change after its sender has its answer: the organiser waits
    // for nobody's event stream.
    self->versions_.announcePending();
  };
  const bool taken =
      access == Access::Changes ? owner.postChange(std::move(job)) : owner.post(std::move(job));
  if (!taken) (*answer)(errorReply(503, texts::kBusy));
}

void Hub::onEveryOwner(std::function<std::string(Hub&, edit::Workspace&, int)> work,
                       std::function<void(std::vector<std::string>)> done) {
  // One section after another: each job posts the next, the last hands over the texts.
  struct Round {
    std::function<std::string(Hub&, edit::Workspace&, int)> work;
    std::function<void(std::vector<std::string>)> done;
    std::vector<std::string> texts;
  };
  auto round = std::make_shared<Round>(Round{std::move(work), std::move(done), {}});
  auto self = shared_from_this();
  auto next = std::make_shared<std::function<void()>>();
  *next = [self, round, next] {
    const int section = static_cast<int>(round->texts.size());
    if (section == self->sections()) {
      round->done(std::move(round->texts));
      *next = nullptr;  // lets the chain go
      return;
    }
    self->onOwner(
        section,
        [round, section](Hub& hub, edit::Workspace& ws) {
          Reply r;
          r.body = round->work(hub, ws, section);
          return r;
        },
        [round, next](Reply r) {
          round->texts.push_back(r.status == 200 ? std::move(r.body) : std::string());
          if (*next) (*next)();
        });
  };
  (*next)();
}

void Hub::changed(int section) {
  versions_.raiseAndAnnounce(section);
}

void Hub::passed(int section, const edit::Passed& pass, const RequestServices& ui) {
  if (!pass.changes.any() && !pass.changes.disagreements) return;
  versions_.raise(section);
  if (!hooks_.changedFromNetwork) return;
  NetworkChange change;
  change.section = section;
  change.label = pass.step;
  change.round = pass.outcome.round;
  change.changes = pass.changes;
  if (pass.changes.reread) change.statuses = ui.statuses();
  if (!pass.note.empty()) change.statuses.push_back(pass.note);
  hooks_.changedFromNetwork(change);
}

}  // namespace toq::server
