// The desk that needs a board's slip: a slip's code enters that board's result only, in its
// own round only, and still works after the server restarts; a missing or wrong code is
// refused, counted, and changes nothing.
#include "server/desk_codes.h"
#include "server/organiser_key.h"
#include "server/server_fixture.h"

namespace toq {
namespace {

using nlohmann::json;
using testing::HttpAnswer;

class SlipDesk : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"}) add(name);
    // Rounds 1 and 2 complete, round 3 paired: four boards each, in other orders.
    for (int round = 0; round < 3; ++round)
      for (int b = 0; b < 4; ++b)
        play(round, (b + round) % 8, (b + round + 4) % 8,
             round < 2 ? data::kWin : data::kResultNone);
  }
  // The code of a board (from 1) of a round (from 1), as its slip prints it.
  std::string code(int round, int board) {
    const auto slips = server::slipsOf(*ws_, testing::kTestDeskSecret, round - 1);
    return slips.at(static_cast<std::size_t>(board - 1)).code;
  }
  int firstRow(int round, int board) {
    const auto slips = server::slipsOf(*ws_, testing::kTestDeskSecret, round - 1);
    return slips.at(static_cast<std::size_t>(board - 1)).board.players[0].row;
  }
  HttpAnswer enter(int round, int row, const std::string& c) {
    json body = {{"round", round}, {"row", row}, {"result", "win"}};
    if (!c.empty()) body["code"] = c;
    return post("/api/desk/results", body.dump(), "");
  }
};

TEST_F(SlipDesk, ABoardsCodeEntersThatBoardsResultOnlyAndSurvivesARestart) {
  serve(true);
  const std::string board3 = code(3, 3), before = tableBytes();
  const json slip = json::parse(get("/api/desk/slip?code=" + board3).body);
  EXPECT_EQ(slip["round"], 3);
  EXPECT_EQ(slip["board"], 3);
  EXPECT_EQ(slip["players"][0]["row"], firstRow(3, 3));
  // Not board 4, not board 3 of an earlier round, not without or with a made-up code.
  const struct {
    int round, row;
    std::string code, error;
  } refused[] = {
      {3, firstRow(3, 4), board3, "このコードの盤ではありません。"},
      {2, firstRow(2, 3), board3, "このコードの盤ではありません。"},
      {2, firstRow(2, 3), code(2, 3),
       "結果用紙のコードが違います。この回戦の結果用紙を確かめてください。"},
      {3, firstRow(3, 3), "", "結果用紙のコードが必要です。"},
      {3, firstRow(3, 3), "ABCDEFGH",
       "結果用紙のコードが違います。この回戦の結果用紙を確かめてください。"},
  };
  for (const auto& r : refused) {
    const HttpAnswer a = enter(r.round, r.row, r.code);
    EXPECT_EQ(a.status, 403) << r.code << " " << r.row;
    EXPECT_EQ(json::parse(a.body)["error"], r.error);
  }
  EXPECT_EQ(get("/api/desk/slip?code=" + code(2, 3)).status, 403);
  EXPECT_EQ(post("/api/desk/results", "[[[" + board3, "").status, 400);
  EXPECT_EQ(tableBytes(), before);
  // Typed in lower case with a space, as a player might.
  std::string typed = board3.substr(0, 4) + " " + board3.substr(4);
  for (char& c : typed) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_EQ(enter(3, firstRow(3, 3), typed).status, 200);
  EXPECT_EQ(ws_->table.result[firstRow(3, 3) - 1][2], data::kWin);
  // After a restart the slips printed before still open their boards.
  stopServer();
  serve(true);
  EXPECT_EQ(enter(3, firstRow(3, 4), code(3, 4)).status, 200);
}

TEST_F(SlipDesk, WrongCodesCountTowardsTheAddresssLimit) {
  serve(true);
  for (int i = 0; i < server::WrongKeyLimit::kWrongKeysAllowed; ++i)
    EXPECT_EQ(get("/api/desk/slip?code=ABCDEFGH").status, 403);
  EXPECT_EQ(get("/api/desk/slip?code=" + code(3, 1)).status, 429);
  EXPECT_EQ(enter(3, firstRow(3, 1), code(3, 1)).status, 429);
}

}  // namespace
}  // namespace toq
