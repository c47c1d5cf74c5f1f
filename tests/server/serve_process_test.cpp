// toq-cli serve as a program: what it prints, a clean stop on SIGTERM with the request in
// flight answered, and a SIGKILL in the middle of a burst of results that leaves the table
// file whole with every acknowledged result in it.
#include <signal.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "edit/pair_command.h"
#include "server/child_process.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;
using testing::CliProcess;
using testing::HttpAnswer;
using testing::requestBytes;
using testing::sendRequest;

const std::string kReady = "Ctrl+C で終了します。\n";

class ServeProcess : public testing::ServerTest {
 protected:
  /// n players of different ratings; with a bye for an odd field.
  void field(int n) {
    for (int i = 0; i < n; ++i) add("P" + std::to_string(i), 1000 + 17 * i);
    if (n % 2) ws_->table.opponent[n - 1][0] = data::kBye;
  }
  HttpAnswer postWithKey(unsigned short port, const std::string& key, const std::string& target,
                         const std::string& body) {
    return sendRequest(
        port,
        requestBytes("POST", target,
                     {"Content-Type: application/json", "Authorization: Bearer " + key}, body));
  }
};

TEST_F(ServeProcess, PrintsTheAddressesAndStopsCleanlyOnSigterm) {
  field(4);
  save();
  CliProcess serve({"serve", "cup.tai", "--port", "0", "--result-desk"}, dir_);
  ASSERT_TRUE(serve.readUntil(kReady, 10s)) << serve.output() << serve.errors();
  const testing::ServedAt at = testing::servedAt(serve.output());
  ASSERT_NE(at.port, 0) << serve.output();
  const std::string base = "http://127.0.0.1:" + std::to_string(at.port);
  EXPECT_NE(serve.output().find("公開ページ: " + base + "/\n"), std::string::npos);
  EXPECT_NE(serve.output().find("掲示用: " + base + "/display\n"), std::string::npos);
  EXPECT_NE(serve.output().find("結果入力（対局者用）: " + base + "/desk\n"), std::string::npos);
  // The organiser's address on a line of its own, then its QR code.
  EXPECT_NE(serve.output().find("\n" + base + "/admin#" + at.key + "\n"), std::string::npos);
  EXPECT_NE(serve.output().find("█"), std::string::npos);

  EXPECT_EQ(sendRequest(at.port, requestBytes("GET", "/api/event")).status, 200);
  // Pairing a round is the request in flight when the signal comes.
  const std::string pair = requestBytes("POST", "/api/pair", {"Authorization: Bearer " + at.key});
  HttpAnswer paired;
  std::thread client([&] { paired = sendRequest(at.port, pair); });
  std::this_thread::sleep_for(20ms);
  serve.signal(SIGTERM);
  client.join();
  EXPECT_EQ(serve.wait(10s), 0) << serve.errors();
  EXPECT_EQ(paired.status, 200) << paired.body;
  EXPECT_NE(serve.output().find("公開を終了しました。\n"), std::string::npos);
  auto t = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*t, tablePath(), quiet_), 0);
  EXPECT_EQ(t->LastPairedRound(), 0);
  // The access log is on standard error, without the key.
  EXPECT_NE(serve.errors().find("\"POST /api/pair\" 200"), std::string::npos) << serve.errors();
  EXPECT_EQ(serve.errors().find(at.key), std::string::npos);

  // A new start has a new key.
  CliProcess again({"serve", "cup.tai", "--port", "0"}, dir_, "again");
  ASSERT_TRUE(again.readUntil(kReady, 10s));
  const testing::ServedAt second = testing::servedAt(again.output());
  EXPECT_EQ(second.key.size(), 32u);
  EXPECT_NE(second.key, at.key);
  EXPECT_EQ(again.output().find("/desk"), std::string::npos);
  again.signal(SIGINT);
  EXPECT_EQ(again.wait(10s), 0);
}

