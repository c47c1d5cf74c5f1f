// Faults a probe on loopback found: a stalled log reader, doubtful framing, a stream opened by
// HEAD, the key in a path in pieces or percent-encoded, IPv6 clients that change address.
#include <condition_variable>

#include "server/client_groups.h"
#include "server/hub.h"
#include "server/log_queue.h"
#include "server/routes.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

using namespace std::chrono_literals;
using testing::HttpAnswer;

TEST(LogQueue, AStalledReaderNeverHoldsUpTheLinesAndHearsWhatWasDropped) {
  std::mutex m;
  std::condition_variable cv;
  bool go = false;
  std::vector<std::string> written;
  {
    server::LogQueue queue([&](std::string_view line) {
      std::unique_lock lock(m);
      cv.wait(lock, [&] { return go; });
      written.emplace_back(line);
    });
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10000; ++i) queue.push("line " + std::to_string(i));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    const unsigned long long dropped = queue.dropped();
    EXPECT_GE(dropped, 10000u - server::LogQueue::kCapacity - 1);
    {
      std::lock_guard lock(m);
      go = true;
    }
    cv.notify_all();
  }
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.front(), "line 0");
  EXPECT_NE(written.back().find("行を省きました"), std::string::npos) << written.back();
}

TEST(ClientGroups, IPv6AddressesAreCountedPerSlash64) {
  const struct {
    const char* address;
    const char* counted;
  } cases[] = {{"192.0.2.7", "192.0.2.7"},
               {"2001:db8:1:2:a:b:c:d", "2001:db8:1:2::/64"},
               {"2001:db8:1:2:ffff::1", "2001:db8:1:2::/64"},
               {"::ffff:192.0.2.7", "192.0.2.7"}};
  for (const auto& c : cases) EXPECT_EQ(server::limitedAddress(c.address), c.counted);
}

class Hardening : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (const char* name : {"A", "B"}) add(name);
    play(0, 0, 1);
  }
};

TEST_F(Hardening, DoubtfulFramingIsRefusedAndTheConnectionCloses) {
  serve();
  const std::string smuggled = "GET /api/event HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  const std::string body = "0\r\n\r\n" + smuggled;
  const std::string head = "POST /api/pair HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  for (const std::string& bytes :
       {head + "Transfer-Encoding: chunked, identity\r\n\r\n" + body,
        head + "Transfer-Encoding: xchunked\r\n\r\n" + body,
        "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nHost: evil.example\r\n\r\n" + smuggled}) {
    testing::Connection c(port_, "127.0.0.1");
    ASSERT_TRUE(c.send(bytes));
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (c.receive(got, deadline)) {
    }
    EXPECT_EQ(got.rfind("HTTP/1.1 400", 0), 0u) << got;
    // One answer only: the bytes after the head never run as a request of their own.
    EXPECT_EQ(got.find("HTTP/1.1", 1), std::string::npos) << got;
  }
  EXPECT_EQ(ws_->table.LastPairedRound(), 0);
}

TEST_F(Hardening, HeadOfTheChangeEventsAnswersTheHeadOnly) {
  serve();
  testing::Connection c(port_, "127.0.0.1");
  ASSERT_TRUE(c.send(testing::requestBytes("HEAD", "/api/changes")));
  std::string got;
  ASSERT_TRUE(c.receive(got, std::chrono::steady_clock::now() + 5s));
  EXPECT_EQ(got.rfind("HTTP/1.1 200", 0), 0u) << got;
  EXPECT_EQ(got.substr(got.find("\r\n\r\n") + 4), "");
  EXPECT_EQ(server_->openPages(), 0);
}

TEST_F(Hardening, TheKeyInPiecesOrPercentEncodedNeverReachesTheLog) {
  serve();
  const std::string& k = testing::kTestKey;
  std::string encoded;
  for (char c : k)
    encoded += std::string(c < 'a' ? "%3" : "%6") + static_cast<char>(c < 'a' ? c : c - 'a' + '1');
  for (const std::string& path :
       {"/" + k.substr(0, 16) + "/" + k.substr(16), "/x/" + encoded, "/admin?key=" + encoded})
    get(path);
  server_->stop();
  for (const std::string& line : logLines())
    for (std::size_t i = 0; i + 8 <= k.size(); i += 8)
      EXPECT_EQ(line.find(k.substr(i, 8)), std::string::npos) << line;
}

}  // namespace
}  // namespace toq

namespace toq {
namespace {

// Runs each job at once on the caller's thread and counts them.
class CountingOwner : public server::Executor {
 public:
  explicit CountingOwner(edit::Workspace& ws) : ws_(ws) {}
  bool post(server::Job job) override {
    ++jobs;
    job(ws_);
    return true;
  }
  int jobs = 0;

 private:
  edit::Workspace& ws_;
};

TEST(KeptPages, APagesQueryCostsNoBuildOfItsOwn) {
  edit::Workspace ws;
  CountingOwner owner(ws);
  auto hub = std::make_shared<server::Hub>(owner, server::Hooks{}, testing::kTestKey, false);
  for (int i = 0; i < 20; ++i) {
    server::Request r;
    r.method = server::Method::Get;
    r.path = "/";
    r.query = std::to_string(i);
    r.host = "127.0.0.1";
    r.hasHost = true;
    int status = 0;
    server::dispatch(*hub, r, [&](server::Reply reply) { status = reply.status; });
    EXPECT_EQ(status, 200);
  }
  EXPECT_EQ(owner.jobs, 1);
}

}  // namespace
}  // namespace toq

#ifdef TOQ_CLI_PATH
#include <signal.h>

#include <cstdlib>
#include <thread>

#include "server/child_process.h"

namespace toq {
namespace {

class ClosedTerminal : public testing::ServerTest {};

TEST_F(ClosedTerminal, ALogWithNoReaderNeverEndsTheServer) {
  add("A");
  add("B");
  save();
  // toq-cli's standard error is a pipe whose reader ends at once: every log line meets it.
  const std::string command = "cd '" + dir_ +
                              "' && ((" TOQ_CLI_PATH
                              " serve cup.tai --port 0 2>&1 >serve.out & echo $! >serve.pid; "
                              "wait) | true) &";
  ASSERT_EQ(std::system(command.c_str()), 0);
  testing::ServedAt at;
  for (int i = 0; i < 100 && !at.port; ++i) {
    std::this_thread::sleep_for(100ms);
    at = testing::servedAt(testing::readFile(std::filesystem::path(dir_) / "serve.out"));
  }
  ASSERT_NE(at.port, 0);
  const pid_t pid = std::stoi(testing::readFile(std::filesystem::path(dir_) / "serve.pid"));
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(testing::sendRequest(at.port, testing::requestBytes("GET", "/api/event")).status, 200)
        << i;
  ::kill(pid, SIGTERM);
  for (int i = 0; i < 100 && ::kill(pid, 0) == 0; ++i) std::this_thread::sleep_for(100ms);
}

}  // namespace
}  // namespace toq
#endif
