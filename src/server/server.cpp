#include "server/server.h"

#include <algorithm>
#include <future>

#include "server/address_names.h"
#include "server/desk_codes.h"
#include "server/hub.h"
#include "server/listening.h"
#include "server/network.h"
#include "server/texts.h"

namespace toq::server {

namespace {

/// Connections open at once at most, whatever the open-file limit allows.
constexpr std::size_t kMostConnections = 10000;
/// Files kept for everything else the program opens (the table, its backups, the log).
constexpr std::size_t kFilesKept = 64;

// Each section's desk secret as given, or a random one for this start; false when the random
// source fails.
bool takeDeskSecrets(Hub& hub, const Options& options) {
  hub.deskAccess().setOpen(options.openDesk);
  for (int section = 0; section < hub.sections(); ++section) {
    const auto i = static_cast<std::size_t>(section);
    std::optional<std::string> secret;
    if (i < options.deskSecrets.size() && !options.deskSecrets[i].empty())
      secret = options.deskSecrets[i];
    else
      secret = secureRandomBytes(kDeskSecretBytes);
    if (!secret) return false;
    hub.deskAccess().setSecret(section, std::move(*secret));
  }
  return true;
}

}  // namespace

struct Server::Impl {
  std::vector<Executor*> owners;
  Hooks hooks;
  std::shared_ptr<Network> network;
  std::shared_ptr<Hub> hub;
  Options options;
  unsigned short port = 0;
  std::size_t connectionLimit = 0;
  std::size_t openFileLimit = 0;
};

Server::Server(Executor& owner, Hooks hooks) : Server(std::vector<Executor*>{&owner}, hooks) {}

Server::Server(std::vector<Executor*> owners, Hooks hooks) : impl_(std::make_unique<Impl>()) {
  impl_->owners = std::move(owners);
  impl_->hooks = std::move(hooks);
}

Server::~Server() {
  stop();
}

bool Server::start(const Options& options, std::string* error) {
  stop();
  auto fail = [&](std::string message) {
    if (error) *error = std::move(message);
    return false;
  };
  std::string key = options.key;
  if (key.empty()) {
    std::optional<std::string> made = newKey();
    if (!made) return fail(std::string(texts::kNoRandom));
    key = *made;
  }
  auto network = std::make_shared<Network>();
  auto hub = std::make_shared<Hub>(impl_->owners, impl_->hooks, key, options.resultDesk);
  if (!takeDeskSecrets(*hub, options)) return fail(std::string(texts::kNoRandom));
  network->hub = hub;
  if (options.reception) {
    std::optional<std::string> receptionKey =
        options.receptionKey.empty() ? newKey() : std::optional<std::string>(options.receptionKey);
    if (!receptionKey) return fail(std::string(texts::kNoRandom));
    hub->setReceptionKey(*receptionKey);
  }
  std::weak_ptr<Network> weak = network;
  hub->setAnnouncer([weak](const Announcement& a) {
    if (auto n = weak.lock())
      net::post(n->ioc, [weak, a] {
        if (auto n = weak.lock()) n->announce(a);
      });
  });

  std::string where;
  if (std::optional<std::string> refused = listenOn(network->acceptor, options, where))
    return fail(std::move(*refused));
  beast::error_code ec;
  impl_->port = network->acceptor.local_endpoint(ec).port();
  impl_->options = options;
  impl_->options.key = key;
  if (options.bindAddress.empty() && !options.lan)
    impl_->options.bindAddress = address_names::kLoopback;

  // As many phones as the system lets this process open files for, with some kept back; a
  // quarter of the connections stay free of event streams, so that pages always load.
  impl_->openFileLimit = raiseOpenFileLimit();
  impl_->connectionLimit = impl_->openFileLimit > kFilesKept * 2
                               ? std::min(kMostConnections, impl_->openFileLimit - kFilesKept)
                               : kMostConnections;
  network->connectionLimit = impl_->connectionLimit;
  network->listenerLimit = static_cast<int>(impl_->connectionLimit - impl_->connectionLimit / 4);
  network->accept();
  network->checkFiles();
  network->thread = std::thread([n = network.get()] { n->run(); });
  impl_->network = std::move(network);
  impl_->hub = std::move(hub);
  return true;
}

void Server::stop(std::chrono::milliseconds grace) {
  std::shared_ptr<Network> network = std::move(impl_->network);
  if (!network) return;
  network->stopping = true;
  net::post(network->ioc, [network] {
    beast::error_code ignored;
    network->acceptor.close(ignored);
    network->acceptPause.cancel();
    network->fileCheck.cancel();
    // Copies: closing a connection removes it from the map.
    std::vector<std::shared_ptr<Connection>> all;
    for (auto& [id, c] : network->connections) all.push_back(c);
    for (auto& c : all) c->stopIdle();
  });
  // The requests in flight finish: their jobs run (here, when this is the owner's thread) and
  // their answers are written.
  const auto deadline = std::chrono::steady_clock::now() + grace;
  while (network->inFlight.load() > 0 && std::chrono::steady_clock::now() < deadline) {
    for (Executor* owner : impl_->owners) owner->runPosted();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::promise<void> closed;
  net::post(network->ioc, [network, &closed] {
    std::vector<std::shared_ptr<Connection>> all;
    for (auto& [id, c] : network->connections) all.push_back(c);
    for (auto& c : all) c->close();
    network->connections.clear();
    closed.set_value();
  });
  network->work.reset();
  closed.get_future().wait_for(std::chrono::seconds(5));
  network->ioc.stop();
  if (network->thread.joinable()) network->thread.join();
  // The handlers left behind hold the closed connections; running them lets them go.
  network->ioc.restart();
  network->ioc.poll();
  impl_->hub.reset();
  impl_->port = 0;
}

bool Server::running() const {
  return impl_->network != nullptr;
}

unsigned short Server::port() const {
  return impl_->port;
}

std::string Server::key() const {
  return impl_->hub ? impl_->hub->key() : std::string();
}

std::vector<std::string> Server::addresses() const {
  namespace a = address_names;
  const Options& o = impl_->options;
  const bool everywhere = o.lan || o.bindAddress == a::kEveryV4 || o.bindAddress == a::kEveryV6;
  if (!everywhere) return {o.bindAddress.empty() ? std::string(a::kLoopback) : o.bindAddress};
  std::vector<std::string> all = machineAddresses();
  all.emplace_back(a::kLoopback);
  return all;
}

std::string Server::publicUrl() const {
  return baseUrl(addresses().front(), port()) + "/";
}

std::string Server::organiserUrl() const {
  return baseUrl(addresses().front(), port()) + "/admin#" + key();
}

std::string Server::receptionUrl() const {
  if (!impl_->hub || impl_->hub->receptionKey().empty()) return {};
  // After '#': the key never reaches the server in the address, nor its log.
  return baseUrl(addresses().front(), port()) + "/reception#" + impl_->hub->receptionKey();
}

std::string Server::displayUrl() const {
  return baseUrl(addresses().front(), port()) + "/display";
}

std::string Server::deskUrl() const {
  return baseUrl(addresses().front(), port()) + "/desk";
}

std::string Server::sectionUrl(int section, std::string_view page) const {
  return baseUrl(addresses().front(), port()) + sectionPrefix(section) + std::string(page);
}

int Server::openPages() const {
  return impl_->hub ? impl_->hub->openPages.load() : 0;
}

std::size_t Server::connectionLimit() const {
  return impl_->connectionLimit;
}

std::size_t Server::openFileLimit() const {
  return impl_->openFileLimit;
}

int Server::sections() const {
  return static_cast<int>(impl_->owners.size());
}

void Server::setResultDesk(bool on) {
  impl_->options.resultDesk = on;
  if (impl_->hub) {
    impl_->hub->setResultDesk(on);
    // The public pages link the desk only while it is on.
    for (int s = 0; s < impl_->hub->sections(); ++s) impl_->hub->changed(s);
  }
}

void Server::setOpenDesk(bool open) {
  impl_->options.openDesk = open;
  if (impl_->hub) {
    impl_->hub->deskAccess().setOpen(open);
    impl_->hub->changed();
  }
}

bool Server::openDesk() const {
  return impl_->options.openDesk;
}

void Server::setDeskSecret(int section, std::string secret) {
  if (section < 0) return;
  if (impl_->options.deskSecrets.size() <= static_cast<std::size_t>(section))
    impl_->options.deskSecrets.resize(static_cast<std::size_t>(section) + 1);
  impl_->options.deskSecrets[static_cast<std::size_t>(section)] = secret;
  if (impl_->hub) impl_->hub->deskAccess().setSecret(section, std::move(secret));
}

bool Server::resultDesk() const {
  return impl_->hub ? impl_->hub->resultDesk() : impl_->options.resultDesk;
}

void Server::notifyChanged(int section) {
  if (impl_->hub && section >= 0 && section < impl_->hub->sections()) impl_->hub->changed(section);
}

std::string sectionPrefix(int section) {
  return "/t/" + std::to_string(section + 1);
}

std::string baseUrl(std::string_view address, unsigned short port) {
  const bool v6 = address.find(':') != std::string_view::npos;
  return "http://" + (v6 ? "[" + std::string(address) + "]" : std::string(address)) + ":" +
         std::to_string(port);
}

}  // namespace toq::server
