// Fifty clients at once on a table of 99 rows, mixing page reads and result POSTs for distinct
// games: every result is stored exactly once, and the table ends as the same results entered
// through the edit layer leave it.
#include <latch>
#include <thread>

#include "edit/pair_command.h"
#include "edit/result_entry.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

using nlohmann::json;

constexpr int kClients = 50;
constexpr const char* kWords[3] = {"win", "loss", "draw"};
constexpr int kCodes[3] = {data::kWin, data::kLoss, data::kDraw};

class Load : public testing::ServerTest {};

TEST_F(Load, FiftyClientsStoreEveryResultExactlyOnce) {
  for (int i = 0; i < data::kMaxParticipants; ++i) add("P" + std::to_string(i), 1000 + 17 * i);
  ws_->table.opponent[98][0] = data::kBye;
  ASSERT_EQ(edit::pairNextRound(*ws_, quiet_, {}), 0);
  auto direct = std::make_unique<edit::Workspace>();
  direct->players = ws_->players;
  direct->table = ws_->table;
  serve();

  const json boards = json::parse(get("/api/pairings").body)["boards"];
  ASSERT_EQ(boards.size(), 49u);
  std::vector<int> status(kClients * 4, -1);
  std::latch ready(kClients);
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      ready.arrive_and_wait();
      status[c * 4] = get(c % 2 ? "/display" : "/").status;
      status[c * 4 + 1] = get("/api/pairings").status;
      // Forty-nine clients send the result of their own board; the fiftieth only reads.
      status[c * 4 + 2] =
          c < 49
              ? post("/api/results", resultBody(1, boards[c]["players"][0]["row"], kWords[c % 3]))
                    .status
              : get("/api/standings").status;
      status[c * 4 + 3] = get("/api/event").status;
    });
  for (std::thread& t : clients) t.join();
  for (int i = 0; i < kClients * 4; ++i) EXPECT_EQ(status[i], 200) << "client " << i / 4;
  stopServer();

  EXPECT_EQ(networkChanges_.load(), 49);

  // The same results through the edit layer, into a file of their own.
  direct->table.SetTableFile(std::filesystem::path(dir_) / "direct.tai");
  for (int c = 0; c < 49; ++c) {
    const int row = boards[c]["players"][0]["row"].get<int>() - 1;
    ASSERT_TRUE(edit::enterResultCode(*direct, quiet_, row, 0, kCodes[c % 3]).done());
  }
  auto served = std::make_unique<data::Table>();
  auto entered = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*served, tablePath(), quiet_), 0);
  ASSERT_EQ(data::ReadTableFile(*entered, direct->table.filePath, quiet_), 0);
  ASSERT_EQ(served->participantCount, entered->participantCount);
  for (int row = 0; row < served->participantCount; ++row)
    for (int k = 0; k < served->numberOfGames; ++k) {
      EXPECT_EQ(served->opponent[row][k], entered->opponent[row][k]) << row << "," << k;
      EXPECT_EQ(served->side[row][k], entered->side[row][k]) << row << "," << k;
      EXPECT_EQ(served->handicap[row][k], entered->handicap[row][k]) << row << "," << k;
      EXPECT_EQ(served->result[row][k], entered->result[row][k]) << row << "," << k;
    }
  EXPECT_EQ(served->OpenGames(0), 0);
}

}  // namespace
}  // namespace toq
