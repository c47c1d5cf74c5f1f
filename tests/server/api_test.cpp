// The JSON API against hand-built tables: every field of the event, the pairings (byes,
// absences, handicaps, a professional on three boards) and the standings; results and
// pairing through the edit layer, with their refusals.
#include <algorithm>

#include "server/server_fixture.h"
#include "text/cp932.h"

namespace toq {
namespace {

using nlohmann::json;
using testing::HttpAnswer;

class Api : public testing::ServerTest {
 protected:
  /// A professional on three boards (rows 0..2), six amateurs (rows 3..8). Round 1: the
  /// professional gives A a bishop and loses; B plays an even game with sides, no result; C
  /// has no sides drawn; D sits out, E is absent, F is not paired yet.
  void professionalField() {
    add("Pro", 2200, 3, true);
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) add(name, 1500);
    data::Table& t = ws_->table;
    play(0, 0, 3, data::kLoss);
    t.handicap[0][0] = 2;
    t.handicap[3][0] = -2;
    t.side[3][0] = data::kSideFirst;
    t.side[0][0] = data::kSideSecond;
    play(0, 1, 4);
    t.side[1][0] = data::kSideFirst;
    t.side[4][0] = data::kSideSecond;
    play(0, 2, 5);
    t.opponent[6][0] = data::kBye;
    t.opponent[7][0] = data::kAbsent;
  }
  /// Four players; round 1 complete (A beat B, C and D drew), round 2 paired without results.
  void fourPlayers() {
    for (const char* name : {"A", "B", "C", "D"}) add(name);
    play(0, 0, 1, data::kWin);
    play(0, 2, 3, data::kDraw);
    play(1, 0, 2);
    play(1, 1, 3);
  }
  json boardPlayer(int row, int player, const char* name, json side, json result) {
    return {{"row", row}, {"player", player}, {"name", name}, {"side", side}, {"result", result}};
  }
};

TEST_F(Api, EventTellsTitleSizeRoundsLockAndVersion) {
  fourPlayers();
  ws_->table.lockFlag = 1;
  serve();
  const json e = json::parse(get("/api/event").body);
  EXPECT_EQ(e["title"], "cup");
  EXPECT_EQ(e["games"], 5);
  EXPECT_EQ(e["participants"], 4);
  EXPECT_EQ(e["latestPairedRound"], 2);
  EXPECT_EQ(e["lastCompleteRound"], 1);
  EXPECT_EQ(e["locked"], true);
  EXPECT_EQ(e["resultDesk"], false);
  EXPECT_TRUE(e["version"].is_number_unsigned());
}

TEST_F(Api, EventOfAFreshTableHasNoRounds) {
  for (const char* name : {"A", "B"}) add(name);
  serve();
  const json e = json::parse(get("/api/event").body);
  EXPECT_TRUE(e["latestPairedRound"].is_null());
  EXPECT_TRUE(e["lastCompleteRound"].is_null());
  EXPECT_EQ(e["locked"], false);
  const json p = json::parse(get("/api/pairings").body);
  EXPECT_TRUE(p["round"].is_null());
  EXPECT_TRUE(p["boards"].empty());
}

TEST_F(Api, PairingsGiveBoardsInRoundListOrderWithByesAbsencesAndHandicaps) {
  professionalField();
  serve();
  const HttpAnswer a = get("/api/pairings");
  ASSERT_EQ(a.status, 200);
  EXPECT_EQ(a.header("content-type"), "application/json; charset=utf-8");
  const json expected = {
      {"round", 1},
      {"boards",
       {{{"board", 1},
         {"handicap", "角落ち"},
         {"players",
          {boardPlayer(1, 1, "Pro", "後", "loss"), boardPlayer(4, 2, "A", "先", "win")}}},
        {{"board", 2},
         {"handicap", "平手"},
         {"players",
          {boardPlayer(2, 1, "Pro", "先", nullptr), boardPlayer(5, 3, "B", "後", nullptr)}}},
        {{"board", 3},
         {"handicap", "平手"},
         {"players",
          {boardPlayer(3, 1, "Pro", nullptr, nullptr),
           boardPlayer(6, 4, "C", nullptr, nullptr)}}}}},
      {"byes", {7}},
      {"absent", {8}},
      {"unpaired", {9}},
      {"sittingOut",
       {{{"row", 7}, {"name", "D"}, {"kind", "bye"}},
        {{"row", 8}, {"name", "E"}, {"kind", "absent"}}}}};
  EXPECT_EQ(json::parse(a.body), expected);
  // The same round asked for by number.
  EXPECT_EQ(json::parse(get("/api/pairings?round=1").body), expected);
  // A round not paired yet: every row unpaired.
  const json second = json::parse(get("/api/pairings?round=2").body);
  EXPECT_EQ(second["round"], 2);
  EXPECT_EQ(second["unpaired"].size(), 9u);
}

TEST_F(Api, PairingsRefuseRoundsOutsideTheTableAndUnknownParameters) {
  professionalField();
  serve();
  const struct {
    const char* target;
    const char* message;
  } cases[] = {
      {"/api/pairings?round=6", "回戦が範囲外です。"},
      {"/api/pairings?round=0", "round は 1 から数えた回戦の番号です。"},
      {"/api/pairings?round=33", "round は 1 から数えた回戦の番号です。"},
      {"/api/pairings?round=-1", "round は 1 から数えた回戦の番号です。"},
      {"/api/pairings?round=1x", "round は 1 から数えた回戦の番号です。"},
      {"/api/pairings?round=1&round=2", "round は 1 から数えた回戦の番号です。"},
      {"/api/pairings?board=1", "パラメータ board はありません。"},
      {"/api/event?round=1", "パラメータ round はありません。"},
      {"/api/standings?x", "パラメータ x はありません。"},
  };
  for (const auto& c : cases) {
    const HttpAnswer a = get(c.target);
    EXPECT_EQ(a.status, 400) << c.target;
    EXPECT_EQ(json::parse(a.body)["error"], c.message) << c.target;
  }
}

TEST_F(Api, StandingsGiveTheRowsOfTheLastCompleteRound) {
  fourPlayers();
  serve();
  const json s = json::parse(get("/api/standings").body);
  EXPECT_EQ(s["round"], 1);
  EXPECT_EQ(s["winRateMode"], false);
  ASSERT_EQ(s["rows"].size(), 4u);
  const json& a = s["rows"][0];
  EXPECT_EQ(a["row"], 1);
  EXPECT_EQ(a["name"], "A");
  EXPECT_EQ(a["score"], 1.0);
  EXPECT_EQ(a["wins"], 1);
  EXPECT_EQ(a["losses"], 0);
  EXPECT_EQ(a["rank"], 1);
  EXPECT_TRUE(a["winRate"].is_null());
  const json& c = s["rows"][2];
  EXPECT_EQ(c["score"], 0.5);
  EXPECT_EQ(c["draws"], 1);
  EXPECT_EQ(c["solkoff"], 0.5);  // D's half point
  EXPECT_EQ(s["rows"][1]["rank"], 4);
  // Round 2 has no results yet.
  const HttpAnswer open = get("/api/standings?round=2");
  EXPECT_EQ(open.status, 409);
  EXPECT_EQ(json::parse(open.body)["error"], "2回戦までに勝敗の未入力があります。");
}

TEST_F(Api, StandingsOfAProfessionalOnBoardsGoByWinRate) {
  professionalField();
  // Round 1 complete: the professional wins the other two boards.
  ws_->table.result[1][0] = data::kWin;
  ws_->table.result[4][0] = data::kLoss;
  ws_->table.result[2][0] = data::kWin;
  ws_->table.result[5][0] = data::kLoss;
  ws_->table.opponent[8][0] = data::kBye;
  serve();
  const json s = json::parse(get("/api/standings").body);
  EXPECT_EQ(s["round"], 1);
  EXPECT_EQ(s["winRateMode"], true);
  // The board group's rate stands on its first row, as toq-cli standings shows it.
  EXPECT_EQ(s["rows"][0]["winRate"], "0.67");
  EXPECT_TRUE(s["rows"][1]["winRate"].is_null());
  EXPECT_EQ(s["rows"][3]["winRate"], "1.00");  // A beat the professional
  EXPECT_EQ(s["rows"][4]["winRate"], "0.00");
  EXPECT_TRUE(s["rows"][6]["winRate"].is_null());  // D had a bye: no game decided
}

TEST_F(Api, EveryResultWordIsStoredForBothRowsAndWritten) {
  fourPlayers();
  serve();
  const struct {
    const char* word;
    std::int16_t own;
    std::int16_t other;
  } cases[] = {{"win", data::kWin, data::kLoss},
               {"loss", data::kLoss, data::kWin},
               {"draw", data::kDraw, data::kDraw},
               {"clear", data::kResultNone, data::kResultNone}};
  for (const auto& c : cases) {
    // Row 4 is the second player of board 2 in round 2.
    const HttpAnswer a = post("/api/results", resultBody(2, 4, c.word));
    ASSERT_EQ(a.status, 200) << c.word << a.body;
    const json game = json::parse(a.body);
    EXPECT_EQ(game["round"], 2);
    EXPECT_EQ(game["board"], 2);
    EXPECT_EQ(game["players"][1]["row"], 4);
    auto stored = std::make_unique<data::Table>();
    ASSERT_EQ(data::ReadTableFile(*stored, tablePath(), quiet_), 0);
    EXPECT_EQ(stored->result[3][1], c.own) << c.word;
    EXPECT_EQ(stored->result[1][1], c.other) << c.word;
  }
  EXPECT_EQ(networkChanges_.load(), 4);
}

TEST_F(Api, ResultsRefusedByTheEditLayerAre409WithItsMessageAndChangeNothing) {
  professionalField();
  serve();
  const std::string before = tableBytes();
  const struct {
    int round;
    int row;
    const char* message;
  } cases[] = {{1, 7, "1回戦のDは抜け番です。"},
               {1, 8, "1回戦のEは休場です。"},
               {1, 9, "1回戦のFはまだ組み合わせがありません。"},
               {2, 1, "2回戦のProはまだ組み合わせがありません。"}};
  for (const auto& c : cases) {
    const HttpAnswer a = post("/api/results", resultBody(c.round, c.row, "win"));
    EXPECT_EQ(a.status, 409) << c.message;
    EXPECT_EQ(json::parse(a.body)["error"], c.message);
  }
  // Rows and rounds the table does not have are malformed requests.
  const HttpAnswer row = post("/api/results", resultBody(1, 10, "win"));
  EXPECT_EQ(row.status, 400);
  EXPECT_EQ(json::parse(row.body)["error"], "行番号が範囲外です。");
  const HttpAnswer round = post("/api/results", resultBody(6, 1, "win"));
  EXPECT_EQ(round.status, 400);
  EXPECT_EQ(json::parse(round.body)["error"], "回戦が範囲外です。");
  EXPECT_EQ(tableBytes(), before);
  EXPECT_EQ(networkChanges_.load(), 0);
}

TEST_F(Api, ALockedTableRefusesResultsAndPairing) {
  fourPlayers();
  ws_->table.lockFlag = 1;
  serve();
  const std::string before = tableBytes();
  for (const HttpAnswer& a :
       {post("/api/results", resultBody(2, 1, "win")), post("/api/pair", "")}) {
    EXPECT_EQ(a.status, 409);
    EXPECT_EQ(json::parse(a.body)["error"], "変更は禁止されています。");
  }
  EXPECT_EQ(tableBytes(), before);
}

TEST_F(Api, PairingAnswersTheNewRoundOrTheCommandsRefusal) {
  fourPlayers();
  serve();
  // Round 2 lacks its results.
  HttpAnswer a = post("/api/pair", "");
  EXPECT_EQ(a.status, 409);
  EXPECT_EQ(json::parse(a.body)["error"], "2回戦に勝敗の未入力があります。");
  ASSERT_EQ(post("/api/results", resultBody(2, 1, "win")).status, 200);
  ASSERT_EQ(post("/api/results", resultBody(2, 2, "draw")).status, 200);
  a = post("/api/pair", "{}");
  ASSERT_EQ(a.status, 200) << a.body;
  const json p = json::parse(a.body);
  EXPECT_EQ(p["round"], 3);
  EXPECT_EQ(p["boards"].size(), 2u);
  // The pairing command's round list is written beside the table, as toq-cli pair writes it.
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir_) / "3回戦組み合わせ.txt"));
  EXPECT_EQ(json::parse(get("/api/event").body)["latestPairedRound"], 3);
  EXPECT_FALSE(p.contains("note"));
}

