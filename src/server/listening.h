#pragma once
// Taking the port: the address a start listens on, the listening socket's options, the
// open-file limit that bounds how many phones can be served, and the options of a connection
// that stays open for events.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "server/net.h"
#include "server/server.h"

namespace toq::server {

/// Opens, binds and listens with `acceptor` as the options ask: the chosen address, every
/// interface with `lan` (IPv6 with IPv4 mapped, else IPv4), or this computer only. The address
/// taken goes to `where`; none, or the reason (Japanese) when nothing could be taken.
std::optional<std::string> listenOn(tcp::acceptor& acceptor, const Options& options,
                                    std::string& where);

/// Raises this process's limit of open files to the most the system allows; the limit now
/// (0 where the system has no such limit to tell).
std::size_t raiseOpenFileLimit();

/// Keep-alive probes on an event stream's connection, and a limit on how long sent data may
/// stay unacknowledged (where the system has one): a peer that vanished is found within about
/// `within`.
void keepAlive(tcp::socket& socket, std::chrono::seconds within);

}  // namespace toq::server
