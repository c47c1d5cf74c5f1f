// The open result desk (--result-desk=open): off, its page and route do not exist; on, a player
// stores the result of a game that has none, and a second entry for that game is refused and
// changes nothing.
#include "server/server_fixture.h"

namespace toq {
namespace {

using nlohmann::json;
using testing::HttpAnswer;

class Desk : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (const char* name : {"A", "B", "C", "D", "E"}) add(name);
    play(0, 0, 1);
    play(0, 2, 3);
    ws_->table.opponent[4][0] = data::kBye;
    openDesk_ = true;
  }
  HttpAnswer desk(int round, int row, const std::string& word) {
    return post("/api/desk/results", resultBody(round, row, word), "");
  }
};

TEST_F(Desk, OffTheDeskDoesNotExist) {
  serve(false);
  const std::string before = tableBytes();
  EXPECT_EQ(get("/desk").status, 404);
  EXPECT_EQ(desk(1, 1, "win").status, 404);
  EXPECT_EQ(tableBytes(), before);
  EXPECT_EQ(get("/").body.find("href=\"/desk\""), std::string::npos);
}

TEST_F(Desk, AFirstResultIsStoredASecondThatAgreesIsConfirmedAnotherRefused) {
  serve(true);
  EXPECT_EQ(get("/desk").status, 200);
  EXPECT_NE(get("/").body.find("href=\"/desk\""), std::string::npos);
  const HttpAnswer first = desk(1, 2, "loss");
  ASSERT_EQ(first.status, 200) << first.body;
  EXPECT_EQ(json::parse(first.body)["players"][0]["result"], "win");
  const std::string stored = tableBytes();
  // Again with the same result: confirmed, nothing changes.
  const HttpAnswer agreed = desk(1, 1, "win");
  EXPECT_EQ(agreed.status, 200);
  EXPECT_EQ(json::parse(agreed.body)["message"], "確認しました");
  // Again, from either player of the game, with another result: refused, nothing changes.
  for (const auto& [row, word] : {std::pair{1, "loss"}, {2, "win"}, {2, "draw"}}) {
    const HttpAnswer again = desk(1, row, word);
    EXPECT_EQ(again.status, 409);
    EXPECT_EQ(json::parse(again.body)["error"],
              "1回戦 " + std::string(row == 1 ? "A 対 B" : "B 対 A") +
                  " の結果は入力済みです。変更は主催者に申し出てください。");
  }
  EXPECT_EQ(tableBytes(), stored);
  // The organiser changes it.
  EXPECT_EQ(post("/api/results", resultBody(1, 1, "draw")).status, 200);
  EXPECT_NE(tableBytes(), stored);
}

TEST_F(Desk, TheDeskStoresResultsOnlyForGames) {
  serve(true);
  const std::string before = tableBytes();
  const struct {
    int row;
    const char* word;
    const char* message;
  } cases[] = {{3, "clear", "勝敗の指定が正しくありません。"},
               {5, "win", "1回戦のEは抜け番です。"}};
  for (const auto& c : cases) {
    const HttpAnswer a = desk(1, c.row, c.word);
    EXPECT_EQ(a.status, 409) << c.word;
    EXPECT_EQ(json::parse(a.body)["error"], c.message);
  }
  EXPECT_EQ(tableBytes(), before);
}

TEST_F(Desk, TheHostSwitchesTheDeskWhileServing) {
  serve(false);
  server_->setResultDesk(true);
  EXPECT_EQ(desk(1, 3, "draw").status, 200);
  server_->setResultDesk(false);
  EXPECT_EQ(desk(1, 1, "win").status, 404);
  EXPECT_EQ(json::parse(get("/api/event").body)["resultDesk"], false);
}

}  // namespace
}  // namespace toq
