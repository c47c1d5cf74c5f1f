// The venue at full size and under attack: one address cannot lock others out, a file changed
// by another program is announced, several sections are served under one address, the key
// never reaches the log, and the HTTP details (HEAD, Host, fields named twice).
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

#include "edit/file_freshness.h"
#include "server/access_log.h"
#include "server/child_process.h"
#include "server/connection.h"
#include "server/hub.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;
using testing::EventStream;
using testing::HttpAnswer;
using testing::kTestKey;
using testing::requestBytes;
using testing::sendRequest;

class Venue : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (int i = 0; i < 6; ++i) add("P" + std::to_string(i), 1500 + 10 * i);
    play(0, 0, 1);
    play(0, 2, 3);
    play(0, 4, 5);
  }
};

TEST_F(Venue, OneAddressHoldingEverythingLocksNoOneElseOut) {
  serve();
  // A greedy client: silent connections, half-sent requests and event streams, far more than
  // its share, from one address.
  std::vector<std::unique_ptr<testing::Connection>> held;
  for (int i = 0; i < 40; ++i)
    held.push_back(testing::holdConnection(port_, "127.0.0.2", i % 2 ? "GET / HTTP/1.1\r\n" : ""));
  std::vector<std::unique_ptr<EventStream>> streams;
  for (int i = 0; i < 12; ++i) streams.push_back(std::make_unique<EventStream>(port_, "127.0.0.3"));
  int opened = 0, refused = 0;
  for (auto& s : streams) {
    const int status = s->status(5s);
    opened += status == 200;
    refused += status == 503;
  }
  EXPECT_EQ(opened, server::kListenersPerAddress);
  EXPECT_EQ(refused, 12 - server::kListenersPerAddress);
  // Everyone else still loads pages, and the organiser's own machine is not capped.
  for (const char* from : {"127.0.0.4", "127.0.0.5", "127.0.0.1"})
    for (const char* target : {"/", "/api/pairings", "/display"})
      EXPECT_EQ(sendRequest(port_, requestBytes("GET", target), 5s, from).status, 200)
          << from << target;
  // The held connections, silent or half-sent, are let go when their ten seconds for the
  // request's head have passed.
  const auto start = std::chrono::steady_clock::now();
  for (const auto& c : held) {
    if (!c) continue;
    std::string got;
    while (c->receive(got, start + 15s)) {
    }
    ASSERT_FALSE(c->open());  // the server let it go
    EXPECT_TRUE(got.empty());
  }
  held.clear();
  EXPECT_GE(std::chrono::steady_clock::now() - start, 8s);
  server_->stop();
  // The refusals and the timeouts were logged, once per address and kind, without a key.
  int refusedLines = 0;
  for (const std::string& line : logLines()) {
    refusedLines += line.find("127.0.0.2 refused (address)") != std::string::npos;
    refusedLines += line.find("127.0.0.3 listener refused") != std::string::npos;
    refusedLines += line.find("127.0.0.2 timed out") != std::string::npos;
  }
  EXPECT_EQ(refusedLines, 3);
}

TEST_F(Venue, TheKeyAnywhereInALongPathNeverReachesTheLog) {
  // Every place from 150 to 232, where a cut at 200 characters once went through the key.
  for (std::size_t at = 150; at <= 232; ++at) {
    const std::string path = "/" + std::string(at - 1, 'a') + kTestKey + "/x";
    const std::string logged = server::loggedPath(path, kTestKey);
    for (std::size_t part = 8; part <= kTestKey.size(); part += 4)
      for (std::size_t from = 0; from + part <= kTestKey.size(); from += 4)
        ASSERT_EQ(logged.find(kTestKey.substr(from, part)), std::string::npos) << at << logged;
    // Another key of 32 hexadecimal digits is masked too, and short runs of digits are kept.
    const std::string other = server::loggedPath(path + "/0123456789ABCDEF0123456789abcdef", {});
    EXPECT_EQ(other.find("0123456789ABCDEF"), std::string::npos) << at;
  }
  EXPECT_EQ(server::loggedPath("/api/pairings?round=12", kTestKey), "/api/pairings?round=12");

  serve();
  const std::string target = "/" + std::string(170, 'b') + kTestKey;
  EXPECT_EQ(get(target).status, 404);
  // An unreadable request keeps its whole target in the log line.
  EXPECT_EQ(testing::sendRequest(port_, "GET /" + std::string(180, 'c') + kTestKey +
                                            " HTTP/1.1\r\nHost: 127.0.0.1\r\nBad header\r\n\r\n")
                .status,
            400);
  server_->stop();
  for (const std::string& line : logLines())
    EXPECT_EQ(line.find(kTestKey.substr(0, 8)), std::string::npos) << line;
}