// With the option to keep affiliations apart and no way to do it, the organiser's phone is
// told which games are between players of one affiliation, as the window is.
TEST_F(Api, PairingNamesTheGamesOfOneAffiliationItCouldNotAvoid) {
  for (const char* name : {"A", "B", "C", "D"}) add(name);
  for (int i = 1; i <= 4; ++i) ws_->players.at(i).affiliation = *text::toCp932("桜道場");
  ws_->options.avoidAffiliationRounds = 1;
  serve();
  const HttpAnswer a = post("/api/pair", "");
  ASSERT_EQ(a.status, 200) << a.body;
  const std::string note = json::parse(a.body)["note"];
  EXPECT_EQ(std::count(note.begin(), note.end(), '\n'), 1) << note;
  EXPECT_EQ(note.rfind("所属が同じ対局: 第1局 ", 0), 0u) << note;
  EXPECT_NE(note.find("（桜道場）"), std::string::npos) << note;
}

// Without a bye an odd field is refused with the program's proposal and the candidates; with
// the organiser's choice the bye and the pairing are one change.
TEST_F(Api, PairingAnOddFieldNamesTheProposalAndTakesTheChosenBye) {
  for (const char* name : {"A", "B", "C", "D", "E"}) add(name);
  serve();
  const std::string before = tableBytes();
  HttpAnswer a = post("/api/pair", "");
  EXPECT_EQ(a.status, 409);
  const json odd = json::parse(a.body);
  EXPECT_EQ(odd["error"], "組み合わせ数が奇数(5)です。\n抜け番の候補: E（5位、抜け番なし）");
  EXPECT_EQ(odd["proposal"], 5);
  ASSERT_EQ(odd["candidates"].size(), 5u);
  EXPECT_EQ(odd["candidates"][0], (json{{"row", 5}, {"name", "E"}, {"place", 5}, {"byes", 0}}));
  const struct {
    const char* body;
    int status;
    const char* error;
  } refused[] = {
      {R"({"bye":0})", 400, "項目 bye が範囲外です。"},
      {R"({"bye":6})", 409, "6番の参加者は抜け番にできません。"},
      {R"({"bye":"B"})", 400, "項目 bye は整数で指定してください。"},
  };
  for (const auto& r : refused) {
    a = post("/api/pair", r.body);
    EXPECT_EQ(a.status, r.status) << r.body;
    EXPECT_EQ(json::parse(a.body)["error"], r.error);
  }
  EXPECT_EQ(tableBytes(), before);
  EXPECT_EQ(networkChanges_.load(), 0);

  a = post("/api/pair", R"({"bye":2})");
  ASSERT_EQ(a.status, 200) << a.body;
  const json p = json::parse(a.body);
  EXPECT_EQ(p["round"], 1);
  EXPECT_EQ(p["boards"].size(), 2u);
  EXPECT_EQ(p["byes"], json::array({2}));
  EXPECT_EQ(networkChanges_.load(), 1);
  // Round 1 lacks its results: the pairing's own reason.
  EXPECT_EQ(json::parse(post("/api/pair", R"({"bye":2})").body)["error"],
            "1回戦に勝敗の未入力があります。");
}

}  // namespace
}  // namespace toq