TEST_F(ServeProcess, BadOptionsAndAMissingTableAreRefused) {
  field(2);
  save();
  EXPECT_EQ(testing::runCli({"serve", "cup.tai", "--port", "70000"}, dir_), 2);
  EXPECT_EQ(testing::runCli({"serve", "cup.tai", "--port", "x"}, dir_), 2);
  EXPECT_EQ(testing::runCli({"serve", "none.tai", "--port", "0"}, dir_), 1);
  // A port another server holds.
  serve();
  CliProcess taken({"serve", "cup.tai", "--port", std::to_string(port_)}, dir_, "taken");
  EXPECT_EQ(taken.wait(10s), 1);
  EXPECT_NE(taken.errors().find("127.0.0.1 のポート " + std::to_string(port_) +
                                " で待ち受けできませんでした"),
            std::string::npos)
      << taken.errors();
}

TEST_F(ServeProcess, KilledDuringABurstTheTableIsWholeWithEveryAcknowledgedResult) {
  field(99);
  ASSERT_EQ(edit::pairNextRound(*ws_, quiet_, {}), 0);
  save();
  CliProcess serve({"serve", "cup.tai", "--port", "0"}, dir_);
  ASSERT_TRUE(serve.readUntil(kReady, 10s)) << serve.errors();
  const testing::ServedAt at = testing::servedAt(serve.output());
  const json boards =
      json::parse(sendRequest(at.port, requestBytes("GET", "/api/pairings")).body)["boards"];
  ASSERT_EQ(boards.size(), 49u);

  // Per board: the result last acknowledged, and one sent but not answered yet.
  struct Board {
    int row = 0;
    std::int16_t acked = data::kResultNone;
    std::int16_t pending = -1;
  };
  std::vector<Board> state(boards.size());
  for (std::size_t b = 0; b < boards.size(); ++b) state[b].row = boards[b]["players"][0]["row"];
  std::mutex mutex;
  std::atomic<int> acknowledged{0};
  std::atomic<bool> stop{false};
  constexpr int kThreads = 8;
  const char* words[3] = {"win", "loss", "draw"};
  const std::int16_t codes[3] = {data::kWin, data::kLoss, data::kDraw};
  std::vector<std::thread> clients;
  for (int c = 0; c < kThreads; ++c)
    clients.emplace_back([&, c] {
      // Each thread owns every eighth board and changes their results again and again.
      std::vector<std::size_t> own;
      for (std::size_t b = static_cast<std::size_t>(c); b < state.size(); b += kThreads)
        own.push_back(b);
      for (int i = 0; i < 400 && !stop; ++i) {
        const std::size_t b = own[static_cast<std::size_t>(i) % own.size()];
        const int w = (i / static_cast<int>(own.size()) + c) % 3;
        {
          std::lock_guard lock(mutex);
          state[b].pending = codes[w];
        }
        const HttpAnswer a =
            postWithKey(at.port, at.key, "/api/results", resultBody(1, state[b].row, words[w]));
        if (a.status != 200) return;  // the server is gone
        std::lock_guard lock(mutex);
        state[b].acked = codes[w];
        state[b].pending = -1;
        ++acknowledged;
      }
    });
  for (int i = 0; i < 2000 && acknowledged < 60; ++i) std::this_thread::sleep_for(5ms);
  serve.signal(SIGKILL);
  EXPECT_EQ(serve.wait(10s), -1);
  stop = true;
  for (std::thread& t : clients) t.join();
  ASSERT_GE(acknowledged.load(), 60);

  auto t = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*t, tablePath(), quiet_), 0) << "the table file is whole";
  EXPECT_EQ(t->participantCount, 99);
  for (const Board& b : state) {
    const std::int16_t stored = t->result[b.row - 1][0];
    EXPECT_TRUE(stored == b.acked || stored == b.pending)
        << "row " << b.row << ": stored " << stored << ", acknowledged " << b.acked;
  }
}

}  // namespace
}  // namespace toq
