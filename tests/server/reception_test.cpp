// The reception from the helpers' phones: three helpers at once on loopback, the key that
// grants only the reception, and the page.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <thread>

#include "server/child_process.h"
#include "server/request_signature.h"
#include "server/server_fixture.h"
#include "text/cp932.h"

namespace toq {
namespace {

using nlohmann::json;

const std::string kReceptionKey = "ffeeddccbbaa99887766554433221100";

class Reception : public testing::ServerTest {
 protected:
  // The register of 52 applicants and an empty table, both on disk, served with the reception.
  void serveReception(bool on = true) {
    for (int i = 1; i <= 52; ++i) add(text::sj("申込 " + std::to_string(i)), 1400 + i, 0);
    save();
    ASSERT_EQ(data::WriteTableFile(ws_->table, {}, quiet_, true), 0);
    owner_ = std::make_unique<server::QueueExecutor>(*ws_);
    server::Hooks hooks;
    hooks.changedFromNetwork = [this](const server::NetworkChange&) { ++networkChanges_; };
    server_ = std::make_unique<server::Server>(*owner_, hooks);
    server::Options options;
    options.port = 0;
    options.key = testing::kTestKey;
    options.reception = on;
    options.receptionKey = kReceptionKey;
    std::string error;
    ASSERT_TRUE(server_->start(options, &error)) << error;
    port_ = server_->port();
  }
  testing::HttpAnswer ask(const std::string& method, const std::string& target,
                          const std::string& key, const std::string& body = {},
                          const std::string& from = "127.0.0.1") {
    std::vector<std::string> headers = {"Content-Type: application/json"};
    if (!key.empty()) headers.push_back("Authorization: Bearer " + key);
    return testing::sendRequest(port_, testing::requestBytes(method, target, headers, body),
                                std::chrono::seconds(10), from);
  }
};

TEST_F(Reception, ThreeHelpersAtOnceAddEveryoneOnceAsToqCliWould) {
  serveReception();
  // The files as they were, for the same arrivals made with toq-cli in the same folder (the
  // table file names its own path).
  const std::string tableBefore = testing::readFile(tablePath());
  const std::string playersBefore = testing::readFile(ws_->playerFile);
  // Each player is tapped by two of the three helpers; two helpers register a walk-in each.
  std::atomic<int> added{0}, already{0};
  std::vector<std::thread> helpers;
  for (int h = 0; h < 3; ++h)
    helpers.emplace_back([&, h] {
      const std::string from = "127.0.0." + std::to_string(h + 2);
      for (int n = 1; n <= 52; ++n) {
        if ((n + h) % 3 == 0) continue;
        const auto a =
            ask("POST", "/api/reception/arrivals", kReceptionKey, json{{"player", n}}.dump(), from);
        if (a.status == 200) ++added;
        if (a.status == 409 && a.body.find("すでに受付済みです") != std::string::npos) ++already;
        if (h < 2 && n == 20 + h)
          added += ask("POST", "/api/reception/players", kReceptionKey,
                       json{{"name", "当日 " + std::to_string(h)}, {"rating", 1500}}.dump(), from)
                       .status == 200;
      }
    });
  for (std::thread& t : helpers) t.join();
  stopServer();
  EXPECT_EQ(added, 54);
  EXPECT_EQ(already, 52);
  EXPECT_EQ(networkChanges_, 54);
  const data::Table& t = ws_->table;
  ASSERT_EQ(t.participantCount, 54);
  EXPECT_EQ(std::set<int>(t.participants.begin(), t.participants.begin() + 54).size(), 54u);
  // The same arrivals in the same order with toq-cli.
  const std::string served = testing::readFile(tablePath());
  const std::string servedPlayers = testing::readFile(ws_->playerFile);
  writeFile(tablePath(), tableBefore);
  writeFile(ws_->playerFile, playersBefore);
  for (int row = 0; row < 54; ++row) {
    const int n = t.participants[row];
    if (n > 52) {
      ASSERT_EQ(
          testing::runCli({"register", "cup.ply", text::toUtf8(ws_->players.FindPlayer(n)->name),
                           "--rating", "1500"},
                          dir_),
          0);
    }
    ASSERT_EQ(testing::runCli({"add", "cup.tai", std::to_string(n)}, dir_), 0);
  }
  EXPECT_EQ(served, testing::readFile(tablePath()));
  EXPECT_EQ(servedPlayers, testing::readFile(ws_->playerFile));
}

TEST_F(Reception, TheKeyGrantsTheReceptionAndNothingElse) {
  serveReception();
  const std::string arrival = json{{"player", 1}}.dump();
  const struct {
    std::string method, target, key, body;
    int status;
  } cases[] = {
      {"GET", "/reception", "", "", 200},
      {"GET", "/api/reception/players?q=%E7%94%B3%E8%BE%BC", kReceptionKey, "", 200},
      {"GET", "/api/reception/players", "", "", 401},
      {"GET", "/api/reception/players", testing::kTestKey, "", 401},
      {"POST", "/api/reception/arrivals", "", arrival, 401},
      {"POST", "/api/results", kReceptionKey, R"({"round":1,"row":1,"result":"win"})", 401},
      {"POST", "/api/pair", kReceptionKey, "{}", 401},
      {"POST", "/api/reception/arrivals", kReceptionKey, R"({"player":"1"})", 400},
      {"POST", "/api/reception/arrivals", kReceptionKey, R"({"player":1,"player":2})", 400},
      {"POST", "/api/reception/arrivals", kReceptionKey, arrival, 200},
      {"POST", "/api/reception/arrivals", kReceptionKey, arrival, 409},
      {"POST", "/api/reception/players", kReceptionKey, R"({"name":"申込 1"})", 409},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ask(c.method, c.target, c.key, c.body).status, c.status) << c.method << c.target;
  const json list = json::parse(
      ask("GET", "/api/reception/players?q=%E7%94%B3%E8%BE%BC%201", kReceptionKey).body);
  EXPECT_EQ(list["count"], "受付済み 1人 / 申込 52人");
  // 申込 1 and 申込 10..19: the exact match first, received or not; the others in order.
  EXPECT_EQ(list["players"].size(), 11u);
  EXPECT_EQ(list["players"].front()["player"], 1);
  EXPECT_EQ(list["players"].front()["participant"], true);
  EXPECT_EQ(list["players"].back()["player"], 19);
  const auto page = ask("GET", "/reception", "");
  EXPECT_EQ(page.body.find(kReceptionKey), std::string::npos);
  EXPECT_NE(page.header("content-security-policy").find("'sha256-"), std::string::npos);
  EXPECT_NE(server_->receptionUrl().find("/reception#" + kReceptionKey), std::string::npos);
}

TEST_F(Reception, ThePageSignsItsRequestsAndAReplayIsRefused) {
  serveReception();
  const std::string body = json{{"player", 2}}.dump();
  const auto signedAsk = [&](const std::string& sentBody, const std::string& sequence) {
    const std::string signature =
        server::signatureOf(kReceptionKey, "POST", "/api/reception/arrivals", sequence, body);
    return testing::sendRequest(port_,
                                testing::requestBytes("POST", "/api/reception/arrivals",
                                                      {"Content-Type: application/json",
                                                       "X-TOQ-Sequence: " + sequence,
                                                       "X-TOQ-Signature: " + signature},
                                                      sentBody),
                                std::chrono::seconds(10))
        .status;
  };
  EXPECT_EQ(signedAsk(R"({"player":3})", "7"), 401);  // altered body
  EXPECT_EQ(signedAsk(body, "8"), 200);
  EXPECT_EQ(signedAsk(body, "8"), 401);  // the same request sent again
  stopServer();
  EXPECT_EQ(ws_->table.participantCount, 1);
}

TEST_F(Reception, OffItsPagesDoNotExist) {
  serveReception(false);
  EXPECT_EQ(ask("GET", "/reception", "").status, 404);
  EXPECT_EQ(ask("GET", "/api/reception/players", kReceptionKey).status, 404);
  EXPECT_TRUE(server_->receptionUrl().empty());
}

}  // namespace
}  // namespace toq

