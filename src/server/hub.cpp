#include "server/hub.h"

#include <exception>

#include "edit/file_freshness.h"
#include "server/access_log.h"
#include "server/replies.h"
#include "server/request_services.h"
#include "server/texts.h"

namespace toq::server {

namespace {

// Answers kept at most; all are let go when more arrive (queries with other rounds).
constexpr std::size_t kKeptAnswers = 256;

}  // namespace

Hub::Hub(std::vector<Executor*> owners, Hooks hooks, std::string key, bool resultDesk)
    : owners_(std::move(owners)),
      hooks_(std::move(hooks)),
      key_(std::move(key)),
      resultDesk_(resultDesk) {}

void Hub::log(const std::string& line) const {
  if (hooks_.accessLog) hooks_.accessLog(withoutKey(line, key_));
}

void Hub::onOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done) {
  post(section, std::move(work), std::move(done), false);
}

void Hub::changeOnOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done) {
  post(section, std::move(work), std::move(done), true);
}

void Hub::post(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done,
               bool change) {
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
    if (self->announcePending_.exchange(false) && self->announce_) self->announce_(self->version());
  };
  const bool taken = change ? owner.postChange(std::move(job)) : owner.post(std::move(job));
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

void Hub::changed() {
  const std::uint64_t now = ++version_;
  if (announce_) announce_(now);
}

void Hub::changedFromNetwork(const NetworkChange& change) {
  ++version_;
  if (hooks_.changedFromNetwork) hooks_.changedFromNetwork(change);
  // Announced once the job that made the change has handed over its answer (onOwner).
  announcePending_ = true;
}

void Hub::lookAtFiles(int section, edit::Workspace& ws) {
  RequestServices ui;
  const bool changed = edit::rereadChangedFiles(ws, ui);
  if (!changed && ui.problems().empty()) return;
  FilesLooked looked{section, changed, ui.statuses(), ui.problems()};
  if (changed) ++version_;
  if (hooks_.filesLooked) hooks_.filesLooked(looked);
  for (const std::string& line : ui.statuses()) log(localTime() + " " + line);
  for (const std::string& line : ui.problems()) log(localTime() + " " + line);
  if (changed && announce_) announce_(version_.load());
}

void Hub::keptOrBuilt(const std::string& what, std::uint64_t version, Done done,
                      const std::function<void(Done)>& build) {
  std::optional<Reply> ready;
  {
    std::lock_guard lock(keptMutex_);
    const auto it = kept_.find(what);
    if (it != kept_.end() && it->second.version == version) {
      ready = it->second.reply;
    } else {
      std::vector<Done>& waiting = building_[{what, version}];
      waiting.push_back(std::move(done));
      if (waiting.size() > 1) return;  // the build under way answers it too
    }
  }
  if (ready) return done(std::move(*ready));
  build([self = shared_from_this(), what, version](Reply reply) {
    std::vector<Done> waiting;
    {
      std::lock_guard lock(self->keptMutex_);
      if (reply.status == 200) {
        if (self->kept_.size() >= kKeptAnswers) self->kept_.clear();
        self->kept_[what] = Kept{version, reply};
      }
      auto node = self->building_.extract({what, version});
      if (!node.empty()) waiting = std::move(node.mapped());
    }
    for (Done& d : waiting) d(reply);
  });
}

}  // namespace toq::server
