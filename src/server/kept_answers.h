#pragma once
// Answers that are the same for everyone at one version (a page, a query), so that a crowd of
// phones reading one costs the table's owner one build.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "server/exchange.h"

namespace toq::server {

class KeptAnswers {
 public:
  /// The answer kept for `what` at `version` is handed to `done` at once; a request that
  /// comes while the same answer is being built waits for that build; otherwise `build` runs
  /// and its answer (when 200) is kept. `self` keeps the store alive until the build answers.
  static void keptOrBuilt(const std::shared_ptr<KeptAnswers>& self, const std::string& what,
                          std::uint64_t version, Done done, const std::function<void(Done)>& build);

 private:
  struct Kept {
    std::uint64_t version = 0;
    Reply reply;
  };

  std::mutex mutex_;
  std::map<std::string, Kept> kept_;
  /// The requests waiting for an answer being built, by what and version.
  std::map<std::pair<std::string, std::uint64_t>, std::vector<Done>> building_;
};

}  // namespace toq::server
