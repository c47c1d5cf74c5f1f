// serve: the event on the venue's network until Ctrl+C or SIGTERM; several tables are the
// venue's sections, each under /t/N/.

#include <csignal>
#include <memory>
#include <mutex>
#include <ostream>

#ifndef _WIN32
#include <unistd.h>
#endif
#include <iostream>

#include "cli/affiliation_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/serve_reception.h"
#include "cli/serve_support.h"
#include "cli/serve_texts.h"
#include "cli/terminal_text.h"
#include "edit/event_journal.h"
#include "edit/file_freshness.h"
#include "server/answers.h"
#include "server/desk_secret.h"
#include "server/log_queue.h"
#include "server/queue_executor.h"
#include "server/server.h"
#include "text/format.h"
#include "text/paths.h"

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

// A table of the venue and the thread that owns it while serving.
struct Section {
  std::unique_ptr<edit::Workspace> own;  ///< the second table on; the first is the invocation's
  edit::Workspace* ws = nullptr;
  std::unique_ptr<server::QueueExecutor> owner;
};

void printUrls(std::ostream& out, const server::Server& s, const std::vector<Section>& sections,
               bool lan, bool desk) {
  namespace t = serve_texts;
  if (lan) {
    const std::vector<std::string> all = s.addresses();
    std::string list;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) list += (i ? ", " : "") + all[i];
    out << (list.empty() ? std::string(t::kNoLanAddress)
                         : text::format(t::kAddresses, list.c_str()))
        << '\n';
  }
  out << text::format(t::kLimits, static_cast<unsigned long long>(s.connectionLimit()),
                      static_cast<unsigned long long>(s.openFileLimit()))
      << '\n';
  if (sections.size() == 1) {
    out << text::format(t::kPublic, s.publicUrl().c_str()) << '\n';
    out << text::format(t::kDisplay, s.displayUrl().c_str()) << '\n';
    if (desk) out << text::format(t::kDesk, s.deskUrl().c_str()) << '\n';
    out << t::kOrganiser << '\n' << s.organiserUrl() << '\n';
    std::ostream& raw = unfiltered(out);
    raw << terminalQrCode(s.organiserUrl(), toTerminal(raw));
  } else {
    out << text::format(t::kVenue, s.publicUrl().c_str()) << '\n';
    out << text::format(t::kDisplayAll, s.displayUrl().c_str()) << '\n';
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const int n = static_cast<int>(i);
      const std::string name = server::eventTitle(sections[i].ws->table);
      out << text::format(t::kSection, n + 1, name.c_str(), s.sectionUrl(n, "/").c_str()) << '\n';
      if (desk) out << text::format(t::kDesk, s.sectionUrl(n, "/desk").c_str()) << '\n';
    }
    out << t::kOrganiser << '\n';
    for (std::size_t i = 0; i < sections.size(); ++i)
      out << s.sectionUrl(static_cast<int>(i), "/admin#" + s.key()) << '\n';
  }
  printReceptionUrl(out, s);
  out << t::kRunning << std::endl;
}

// The tables after the first, each with its player file, read and remembered as the first.
int openOthers(Invocation& inv, std::vector<Section>& sections) {
  for (std::size_t i = 1; i < inv.args.size(); ++i) {
    const std::filesystem::path path = inv.pathArg(i);
    for (const Section& s : sections) {
      std::error_code ec;
      if (std::filesystem::equivalent(s.ws->table.filePath, path, ec)) {
        inv.ui.errorBox(text::format(serve_texts::kSameTableTwice, text::pathToUtf8(path).c_str()),
                        services::kErrorCaption);
        return kExitFailure;
      }
    }
    Section s;
    s.own = std::make_unique<edit::Workspace>();
    s.ws = s.own.get();
    if (openTable(inv, path, s.ws) != kExitOk) return kExitFailure;
    sections.push_back(std::move(s));
  }
  return kExitOk;
}

// Each table's desk secret, kept beside the user's settings, so that the slips printed
// before a restart still open the desk.
int takeDeskSecrets(Invocation& inv, const std::vector<Section>& sections,
                    server::Options& options) {
  for (const Section& s : sections) {
    std::string error;
    std::optional<std::string> secret = server::deskSecret(s.ws->table.filePath, false, error);
    if (!secret) {
      inv.ui.errorBox(error, services::kErrorCaption);
      return kExitFailure;
    }
    options.deskSecrets.push_back(std::move(*secret));
  }
  return kExitOk;
}

