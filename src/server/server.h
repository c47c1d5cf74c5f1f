#pragma once
// The venue server: players' phones read the pairings and standings, a projector shows them,
// and the organiser (or the result desk) enters results and pairs the next round, over HTTP on
// the venue's network. A host (toq-cli serve, the window) owns the table and hands the server
// an Executor; the server's network thread never touches the table.
//
//   QueueExecutor owner(workspace);          // or the window's executor on its GUI thread
//   Server server(owner, hooks);
//   std::string error;
//   if (!server.start(options, &error)) ...  // error is Japanese, for the user
//   show(server.publicUrl(), server.organiserUrl());
//   ... server.notifyChanged() after every change the host made itself ...
//   server.stop();

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/changes.h"
#include "server/executor.h"

namespace toq::server {

/// The port a start uses unless told otherwise.
inline constexpr unsigned short kDefaultPort = 8080;

/// How the server is started.
struct Options {
  /// Every interface of the machine ("会場のネットワーク") instead of this computer only.
  bool lan = false;
  /// An address to bind instead (tests, or a chosen interface); empty: 127.0.0.1, or every
  /// interface with `lan`.
  std::string bindAddress;
  /// 0: a free port that the system chooses; port() tells which.
  unsigned short port = kDefaultPort;
  /// The result desk (/desk, POST /api/desk/results), off unless asked for.
  bool resultDesk = false;
  /// The desk takes results from anyone, without a slip's code (events without slips).
  bool openDesk = false;
  /// Each section's desk secret (raw bytes, desk_secret.h), from which its slips' codes are
  /// derived; a section without one gets a random one for this start.
  std::vector<std::string> deskSecrets;
  /// The organiser's key; empty: a new one from the system's secure random source.
  std::string key;
  /// The reception at the door (/reception and its API), with a key of its own.
  bool reception = false;
  /// The reception's key; empty: a new one, as for the organiser's.
  std::string receptionKey;
};

/// What the server tells its host. Each may be empty.
struct Hooks {
  /// A section's table changed from outside its host: a request made a change, or a file
  /// another program changed was read again (the files are looked at every second while
  /// serving; a look that found a file it could not read tells it too). Runs on that
  /// section's owner's thread, once per change, before the pages hear of it: the window
  /// shows it as any change of its own table, and says the label in its status bar.
  std::function<void(const NetworkChange&)> changedFromNetwork;
  /// The number of open pages changed; runs on the network thread.
  std::function<void(int openPages)> openPagesChanged;
  /// One line per answered request (time, address, method, path, status, bytes,
  /// milliseconds); never holds the key. Runs on the network thread.
  std::function<void(std::string_view line)> accessLog;
};

class Server {
 public:
  /// `owner` must outlive the server and every job it was given.
  explicit Server(Executor& owner, Hooks hooks = {});
  /// Several sections of one venue (A級, B級...), one table each, served under one address:
  /// section n (from 1, in the order given) under /t/n/, the first also at today's paths.
  /// Every owner must outlive the server.
  Server(std::vector<Executor*> owners, Hooks hooks);
  /// Stops (see stop()).
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  /// Listens and answers; false with the reason (Japanese) in `error` when it cannot (the port
  /// is taken, no secure random source...). A running server is stopped first.
  bool start(const Options& options, std::string* error = nullptr);

  /// Stops cleanly: no new connection is taken, open pages are closed, and requests in flight
  /// are finished (their jobs run, their answers sent) for up to `grace`; then the network
  /// thread ends. While it waits it lets the owner run posted jobs (Executor::runPosted), so a
  /// host may call it from the owner's own thread. Idempotent.
  void stop(std::chrono::milliseconds grace = std::chrono::seconds(10));

  bool running() const;
  /// The port listened on (the system's choice for port 0); 0 when not running.
  unsigned short port() const;
  /// The organiser's key of this start.
  std::string key() const;
  /// Addresses at which the server can be reached: 127.0.0.1, or with `lan` the machine's own
  /// addresses (loopback last).
  std::vector<std::string> addresses() const;
  /// "http://ADDRESS:PORT/" with the first of addresses().
  std::string publicUrl() const;
  /// "http://ADDRESS:PORT/admin#KEY": the key after '#', which a browser never sends.
  std::string organiserUrl() const;
  /// "http://ADDRESS:PORT/reception#KEY" with the reception's key; empty while it is off.
  std::string receptionUrl() const;
  /// "http://ADDRESS:PORT/display" and "http://ADDRESS:PORT/desk".
  std::string displayUrl() const;
  std::string deskUrl() const;
  /// "http://ADDRESS:PORT/t/N" + `page` for the 0-based section ("/", "/admin#KEY"...).
  std::string sectionUrl(int section, std::string_view page) const;

  /// Pages open now (their browsers listen for changes).
  int openPages() const;
  /// Connections open at once at most, and the open-file limit it was drawn from (0 when the
  /// system tells none), as the last start set them.
  std::size_t connectionLimit() const;
  std::size_t openFileLimit() const;
  /// The sections served.
  int sections() const;

  /// Switches the result desk while running.
  void setResultDesk(bool on);
  bool resultDesk() const;
  /// Switches between the desk open to anyone and the desk that needs a slip's code.
  void setOpenDesk(bool open);
  bool openDesk() const;
  /// A new desk secret for the 0-based section: the slips printed before open nothing.
  void setDeskSecret(int section, std::string secret);

  /// The host changed a section's table itself (0-based; the first by default): its pages
  /// show the change within a second. Safe from any thread.
  void notifyChanged(int section = 0);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

/// The machine's own IP addresses (IPv4 first, loopback and link-local IPv6 left out), for the
/// URLs a LAN start prints.
std::vector<std::string> machineAddresses();

/// "/t/N" for the 0-based section, as the paths of a venue of several sections begin.
std::string sectionPrefix(int section);

/// "http://ADDRESS:PORT" with an IPv6 address in brackets.
std::string baseUrl(std::string_view address, unsigned short port);

}  // namespace toq::server
