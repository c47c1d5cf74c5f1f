// Who plays where: the organiser's POST and DELETE /api/absences (with the question before a
// paired game is touched) and POST /api/sort; anyone's GET /api/find, and the display's list
// of players in reading order for a large event.
#include <algorithm>

#include "server/server_fixture.h"
#include "text/cp932.h"

namespace toq {
namespace {

using nlohmann::json;
using testing::HttpAnswer;

class PlayersApi : public testing::ServerTest {
 protected:
  HttpAnswer remove(const std::string& target, const std::string& body) {
    return testing::sendRequest(
        port_, testing::requestBytes(
                   "DELETE", target,
                   {"Content-Type: application/json", "Authorization: Bearer " + testing::kTestKey},
                   body));
  }
  // Six players; round 1 paired 1-2, 3-4, 5-6 without results.
  void sixPaired() {
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) add(name);
    for (int a : {0, 2, 4}) play(0, a, a + 1);
  }
};

TEST_F(PlayersApi, WithdrawSitOutAndTakeBackEachAsOneChange) {
  sixPaired();
  serve();
  struct Step {
    bool post;
    const char* body;
    int status;
    json answer;  // the whole answer, or the error's "question" field
  };
  const Step steps[] = {
      {true, R"({"row":1,"from":2})", 200, {{"row", 1}, {"round", 2}, {"rounds", 4}}},
      // Round 1 is paired: the page must ask first, then says what to do with the game.
      {true, R"({"row":3,"round":1})", 409, "drop"},
      {true, R"({"row":4,"from":1})", 409, "keep-or-drop"},
      {true,
       R"({"row":3,"round":1,"game":"drop"})",
       200,
       {{"row", 3}, {"round", 1}, {"rounds", 1}}},
      {false, R"({"row":1,"from":2})", 200, {{"row", 1}, {"round", 2}, {"rounds", 4}}},
      {false, R"({"row":3,"round":1})", 409, nullptr},
      {true, R"({"row":1})", 400, nullptr},
      {true, R"({"row":1,"round":1,"from":2})", 400, nullptr},
      {true, R"({"row":7,"round":1})", 400, nullptr},
      {true, R"({"row":1,"round":2,"game":"maybe"})", 400, nullptr},
  };
  for (const Step& s : steps) {
    const HttpAnswer a = s.post ? post("/api/absences", s.body) : remove("/api/absences", s.body);
    EXPECT_EQ(a.status, s.status) << s.body << " " << a.body;
    if (s.status == 200) {
      EXPECT_EQ(json::parse(a.body), s.answer) << s.body;
    }
    if (s.status == 409 && !s.answer.is_null()) {
      EXPECT_EQ(json::parse(a.body)["question"], s.answer) << s.body;
    }
  }
  EXPECT_EQ(networkChanges_.load(), 3);
  data::Table t;
  ASSERT_EQ(data::ReadTableFile(t, tablePath(), quiet_), 0);
  EXPECT_EQ(t.opponent[2][0], data::kAbsent);    // C sat out round 1, its game taken out
  EXPECT_EQ(t.opponent[3][0], data::kUnpaired);  // D waits for a game or a bye
  for (int k = 1; k < 5; ++k) EXPECT_EQ(t.opponent[0][k], data::kUnpaired) << k;
  // No key, no change.
  EXPECT_EQ(post("/api/absences", R"({"row":2,"round":3})", "").status, 401);
}

TEST_F(PlayersApi, SortPutsTheRowsInRatingOrderBeforeRoundOneOnly) {
  add("C", 1200);
  add("A", 1900);
  add("B", 1500);
  serve();
  HttpAnswer a = post("/api/sort", "");
  ASSERT_EQ(a.status, 200) << a.body;
  data::Table t;
  ASSERT_EQ(data::ReadTableFile(t, tablePath(), quiet_), 0);
  EXPECT_EQ(t.participants[0], 2);
  EXPECT_EQ(t.participants[2], 1);
  ASSERT_EQ(post("/api/pair", R"({"bye":3})").status, 200);
  a = post("/api/sort", "");
  EXPECT_EQ(a.status, 409);
  EXPECT_EQ(json::parse(a.body)["error"], "組み合わせがあるため、並べ替えられません。");
}

TEST_F(PlayersApi, FindGivesTheBoardSideAndOpponentFromAPartOfTheNameOrReading) {
  sixPaired();
  ws_->players.at(1).name = text::sj("髙橋 健");
  ws_->players.at(1).reading = text::sj("たかはし けん");
  ws_->players.at(2).name = text::sj("南条 二");
  ws_->table.side[0][0] = data::kSideSecond;
  ws_->table.side[1][0] = data::kSideFirst;
  ws_->table.clearEntries(4, 0, 1);
  ws_->table.clearEntries(5, 0, 1);
  ws_->table.opponent[4][0] = data::kBye;
  ws_->table.opponent[5][0] = data::kAbsent;
  serve();
  const json takahashi = json::array({{{"name", "髙橋 健"},
                                       {"board", 1},
                                       {"side", "後"},
                                       {"handicap", nullptr},
                                       {"opponent", "南条 二"},
                                       {"note", nullptr}}});
  const struct {
    std::string query;
    json players;
  } cases[] = {
      {"%E3%81%9F%E3%81%8B", takahashi},  // "たか", as a phone sends it
      {"%E9%AB%98%E6%A9%8B", takahashi},  // "高橋" finds 髙橋
      {"E", json::array({{{"name", "E"},
                          {"board", nullptr},
                          {"side", nullptr},
                          {"handicap", nullptr},
                          {"opponent", nullptr},
                          {"note", "抜け番"}}})},
      {"zz", json::array()},
  };
  for (const auto& c : cases) {
    const HttpAnswer a = get("/api/find?q=" + c.query);
    ASSERT_EQ(a.status, 200) << a.body;
    EXPECT_EQ(json::parse(a.body)["players"], c.players) << c.query;
  }
  EXPECT_NE(get("/").body.find("id=\"find\""), std::string::npos);
  // A small event's display has no reading list.
  EXPECT_EQ(get("/display").body.find("id=\"readings\""), std::string::npos);
}

TEST_F(PlayersApi, ALargeEventsDisplayListsThePlayersInReadingOrder) {
  const char* readings[] = {"わたなべ", "あおやま", ""};
  for (int i = 0; i < 60; ++i) {
    add("P" + std::to_string(i));
    ws_->players.at(i + 1).reading = text::sj(readings[std::min(i, 2)]);
  }
  for (int a = 0; a < 60; a += 2) play(0, a, a + 1);
  serve();
  const std::string page = get("/display").body;
  const std::size_t list = page.find("id=\"readings\"");
  ASSERT_NE(list, std::string::npos);
  const std::size_t aoyama = page.find("あおやま", list), watanabe = page.find("わたなべ", list);
  const std::size_t p2 = page.find("<td>P2</td>", list), p59 = page.find("<td>P59</td>", list);
  EXPECT_LT(aoyama, watanabe);
  EXPECT_LT(watanabe, p2);  // names without a reading after, in register order
  EXPECT_LT(p2, p59);
  EXPECT_NE(page.find("1番盤", list), std::string::npos);
}

}  // namespace
}  // namespace toq
