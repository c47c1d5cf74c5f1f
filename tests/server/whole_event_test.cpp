// A whole event through the API (pair, results, pair...) against the same event through the
// built toq-cli (pair, result...): the table files are the same, byte for byte.
#include <filesystem>

#include "server/child_process.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kRounds = 4;
constexpr const char* kWords[3] = {"win", "loss", "draw"};

// The result of a board, from its first player's side: any fixed rule serves.
const char* resultOf(int round, int board) {
  return kWords[(round * 7 + board) % 3];
}

class WholeEvent : public testing::ServerTest {
 protected:
  /// A professional on three boards and seventeen amateurs of different ratings.
  void field() {
    ws_->table.numberOfGames = kRounds;
    add("Pro", 2300, 3, true);
    for (int i = 0; i < 17; ++i) add("P" + std::to_string(i), 1200 + 53 * i);
  }
};

TEST_F(WholeEvent, TheApiLeavesTheSameTableAsToqCli) {
  field();
  save();
  const std::string startTable = tableBytes();
  const std::string startPlayers = testing::readFile(ws_->playerFile);

  // toq-cli: pair, then one result sub-command per board.
  for (int r = 1; r <= kRounds; ++r) {
    ASSERT_EQ(testing::runCli({"pair", "cup.tai"}, dir_), 0) << "round " << r;
    auto t = std::make_unique<data::Table>();
    ASSERT_EQ(data::ReadTableFile(*t, tablePath(), quiet_), 0);
    int board = 0;
    for (int row = 0; row < t->participantCount; ++row) {
      if (t->opponentRow(row, r - 1) <= row) continue;
      ASSERT_EQ(testing::runCli({"result", "cup.tai", std::to_string(r), std::to_string(row + 1),
                                 resultOf(r, ++board)},
                                dir_),
                0);
    }
  }
  const std::string byCli = tableBytes();

  // The same event through the API, from the same files.
  writeFile(tablePath(), startTable);
  writeFile(ws_->playerFile, startPlayers);
  ASSERT_EQ(data::OpenTableFile(ws_->players, ws_->table, tablePath(), ws_->playerFile, quiet_), 0);
  serve();
  for (int r = 1; r <= kRounds; ++r) {
    const testing::HttpAnswer paired = post("/api/pair", "");
    ASSERT_EQ(paired.status, 200) << paired.body;
    const json p = json::parse(paired.body);
    ASSERT_EQ(p["round"], r);
    for (const json& b : p["boards"]) {
      const int board = b["board"];
      const testing::HttpAnswer a =
          post("/api/results", resultBody(r, b["players"][0]["row"], resultOf(r, board)));
      ASSERT_EQ(a.status, 200) << a.body;
    }
  }
  stopServer();
  EXPECT_EQ(tableBytes(), byCli);
  // Each pairing and each result was one change from the network: ten boards a round.
  EXPECT_EQ(networkChanges_.load(), kRounds * 11);
}

}  // namespace
}  // namespace toq