namespace toq {
namespace {

// Walk-ins as a hostile guest with the reception key would send them: each refused with its
// message or stored and read back byte for byte after a restart; a number is never wrapped.
TEST_F(Reception, HostileWalkInsAreRefusedOrStoredAsTyped) {
  serveReception();
  struct Case {
    json body;
    int status;
    std::string message;  // part of the refusal
  };
  const std::vector<Case> cases = {
      {json{{"name", std::string("A\0B", 3)}}, 409, "制御文字（U+0000）"},
      {json{{"name", "\x1b]0;pwned\x07"}}, 409, "制御文字（U+001B）"},
      {json{{"name", "c1\xc2\x9b"}}, 409, "制御文字（U+009B）"},
      {json{{"name", "改行\nあり"}}, 409, "改行"},
      {json{{"name", std::string(256, 'x')}}, 409, "255バイト"},
      {json{{"name", "<a href=http://10.9.9.9/>罠</a>"}}, 200, ""},
      {json{{"name", "当日 一"}, {"rating", 18446744073709551615ull}}, 400, "rating"},
      {json{{"name", "当日 二"}, {"rating", "２級"}}, 400, "「２級」が数ではありません"},
      {json{{"name", "当日 三"}, {"rating", "1500点"}}, 400, "「1500点」が数ではありません"},
      {json{{"name", "当日 四"}, {"rating", "１５００"}}, 200, ""},
      {json{{"name", "当日 五"}, {"rating", 123456}}, 400, "rating"},
  };
  for (const Case& c : cases) {
    const auto a = ask("POST", "/api/reception/players", kReceptionKey, c.body.dump());
    EXPECT_EQ(a.status, c.status) << c.body.dump() << ' ' << a.body;
    EXPECT_NE(a.body.find(c.message), std::string::npos) << a.body;
  }
  stopServer();
  data::Register back;
  ASSERT_EQ(data::LoadPlayerFile(back, ws_->playerFile), 0);
  EXPECT_EQ(back, ws_->players);
  ASSERT_EQ(back.count(), 54);
  EXPECT_EQ(text::toUtf8(back.at(53).name), "<a href=http://10.9.9.9/>罠</a>");
  EXPECT_EQ(back.at(54).rating, 1500);
}

// A player file broken while the event is served: changes are refused with 503 and the
// message, the last good state is still served, and the file is not written over.
TEST_F(Reception, AFileBrokenWhileServingRefusesChangesAndKeepsServing) {
  serveReception();
  std::string bytes = testing::readFile(ws_->playerFile);
  bytes.insert(bytes.find("0010,") + 12, std::string(1, '\0'));
  std::ofstream(ws_->playerFile, std::ios::binary) << bytes;
  const auto change =
      ask("POST", "/api/reception/arrivals", kReceptionKey, json{{"player", 3}}.dump());
  EXPECT_EQ(change.status, 503) << change.body;
  EXPECT_NE(change.body.find("12行目: NUL文字（U+0000）があります"), std::string::npos)
      << change.body;
  const auto list = ask("GET", "/api/reception/players?q=", kReceptionKey);
  EXPECT_EQ(list.status, 200);
  EXPECT_NE(list.body.find("申込 52"), std::string::npos);
  stopServer();
  EXPECT_EQ(testing::readFile(ws_->playerFile), bytes);
}

}  // namespace
}  // namespace toq