TEST_F(Venue, AFileChangedByAnotherProgramIsAnnouncedWithinTwoSeconds) {
  serve();
  EventStream page(port_);
  ASSERT_EQ(page.versions(1, 5s).size(), 1u);
  // Another program (toq-cli, another window) enters a result into the table file.
  edit::Workspace other;
  ASSERT_EQ(edit::openTable(other, quiet_, tablePath()), 0);
  other.table.result[0][0] = data::kWin;
  other.table.result[1][0] = data::kLoss;
  ASSERT_EQ(data::WriteTableFile(other.table, {}, quiet_), 0);
  const auto written = std::chrono::steady_clock::now();
  const std::vector<unsigned long long> heard = page.versions(2, 3s);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_LT(std::chrono::steady_clock::now() - written, 2s);
  const json p = json::parse(get("/api/pairings").body);
  EXPECT_EQ(p["boards"][0]["players"][0]["result"], "win");
  EXPECT_EQ(json::parse(get("/api/event").body)["version"], heard[1]);
}

TEST_F(Venue, AJobThatThrowsIsAnswered500AndLoggedWithItsMessageButNotTheKey) {
  serve();
  server::Hooks hooks;
  hooks.accessLog = [this](std::string_view line) {
    std::lock_guard lock(logMutex_);
    log_.emplace_back(line);
  };
  auto hub = std::make_shared<server::Hub>(*owner_, hooks, kTestKey, false);
  std::promise<int> status;
  hub->onOwner(
      0,
      [](server::Hub&, edit::Workspace&) -> server::Reply {
        throw std::runtime_error("table gone " + kTestKey);
      },
      [&](server::Reply r) { status.set_value(r.status); });
  ASSERT_EQ(status.get_future().get(), 500);
  const std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("table gone ****"), std::string::npos) << lines[0];

  // The owner itself says what a job that throws past the hub was.
  std::vector<std::string> said;
  std::mutex m;
  owner_->setFailureReport([&](std::string_view line) {
    std::lock_guard lock(m);
    said.emplace_back(line);
  });
  owner_->post([](edit::Workspace&) { throw std::runtime_error("disk"); });
  owner_->call([](edit::Workspace&) {});
  std::lock_guard lock(m);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("disk"), std::string::npos);
}

TEST_F(Venue, HttpDetails) {
  serve();
  const HttpAnswer head = testing::sendRequest(port_, requestBytes("HEAD", "/"));
  const HttpAnswer whole = get("/");
  EXPECT_EQ(head.status, 200);
  EXPECT_TRUE(head.body.empty());
  EXPECT_EQ(head.header("content-length"), std::to_string(whole.body.size()));
  EXPECT_EQ(head.header("content-type"), whole.header("content-type"));
  EXPECT_EQ(testing::sendRequest(port_, requestBytes("HEAD", "/api/pairings")).status, 200);
  const HttpAnswer headPost = testing::sendRequest(port_, requestBytes("HEAD", "/api/pair"));
  EXPECT_EQ(headPost.status, 405);
  EXPECT_EQ(headPost.header("allow"), "POST");
  EXPECT_EQ(testing::sendRequest(port_, requestBytes("PUT", "/")).header("allow"), "GET, HEAD");

  const struct {
    const char* what;
    std::string bytes;
    int status;
  } cases[] = {
      {"HTTP/1.1 without Host", "GET / HTTP/1.1\r\nConnection: close\r\n\r\n", 400},
      {"HTTP/1.0 without Host", "GET / HTTP/1.0\r\n\r\n", 200},
      {"a field named twice",
       requestBytes("POST", "/api/results",
                    {"Content-Type: application/json", "Authorization: Bearer " + kTestKey},
                    R"({"round":1,"row":1,"result":"win","result":"loss"})"),
       400},
      {"the same field in two objects is no repeat",
       requestBytes("POST", "/api/results",
                    {"Content-Type: application/json", "Authorization: Bearer " + kTestKey},
                    R"({"round":1,"row":1,"result":"win"})"),
       200},
      {"a section the venue does not have", requestBytes("GET", "/t/2/"), 404},
      {"section zero", requestBytes("GET", "/t/0/api/event"), 404},
      {"the one section by number", requestBytes("GET", "/t/1/api/event"), 200},
  };
  const std::string before = tableBytes();
  for (const auto& c : cases) {
    const HttpAnswer a = testing::sendRequest(port_, c.bytes);
    EXPECT_EQ(a.status, c.status) << c.what << ": " << a.body;
    if (c.status == 400) {
      EXPECT_TRUE(json::parse(a.body).contains("error")) << c.what;
    }
  }
  EXPECT_NE(tableBytes(), before);  // only the good result changed it
}

