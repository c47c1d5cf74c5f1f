#pragma once
// What every route shares: the table's owner, the key and its wrong-key limit, the result
// desk switch, the event's version and the announcement of a new one. Free of the network
// library, so that the routes can be driven without sockets (the fuzz target, the tests).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "server/exchange.h"
#include "server/organiser_key.h"
#include "server/server.h"

namespace toq::server {

class Hub : public std::enable_shared_from_this<Hub> {
 public:
  Hub(Executor& owner, Hooks hooks, std::string key, bool resultDesk);

  const std::string& key() const { return key_; }
  bool resultDesk() const { return resultDesk_.load(); }
  void setResultDesk(bool on) { resultDesk_.store(on); }
  WrongKeyLimit& wrongKeys() { return wrongKeys_; }
  const Hooks& hooks() const { return hooks_; }

  /// The event's version: it changes with every change of the event.
  std::uint64_t version() const { return version_.load(); }

  /// Runs `work` on the table's owner and hands its reply to `done`; 503 when the owner takes
  /// no work. A job that throws answers 500. The hub lives until the job has run.
  void onOwner(std::function<Reply(Hub&, edit::Workspace&)> work, Done done);

  /// The host changed the table: a new version, announced to every open page.
  void changed();
  /// A change from the network was made (on the owner's thread): a new version, the host's
  /// hook, the announcement.
  void changedFromNetwork(const NetworkChange& change);

  /// The network side's announcement of a new version; set once, before requests arrive.
  void setAnnouncer(std::function<void(std::uint64_t)> announce) {
    announce_ = std::move(announce);
  }

  /// Pages listening for changes now.
  std::atomic<int> openPages{0};

 private:
  Executor& owner_;
  Hooks hooks_;
  std::string key_;
  std::atomic<bool> resultDesk_;
  std::atomic<std::uint64_t> version_{1};
  WrongKeyLimit wrongKeys_;
  std::function<void(std::uint64_t)> announce_;
};

}  // namespace toq::server
