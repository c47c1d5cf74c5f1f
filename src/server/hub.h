#pragma once
// What every route shares: the tables' owners (one per section of the venue), the key and its
// wrong-key limit, the result desk switch, the versions and their announcements, and the
// answers already built for the current version. Free of the network library, so that the
// routes can be driven without sockets (the fuzz target, the tests).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "edit/command_door.h"
#include "server/desk_access.h"
#include "server/exchange.h"
#include "server/kept_answers.h"
#include "server/organiser_key.h"
#include "server/request_signature.h"
#include "server/server.h"
#include "server/versions.h"

namespace toq::server {

class RequestServices;

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
  /// The reception's key (server/reception.h); empty while the reception is off. Set before
  /// requests arrive.
  const std::string& receptionKey() const { return receptionKey_; }
  void setReceptionKey(std::string key) { receptionKey_ = std::move(key); }
  /// The sequence numbers of the organiser's signed changes already taken.
  UsedSequences& usedSequences() { return usedSequences_; }
  /// The same for the reception's signed requests.
  UsedSequences& receptionSequences() { return receptionSequences_; }
  /// Who may use the result desk: anyone, or a board's slip.
  DeskAccess& deskAccess() { return deskAccess_; }
  const Hooks& hooks() const { return hooks_; }
  /// The sections served (one per table).
  int sections() const { return static_cast<int>(owners_.size()); }

  /// The versions a request follows: its section's, or the venue's for a path without /t/N/
  /// while several sections are served (server/versions.h).
  int channelOf(const Request& request) const;
  std::uint64_t version(int channel) const { return versions_.of(channel); }
  std::uint64_t versionFor(const Request& request) const { return version(channelOf(request)); }
  Versions& versions() { return versions_; }

  /// What a job on an owner does: reads the event, or may change it (the owner may then run it
  /// before the reading jobs that wait: Executor::postChange).
  enum class Access { Reads, Changes };
  /// Runs `work` on the owner of the 0-based section and hands its reply to `done`; 503 when
  /// the owner takes no work. A job that throws answers 500, and its message goes to the log.
  /// The hub lives until the job has run. A change the job made is announced after `done`.
  void onOwner(int section, std::function<Reply(Hub&, edit::Workspace&)> work, Done done,
               Access access = Access::Reads);
  /// Runs `work` on each section's owner in turn and hands the texts to `done`, in the
  /// sections' order, once all have run (a section whose owner takes no work gives none).
  void onEveryOwner(std::function<std::string(Hub&, edit::Workspace&, int section)> work,
                    std::function<void(std::vector<std::string>)> done);

  /// The host changed a section's table itself: a new version, announced at once.
  void changed(int section = 0);
  /// A pass through the door on a section's owner (inside a job of onOwner): when it changed
  /// anything, the section's version goes up by one, the host hears of it (the step's name,
  /// what changed, the edit layer's messages), and the pages once the job has answered.
  void passed(int section, const edit::Passed& pass, const RequestServices& ui);

  /// The network side's announcement of a new version; set once, before requests arrive.
  void setAnnouncer(std::function<void(const Announcement&)> announce) {
    versions_.setAnnouncer(std::move(announce));
  }

  /// One line for the log, the key masked; from any thread.
  void log(const std::string& line) const;

  /// An answer that is the same for everyone at one version (server/kept_answers.h).
  void keptOrBuilt(const std::string& what, std::uint64_t version, Done done,
                   const std::function<void(Done)>& build) {
    KeptAnswers::keptOrBuilt(kept_, what, version, std::move(done), build);
  }

  /// Pages listening for changes now.
  std::atomic<int> openPages{0};

 private:
  std::vector<Executor*> owners_;
  Hooks hooks_;
  std::string key_;
  std::string receptionKey_;
  std::atomic<bool> resultDesk_;
  Versions versions_;
  WrongKeyLimit wrongKeys_;
  std::shared_ptr<KeptAnswers> kept_ = std::make_shared<KeptAnswers>();
  UsedSequences usedSequences_;
  UsedSequences receptionSequences_;
  DeskAccess deskAccess_;
};

}  // namespace toq::server