// Two tables of the venue served by toq-cli under one address: each section's API answers as
// toq-cli does on that table alone, and a change through a section lands in its own file
// exactly as the same change made by toq-cli.
TEST_F(Venue, SeveralSectionsAreServedEachAsToqCliSeesItsTable) {
  save();
  namespace fs = std::filesystem;
  const fs::path a = tablePath();
  const fs::path b = fs::path(dir_) / "beginners.tai";
  fs::copy_file(a, b);
  fs::copy_file(ws_->playerFile, fs::path(dir_) / "beginners.ply");
  // The toq-cli twin of section 2.
  fs::copy_file(a, fs::path(dir_) / "twin.tai");
  fs::copy_file(ws_->playerFile, fs::path(dir_) / "twin.ply");
  const std::string aBefore = tableBytes();

  testing::CliProcess serve({"serve", "cup.tai", "beginners.tai", "--port", "0"}, dir_);
  ASSERT_TRUE(serve.readUntil("Ctrl+C で終了します。\n", 10s)) << serve.output() << serve.errors();
  const testing::ServedAt at = testing::servedAt(serve.output());
  ASSERT_NE(at.port, 0) << serve.output();
  auto ask = [&](const std::string& method, const std::string& target,
                 const std::string& body = {}) {
    std::vector<std::string> headers;
    if (method == "POST")
      headers = {"Content-Type: application/json", "Authorization: Bearer " + at.key};
    return sendRequest(at.port, requestBytes(method, target, headers, body));
  };
  const json sections = json::parse(ask("GET", "/api/sections").body);
  EXPECT_EQ(sections, json::parse(R"({"sections":[{"n":1,"name":"cup","file":"cup.tai"},)"
                                  R"({"n":2,"name":"beginners","file":"beginners.tai"}]})"));
  EXPECT_EQ(json::parse(ask("GET", "/t/2/api/event").body)["title"], "beginners");
  // A section's own paths need its "/t/N/": without it nothing acts on section 1 unasked.
  for (const char* path : {"/api/pairings", "/admin", "/desk"})
    EXPECT_EQ(ask("GET", path).status, 404) << path;
  EXPECT_EQ(ask("POST", "/api/results", R"({"round":1,"row":1,"result":"win"})").status, 404);
  // The venue's own pages: the list of sections, and the display of both in turn.
  const std::string home = ask("GET", "/").body;
  EXPECT_NE(home.find("href=\"/t/2/\""), std::string::npos);
  const std::string display = ask("GET", "/display").body;
  EXPECT_NE(display.find("id=\"pairings-1\""), std::string::npos);
  EXPECT_NE(display.find("id=\"pairings-2\""), std::string::npos);
  EXPECT_NE(ask("GET", "/t/2/").body.find("data-base=\"/t/2\""), std::string::npos);

  // Section 2 takes round 1's results and pairs round 2; toq-cli does the same on the twin.
  const char* words[] = {"win", "loss", "draw"};
  EXPECT_EQ(ask("POST", "/t/2/api/pair", "").status, 409);  // round 1 is not complete
  for (int board = 0; board < 3; ++board) {
    const std::string row = std::to_string(2 * board + 1);
    ASSERT_EQ(ask("POST", "/t/2/api/results", resultBody(1, 2 * board + 1, words[board])).status,
              200);
    ASSERT_EQ(testing::runCli({"result", "twin.tai", "1", row, words[board]}, dir_), 0);
  }
  ASSERT_EQ(ask("POST", "/t/2/api/pair", "").status, 200);
  ASSERT_EQ(testing::runCli({"pair", "twin.tai"}, dir_), 0);
  EXPECT_EQ(json::parse(ask("GET", "/t/2/api/standings").body)["round"], 1);
  EXPECT_EQ(json::parse(ask("GET", "/t/1/api/standings").body)["round"], nullptr);
  serve.signal(SIGTERM);
  ASSERT_EQ(serve.wait(10s), 0) << serve.errors();
  // The file names its own path on its second line; everything else is the same.
  std::string twin = testing::readFile(fs::path(dir_) / "twin.tai");
  twin.replace(twin.find("twin.tai"), 8, "beginners.tai");
  EXPECT_EQ(testing::readFile(b), twin);
  EXPECT_EQ(tableBytes(), aBefore);
}

}  // namespace
}  // namespace toq
