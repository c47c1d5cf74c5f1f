#pragma once
// What every route shares: the tables' owners (one per section of the venue), the key and its
// wrong-key limit, the result desk switch, the venue's version and the announcement of a new
// one, and the answers already built for the current version. Free of the network library, so
// that the routes can be driven without sockets (the fuzz target, the tests).

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "server/desk_access.h"
#include "server/exchange.h"
#include "server/organiser_key.h"
#include "server/request_signature.h"
#include "server/server.h"

namespace toq::server {

class Hub : public std::enable_shared_from_this<Hub> {
 public:
  /// `owners`: one per section, in the order given (at least one).
  Hub(std::vector<Executor*> owners, Hooks hooks, std::string key, bool resultDesk);
  /// One section.
  Hub(Executor& owner, Hooks hooks, std::string key, bool resultDesk)
      : Hub(std::vector<Executor*>{&owner}, std::move(hooks), std::move(key), resultDesk) {}

  const std::string& key() const { return key_; }
  bool resultDesk() const { return resultDesk_.load(); }
  void setResultDesk(bool on) { resultDesk_.store(on); }
  WrongKeyLimit& wrongKeys() { return wrongKeys_; }
  /// The sequence numbers of the organiser's signed changes already taken.
  UsedSequences& usedSequences() { return usedSequences_; }
  /// Who may use the result desk: anyone, or a board's slip.
  DeskAccess& deskAccess() { return deskAccess_; }
  const Hooks& hooks() const { return hooks_; }
  /// The sections served (one per table).
  int sections() const { return static_cast<int>(owners_.size()); }

  /// The venue's version: it changes with every change of any section.
  std::uint64_t version() const { return version_.load(); }

  /// Runs `work` on the owner of the 0-based section and hands its reply to `done`; 503 when
  /// the owner takes no work. A job that throws answers 500, and its message goes to the log.
  /// The hub lives until the job has run.
  void onOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done);
  /// The same for a job that changes the event: the owner may run it before the reading jobs
  /// that wait (Executor::postChange).
  void changeOnOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done);
  /// Runs `work` on each section's owner in turn and hands the texts to `done`, in the
  /// sections' order, once all have run (a section whose owner takes no work gives none).
  void onEveryOwner(std::function<std::string(Hub&, edit::Workspace&, int section)> work,
                    std::function<void(std::vector<std::string>)> done);

  /// The host changed a table: a new version, announced to every open page.
  void changed();
  /// A change from the network was made (on the owner's thread, inside a job of onOwner): a
  /// new version, the host's hook, and the announcement once the job has answered.
  void changedFromNetwork(const NetworkChange& change);
  /// Looks at the section's files for a change made by another program (on the owner's
  /// thread); one that was read again is a new version, announced, and told to the host.
  void lookAtFiles(int section, edit::Workspace& ws);

  /// The network side's announcement of a new version; set once, before requests arrive.
  void setAnnouncer(std::function<void(std::uint64_t)> announce) {
    announce_ = std::move(announce);
  }

  /// One line for the log, the key masked; from any thread.
  void log(const std::string& line) const;

  /// An answer that is the same for everyone at one version (`what`: a page, a query), so
  /// that a crowd of phones reading it costs the owner one build: the answer kept for
  /// `version` is handed to `done` at once; a request that comes while the same answer is
  /// being built waits for that build; otherwise `build` runs and its answer is kept.
  void keptOrBuilt(const std::string& what, std::uint64_t version, Done done,
                   const std::function<void(Done)>& build);

  /// Pages listening for changes now.
  std::atomic<int> openPages{0};

 private:
  void post(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done, bool change);

  struct Kept {
    std::uint64_t version = 0;
    Reply reply;
  };

  std::vector<Executor*> owners_;
  Hooks hooks_;
  std::string key_;
  std::atomic<bool> resultDesk_;
  std::atomic<std::uint64_t> version_{1};
  WrongKeyLimit wrongKeys_;
  UsedSequences usedSequences_;
  DeskAccess deskAccess_;
  std::function<void(std::uint64_t)> announce_;
  std::atomic<bool> announcePending_{false};
  std::mutex keptMutex_;
  std::map<std::string, Kept> kept_;
  /// The requests waiting for an answer being built, by what and version.
  std::map<std::pair<std::string, std::uint64_t>, std::vector<Done>> building_;
};

}  // namespace toq::server
