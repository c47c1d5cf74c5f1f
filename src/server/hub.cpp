#include "server/hub.h"

#include "server/replies.h"
#include "server/texts.h"

namespace toq::server {

Hub::Hub(Executor& owner, Hooks hooks, std::string key, bool resultDesk)
    : owner_(owner), hooks_(std::move(hooks)), key_(std::move(key)), resultDesk_(resultDesk) {}

void Hub::onOwner(std::function<Reply(Hub&, edit::Workspace&)> work, Done done) {
  auto self = shared_from_this();
  // The reply is handed over exactly once, whether the job runs, throws or is dropped unrun.
  auto answer = std::make_shared<Done>(std::move(done));
  const bool taken = owner_.post([self, work = std::move(work), answer](edit::Workspace& ws) {
    Reply reply;
    try {
      reply = work(*self, ws);
    } catch (...) {
      reply = errorReply(500, texts::kInternal);
    }
    (*answer)(std::move(reply));
  });
  if (!taken) (*answer)(errorReply(503, texts::kBusy));
}

void Hub::changed() {
  const std::uint64_t now = ++version_;
  if (announce_) announce_(now);
}

void Hub::changedFromNetwork(const NetworkChange& change) {
  const std::uint64_t now = ++version_;
  if (hooks_.changedFromNetwork) hooks_.changedFromNetwork(change);
  if (announce_) announce_(now);
}

}  // namespace toq::server
