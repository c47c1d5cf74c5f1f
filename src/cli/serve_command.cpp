// serve: the event on the venue's network until Ctrl+C or SIGTERM.

#include <mutex>
#include <ostream>

#ifndef _WIN32
#include <unistd.h>
#endif
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/serve_support.h"
#include "cli/serve_texts.h"
#include "server/queue_executor.h"
#include "server/server.h"
#include "text/format.h"

namespace toq::cli {

namespace {

// The QR code's colours only where stdout is this program's own terminal.
bool toTerminal(const std::ostream& out) {
#ifdef _WIN32
  (void)out;
  return false;
#else
  return &out == &std::cout && ::isatty(STDOUT_FILENO) == 1;
#endif
}

void printUrls(std::ostream& out, const server::Server& s, bool lan, bool desk) {
  namespace t = serve_texts;
  if (lan) {
    const std::vector<std::string> all = s.addresses();
    std::string list;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) list += (i ? ", " : "") + all[i];
    out << (list.empty() ? std::string(t::kNoLanAddress)
                         : text::format(t::kAddresses, list.c_str()))
        << '\n';
  }
  out << text::format(t::kPublic, s.publicUrl().c_str()) << '\n';
  out << text::format(t::kDisplay, s.displayUrl().c_str()) << '\n';
  if (desk) out << text::format(t::kDesk, s.deskUrl().c_str()) << '\n';
  out << t::kOrganiser << '\n' << s.organiserUrl() << '\n';
  out << terminalQrCode(s.organiserUrl(), toTerminal(out));
  out << t::kRunning << std::endl;
}

}  // namespace

int serveCommand(Invocation& inv) {
  server::Options options;
  options.lan = inv.has("--lan");
  options.resultDesk = inv.has("--result-desk");
  if (std::optional<std::string> p = inv.value("--port")) {
    const std::optional<int> port = parseInteger(*p);
    if (!port || *port < 0 || *port > 65535) {
      inv.ui.messageStream() << serve_texts::kBadPort << '\n';
      return inv.usage();
    }
    options.port = static_cast<unsigned short>(*port);
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;

  // Ctrl+C is caught before any thread starts, so that it always stops the server cleanly.
  StopSignal stop;
  // The table's owner from here on: a thread of its own; this thread only waits.
  server::QueueExecutor owner(inv.workspace);
  std::mutex printing;
  std::ostream& log = inv.ui.messageStream();
  server::Hooks hooks;
  hooks.accessLog = [&](std::string_view line) {
    std::lock_guard lock(printing);
    log << line << std::endl;
  };
  hooks.changedFromNetwork = [&](const server::NetworkChange& change) {
    std::lock_guard lock(printing);
    log << change.label << std::endl;
  };
  server::Server s(owner, hooks);
  std::string error;
  if (!s.start(options, &error)) {
    owner.stop();
    inv.ui.errorBox(error, services::kErrorCaption);
    return kExitFailure;
  }
  {
    std::lock_guard lock(printing);
    printUrls(inv.out, s, options.lan, options.resultDesk);
  }
  stop.wait();
  {
    std::lock_guard lock(printing);
    log << serve_texts::kStopping << std::endl;
  }
  // Requests in flight are answered and their changes written; then the owner ends.
  s.stop();
  owner.stop();
  std::lock_guard lock(printing);
  inv.out << serve_texts::kStopped << std::endl;
  return kExitOk;
}

}  // namespace toq::cli