// The server's options from the command line; false after telling what is wrong.
bool readServeOptions(Invocation& inv, server::Options& options) {
  options.lan = inv.has("--lan");
  // --result-desk: the desk that needs a board's slip; --result-desk=open: open to anyone.
  options.resultDesk = inv.has("--result-desk");
  options.reception = inv.has("--reception");
  if (std::optional<std::string> desk = inv.value("--result-desk")) {
    if (*desk != "open") {
      inv.ui.messageStream() << serve_texts::kBadDesk << '\n';
      return false;
    }
    options.resultDesk = options.openDesk = true;
  }
  if (std::optional<std::string> p = inv.value("--port")) {
    const std::optional<int> port = parseInteger(*p);
    if (!port || *port < 0 || *port > 65535) {
      inv.ui.messageStream() << serve_texts::kBadPort << '\n';
      return false;
    }
    options.port = static_cast<unsigned short>(*port);
  }
  return true;
}

// Every table served, each a section with the options it pairs with; the desk's secrets.
int openSections(Invocation& inv, const pairing::PairingOptions& avoid, server::Options& options,
                 std::vector<Section>& sections) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  sections.resize(1);
  sections[0].ws = &inv.workspace;
  if (int code = openOthers(inv, sections); code != kExitOk) return code;
  // /api/pair of every table pairs with the option.
  for (Section& s : sections) s.ws->options.avoidAffiliationRounds = avoid.avoidAffiliationRounds;
  // Each table's journal is open while it is served: /api/history reads it from the start.
  for (Section& s : sections) edit::attachJournal(*s.ws, inv.ui, journal::Who::cli());
  if (options.resultDesk && !options.openDesk) return takeDeskSecrets(inv, sections, options);
  return kExitOk;
}

// A terminal that went away must not end the server: a write to it fails instead.
void ignoreClosedTerminal() {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace

int serveCommand(Invocation& inv) {
  server::Options options;
  pairing::PairingOptions avoid;
  if (!readServeOptions(inv, options) || !readAvoidAffiliation(inv, avoid)) return inv.usage();
  std::vector<Section> sections;
  if (int code = openSections(inv, avoid, options, sections); code != kExitOk) return code;
  ignoreClosedTerminal();
  // Ctrl+C is caught before any thread starts, so that it always stops the server cleanly.
  StopSignal stop;
  // Each table's owner from here on: a thread of its own; this thread only waits.
  std::mutex printing;
  std::ostream& log = inv.ui.messageStream();
  std::vector<server::Executor*> owners;
  for (Section& s : sections) {
    s.owner = std::make_unique<server::QueueExecutor>(*s.ws);
    s.owner->setFailureReport([&](std::string_view line) {
      std::lock_guard lock(printing);
      log << line << std::endl;
    });
    owners.push_back(s.owner.get());
  }
  auto stopOwners = [&] {
    for (Section& s : sections) s.owner->stop();
  };
  // The network thread never waits for the terminal: its lines go through a queue.
  server::LogQueue accessLog([&](std::string_view line) {
    std::lock_guard lock(printing);
    log << line << std::endl;
  });
  server::Hooks hooks;
  hooks.accessLog = [&](std::string_view line) { accessLog.push(std::string(line)); };
  hooks.changedFromNetwork = [&](const server::NetworkChange& change) {
    std::lock_guard lock(printing);
    // A re-read's own notices are in the access log already.
    if (!change.label.empty()) log << change.label << std::endl;
  };
  server::Server s(owners, hooks);
  std::string error;
  if (!s.start(options, &error)) {
    stopOwners();
    inv.ui.errorBox(error, services::kErrorCaption);
    return kExitFailure;
  }
  {
    std::lock_guard lock(printing);
    printUrls(inv.out, s, sections, options.lan, options.resultDesk);
  }
  stop.wait();
  {
    std::lock_guard lock(printing);
    log << serve_texts::kStopping << std::endl;
  }
  // Requests in flight are answered and their changes written; then the owners end.
  s.stop();
  stopOwners();
  std::lock_guard lock(printing);
  inv.out << serve_texts::kStopped << std::endl;
  return kExitOk;
}

}  // namespace toq::cli
