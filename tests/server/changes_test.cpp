// Change events: a page listening on /api/changes hears of every change within a second, from
// the network and from the host; the open pages are counted.
#include <thread>

#include "server/server_fixture.h"

namespace toq {
namespace {

using namespace std::chrono_literals;
using testing::EventStream;

class Changes : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (const char* name : {"A", "B", "C", "D"}) add(name);
    play(0, 0, 1);
    play(0, 2, 3);
  }
  /// Waits (bounded) until the server counts `n` open pages.
  bool openPagesReach(int n) {
    for (int i = 0; i < 200 && server_->openPages() != n; ++i) std::this_thread::sleep_for(10ms);
    return server_->openPages() == n;
  }
};

TEST_F(Changes, AResultReachesAListenerWithinASecond) {
  serve();
  EventStream stream(port_);
  ASSERT_TRUE(stream.ok());
  const auto first = stream.versions(1, 2s);
  ASSERT_EQ(first.size(), 1u);
  ASSERT_TRUE(openPagesReach(1));
  const auto sent = std::chrono::steady_clock::now();
  ASSERT_EQ(post("/api/results", resultBody(1, 1, "win")).status, 200);
  const auto seen = stream.versions(2, 1s);
  const auto took = std::chrono::steady_clock::now() - sent;
  ASSERT_EQ(seen.size(), 2u) << "no change event within a second";
  EXPECT_GT(seen[1], seen[0]);
  EXPECT_LT(took, 1s);
  // The version the event named is the one the API gives.
  EXPECT_EQ(nlohmann::json::parse(get("/api/event").body)["version"], seen[1]);
}

TEST_F(Changes, TheHostsOwnChangeReachesEveryListener) {
  serve();
  EventStream a(port_);
  EventStream b(port_);
  ASSERT_EQ(a.versions(1, 2s).size(), 1u);
  ASSERT_EQ(b.versions(1, 2s).size(), 1u);
  ASSERT_TRUE(openPagesReach(2));
  // As the window does after a change of its own: on the owner's thread, then notify.
  owner_->call([](edit::Workspace& ws) { ws.table.result[0][0] = data::kWin; });
  server_->notifyChanged();
  EXPECT_EQ(a.versions(2, 1s).size(), 2u);
  EXPECT_EQ(b.versions(2, 1s).size(), 2u);
  a.close();
  EXPECT_TRUE(openPagesReach(1));
  b.close();
  EXPECT_TRUE(openPagesReach(0));
}

TEST_F(Changes, ARefusedRequestAnnouncesNothing) {
  ws_->table.lockFlag = 1;
  serve();
  EventStream stream(port_);
  ASSERT_EQ(stream.versions(1, 2s).size(), 1u);
  EXPECT_EQ(post("/api/results", resultBody(1, 1, "win")).status, 409);
  EXPECT_EQ(stream.versions(2, 300ms).size(), 1u);
  EXPECT_EQ(networkChanges_.load(), 0);
}

TEST_F(Changes, StoppingClosesOpenPagesAndEndsPromptly) {
  serve();
  EventStream stream(port_);
  ASSERT_EQ(stream.versions(1, 2s).size(), 1u);
  const auto start = std::chrono::steady_clock::now();
  server_->stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_FALSE(server_->running());
  // The stream has ended: nothing more arrives and the connection is closed.
  stream.versions(2, 500ms);
  EXPECT_FALSE(stream.ok());
}

}  // namespace
}  // namespace toq
