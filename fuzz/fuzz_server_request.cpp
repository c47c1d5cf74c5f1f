// The venue server's request handling on any bytes: the HTTP parser, the route table, the key
// and desk checks, the JSON bodies and the edit layer behind them, against a table in memory
// (no sockets; the owner's jobs run at once). Every request is answered exactly once with a
// status the server gives, JSON answers are JSON, pages are pages, and a request that is not
// answered 200 leaves the table as it was.
//
// Input: the bytes of one request. The result desk is on; the organiser's key is the one in
// fuzz_server_request.dict, so that the fuzzer reaches the organiser's routes.

#include <cstddef>
#include <cstdint>
#include <memory>

#include <nlohmann/json.hpp>

#include "edit/workspace.h"
#include "fuzz_support.h"
#include "server/executor.h"
#include "server/http_parse.h"
#include "server/hub.h"
#include "server/routes.h"
#include "support/recording_services.h"

namespace {

using toq::fuzz::require;
namespace data = toq::data;
namespace server = toq::server;

constexpr const char* kKey = "0123456789abcdef0123456789abcdef";

// The owner runs each job at once, on the fuzzer's thread.
class InlineOwner : public server::Executor {
 public:
  explicit InlineOwner(toq::edit::Workspace& ws) : ws_(ws) {}
  bool post(server::Job job) override {
    job(ws_);
    return true;
  }

 private:
  toq::edit::Workspace& ws_;
};

// Ten rows: a professional on two boards and eight amateurs; round 1 paired with two results
// and a bye, round 2 half paired; five games.
std::unique_ptr<data::Table> baseTable(data::Register& players) {
  toq::services::RecordingServices quiet;
  auto t = std::make_unique<data::Table>();
  t->numberOfGames = 5;
  auto add = [&](const char* name, int rating, int rows, bool pro) {
    data::Player p;
    p.name = name;
    p.rating = rating;
    p.entries = rows;
    p.professional = pro ? 1 : 0;
    players.AddPlayer(p);
    for (int i = 0; i < rows; ++i) t->AddParticipant(players.at(players.count()).number, quiet);
  };
  add("Pro", 2300, 2, true);
  const char* names[] = {"A", "B", "C", "D", "E", "F", "G", "<b>H&"};
  for (int i = 0; i < 8; ++i) add(names[i], 1300 + 90 * i, 1, false);
  t->setPair(0, 0, 2);
  t->setPair(0, 1, 3);
  t->setPair(0, 4, 5);
  t->setPair(0, 6, 7);
  t->opponent[8][0] = data::kBye;
  t->opponent[9][0] = data::kAbsent;
  t->result[0][0] = data::kWin;
  t->result[2][0] = data::kLoss;
  t->handicap[1][0] = 2;
  t->handicap[3][0] = -2;
  t->side[3][0] = data::kSideFirst;
  t->side[1][0] = data::kSideSecond;
  t->setPair(1, 2, 4);
  return t;
}

bool samePlanes(const data::Table& a, const data::Table& b) {
  return a.participantCount == b.participantCount && a.numberOfGames == b.numberOfGames &&
         a.lockFlag == b.lockFlag && a.opponent == b.opponent && a.side == b.side &&
         a.handicap == b.handicap && a.result == b.result;
}

bool knownStatus(int status) {
  for (int s : {200, 400, 401, 403, 404, 405, 409, 413, 415, 429, 431, 500, 503})
    if (status == s) return true;
  return false;
}

struct Fixture {
  toq::edit::Workspace ws;
  std::unique_ptr<data::Table> base;
  InlineOwner owner{ws};
  std::shared_ptr<server::Hub> hub;

  Fixture() {
    base = baseTable(ws.players);
    base->SetTableFile(toq::fuzz::scratchFolder() / "server.tai");
    hub = std::make_shared<server::Hub>(owner, server::Hooks{}, kKey, true);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static Fixture* f = new Fixture;
  f->ws.table = *f->base;
  const server::ParsedRequest parsed =
      server::parseRequest(toq::fuzz::asText(bytes, size), "192.0.2.7");
  if (parsed.refusal) {
    require(knownStatus(parsed.refusal->status), "a refusal with a known status");
    return 0;
  }
  if (!parsed.request) return 0;

  int answers = 0;
  server::Reply reply;
  server::dispatch(*f->hub, *parsed.request, [&](server::Reply r) {
    ++answers;
    reply = std::move(r);
  });
  require(answers == 1, "every request is answered exactly once");
  require(knownStatus(reply.status), "a known status");
  switch (reply.kind) {
    case server::ContentKind::Json:
      require(nlohmann::json::accept(reply.body), "a JSON answer is JSON");
      break;
    case server::ContentKind::Html:
      require(reply.body.rfind("<!DOCTYPE html>", 0) == 0, "a page is a page");
      require(reply.policy.find("script-src 'sha256-") != std::string::npos,
              "a page names its script's hash");
      break;
    case server::ContentKind::EventStream:
      require(reply.body.find("event: version\n") != std::string::npos, "an event stream");
      break;
  }
  // Only a change that was made is answered 200; reading never changes the table.
  if (reply.status != 200 || parsed.request->method != server::Method::Post)
    require(samePlanes(f->ws.table, *f->base), "a request not done leaves the table as it was");
  return 0;
}
