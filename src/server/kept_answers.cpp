#include "server/kept_answers.h"

#include <optional>

namespace toq::server {

namespace {

// Answers kept at most; all are let go when more arrive (queries with other rounds).
constexpr std::size_t kKeptAnswers = 256;

}  // namespace

void KeptAnswers::keptOrBuilt(const std::shared_ptr<KeptAnswers>& self, const std::string& what,
                              std::uint64_t version, Done done,
                              const std::function<void(Done)>& build) {
  std::optional<Reply> ready;
  {
    std::lock_guard lock(self->mutex_);
    const auto it = self->kept_.find(what);
    if (it != self->kept_.end() && it->second.version == version) {
      ready = it->second.reply;
    } else {
      std::vector<Done>& waiting = self->building_[{what, version}];
      waiting.push_back(std::move(done));
      if (waiting.size() > 1) return;  // the build under way answers it too
    }
  }
  if (ready) return done(std::move(*ready));
  build([self, what, version](Reply reply) {
    std::vector<Done> waiting;
    {
      std::lock_guard lock(self->mutex_);
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
