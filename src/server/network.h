#pragma once
// The server's network side: the io_context and its thread, the listening socket, the open
// connections, and what each address holds of them. Everything here but the atomics is used
// on the network thread only.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "server/access_log.h"
#include "server/connection.h"
#include "server/hub.h"
#include "server/net.h"

namespace toq::server {

struct Network : std::enable_shared_from_this<Network> {
  /// What one address holds now.
  struct Held {
    int connections = 0;
    int listeners = 0;
  };

  net::io_context ioc{1};
  /// Keeps the network thread running while no connection is open; let go by stop().
  std::optional<net::executor_work_guard<net::io_context::executor_type>> work{ioc.get_executor()};
  tcp::acceptor acceptor{ioc};
  /// A failed accept (no file handle left) is tried again after a pause, not at once.
  net::steady_timer acceptPause{ioc};
  /// The files are looked at on this beat while serving (files changed by other programs).
  net::steady_timer fileCheck{ioc};
  std::atomic<bool> checking{false};
  std::shared_ptr<Hub> hub;
  std::map<std::uint64_t, std::shared_ptr<Connection>> connections;
  std::unordered_map<std::string, Held> held;
  std::uint64_t nextId = 1;
  /// Connections and event streams open at once; set at start from the open-file limit.
  std::size_t connectionLimit = 0;
  int listenerLimit = 0;
  int listeners = 0;
  RefusalLog refusals;
  std::atomic<int> inFlight{0};
  std::atomic<bool> stopping{false};
  std::thread thread;

  void accept();
  /// Looks at every section's files now and again after a second.
  void checkFiles();
  void announce(const Announcement& a);
  void announceFrom(std::shared_ptr<std::vector<std::weak_ptr<Connection>>> all, std::size_t from,
                    const Announcement& a);
  void remove(std::uint64_t id, const std::string& address);
  /// A place for an event stream of the address; false when it or the server holds its most.
  bool takeListener(const std::string& address);
  void dropListener(const std::string& address);
  /// The network thread's loop: nothing a request does may end it, and nothing is swallowed
  /// without a line in the log.
  void run();

  void log(const std::string& line) const;
  /// Logs the address's refusal of this kind at most once a minute.
  void logRefusal(const std::string& address, std::string_view kind);
  void pagesChanged() const;
};

/// The organiser's own machine: its connections are never capped.
bool uncapped(const std::string& address);

}  // namespace toq::server
