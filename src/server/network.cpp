#include "server/network.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "server/address_names.h"
#include "server/changes.h"
#include "server/texts.h"

namespace toq::server {

namespace {

/// The files are looked at this often while serving.
constexpr auto kFileCheckEvery = std::chrono::seconds(1);

// An IPv4 peer on a dual-stack socket shows as its IPv4 address.
std::string peerAddress(const tcp::socket& socket) {
  beast::error_code ec;
  net::ip::address a = socket.remote_endpoint(ec).address();
  if (ec) return "?";
  if (a.is_v6() && a.to_v6().is_v4_mapped())
    a = net::ip::make_address_v4(net::ip::v4_mapped, a.to_v6());
  return a.to_string();
}

}  // namespace

bool uncapped(const std::string& address) {
  return address == address_names::kLoopback || address == address_names::kLoopbackV6;
}

void Network::log(const std::string& line) const {
  hub->log(line);
}

void Network::logRefusal(const std::string& address, std::string_view kind) {
  const std::string line = refusals.note(address, kind);
  if (!line.empty()) log(line);
}

void Network::pagesChanged() const {
  if (hub->hooks().openPagesChanged) hub->hooks().openPagesChanged(hub->openPages.load());
}

void Network::run() {
  for (;;) {
    try {
      ioc.run();
      return;
    } catch (const std::exception& e) {
      log(localTime() + " " + std::string(texts::kNetworkFailed) + e.what());
    } catch (...) {
      log(localTime() + " " + std::string(texts::kNetworkFailed) + "?");
    }
  }
}

void Network::accept() {
  acceptor.async_accept(
      net::make_strand(ioc), [self = shared_from_this()](beast::error_code ec, tcp::socket socket) {
        if (ec == net::error::operation_aborted || !self->acceptor.is_open() || self->stopping)
          return;
        if (ec) {
          // Out of file handles, most likely: said once a minute, tried again after a pause.
          self->logRefusal("-", "accept failed: " + ec.message());
          self->acceptPause.expires_after(std::chrono::milliseconds(100));
          self->acceptPause.async_wait([self](beast::error_code waited) {
            if (!waited && self->acceptor.is_open()) self->accept();
          });
          return;
        }
        const std::string address = peerAddress(socket);
        Held& h = self->held[address];
        const bool addressFull = !uncapped(address) && h.connections >= kConnectionsPerAddress;
        if (addressFull || self->connections.size() >= self->connectionLimit) {
          self->logRefusal(address, addressFull ? "refused (address)" : "refused (server)");
          if (h.connections == 0 && h.listeners == 0) self->held.erase(address);
          beast::error_code ignored;
          socket.close(ignored);
        } else {
          ++h.connections;
          const std::uint64_t id = self->nextId++;
          auto c = std::make_shared<Connection>(std::move(socket), self, id, address);
          self->connections.emplace(id, c);
          c->start();
        }
        self->accept();
      });
}

void Network::checkFiles() {
  fileCheck.expires_after(kFileCheckEvery);
  fileCheck.async_wait([self = shared_from_this()](beast::error_code ec) {
    if (ec || self->stopping) return;
    // A round of looks is posted only when the last has run: a busy owner is not flooded.
    if (!self->checking.exchange(true)) {
      auto left = std::make_shared<std::atomic<int>>(self->hub->sections());
      std::weak_ptr<Network> weak = self;
      for (int s = 0; s < self->hub->sections(); ++s)
        self->hub->onOwner(
            s,
            [s](Hub& hub, edit::Workspace& ws) {
              lookAtFiles(hub, s, ws);
              return Reply{};
            },
            [weak, left](Reply) {
              if (--*left == 0)
                if (auto n = weak.lock()) n->checking = false;
            });
    }
    self->checkFiles();
  });
}

void Network::announce(const Announcement& a) {
  // A thousand streams are told a hundred at a time, so that answers to requests (the
  // organiser's result among them) are written in between.
  auto all = std::make_shared<std::vector<std::weak_ptr<Connection>>>();
  all->reserve(connections.size());
  for (auto& [id, c] : connections) all->push_back(c);
  announceFrom(all, 0, a);
}

void Network::announceFrom(std::shared_ptr<std::vector<std::weak_ptr<Connection>>> all,
                           std::size_t from, const Announcement& a) {
  constexpr std::size_t kAtOnce = 100;
  const std::size_t end = std::min(all->size(), from + kAtOnce);
  for (std::size_t i = from; i < end; ++i)
    if (auto c = (*all)[i].lock()) c->announce(a);
  if (end < all->size())
    net::post(ioc, [self = shared_from_this(), all, end, a] { self->announceFrom(all, end, a); });
}

void Network::remove(std::uint64_t id, const std::string& address) {
  if (connections.erase(id) == 0) return;
  const auto it = held.find(address);
  if (it == held.end()) return;
  if (--it->second.connections <= 0 && it->second.listeners <= 0) held.erase(it);
}

bool Network::takeListener(const std::string& address) {
  Held& h = held[address];
  if (listeners >= listenerLimit || (!uncapped(address) && h.listeners >= kListenersPerAddress))
    return false;
  ++h.listeners;
  ++listeners;
  return true;
}

void Network::dropListener(const std::string& address) {
  --listeners;
  const auto it = held.find(address);
  if (it != held.end()) --it->second.listeners;
}

}  // namespace toq::server
