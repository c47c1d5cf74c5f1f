// The journal through crashes: about 500 changes from the organiser's API, the open desk and
// toq-cli, the server and toq-cli killed (SIGKILL) at random moments. After every kill the
// table file is whole with every acknowledged result, the journal opens without being set
// aside and (caught up) ends with the table's state, the undo list built from it ends with the
// latest step, every acknowledged change is in the journal with who made it, and restoring a
// step gives its state byte for byte, table and player file. The API lists the latest steps;
// a desk report that disagrees with the entered result reaches the organiser until settled.
#include <signal.h>

#include <random>
#include <thread>

#include "edit/command_door.h"
#include "edit/event_journal.h"
#include "edit/file_freshness.h"
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

class JournalCrash : public testing::ServerTest {
 protected:
  std::string files() const {
    return testing::readFile(tablePath()) + testing::readFile(ws_->playerFile);
  }
  // The program started again on the table, its journal caught up.
  std::unique_ptr<edit::Workspace> reopened() {
    auto ws = std::make_unique<edit::Workspace>();
    EXPECT_EQ(edit::openTable(*ws, quiet_, tablePath()), 0);
    edit::attachJournal(*ws, quiet_, journal::Who::window());
    return ws;
  }
  HttpAnswer getWithKey(const std::string& target) {
    return sendRequest(port_,
                       requestBytes("GET", target, {"Authorization: Bearer " + testing::kTestKey}));
  }
  std::mt19937 random_{20261209};
};

TEST_F(JournalCrash, EveryAcknowledgedChangeSurvivesAKillInTheTableAndTheJournal) {
  for (int i = 0; i < 40; ++i) add("P" + std::to_string(i), 1000 + 17 * i);
  ASSERT_EQ(edit::pairNextRound(*ws_, quiet_, {}), 0);
  save();
  const char* words[4] = {"win", "loss", "draw", "clear"};
  const std::int16_t codes[3] = {data::kWin, data::kLoss, data::kDraw};
  std::vector<std::int16_t> acked(40, data::kResultNone);  // by row, round 1
  int acknowledged = 0;
  std::size_t journalled = 0;
  // Runs until 500 changes were acknowledged; a loaded machine acknowledges fewer per run.
  for (int run = 0; run < 150 && acknowledged < 500; ++run) {
    CliProcess serve({"serve", "cup.tai", "--port", "0", "--result-desk=open"}, dir_);
    ASSERT_TRUE(serve.readUntil(kReady, 10s)) << serve.errors();
    const testing::ServedAt at = testing::servedAt(serve.output());
    // Results from the organiser and the desk until a random moment; the one in flight when
    // the kill comes may or may not stand.
    std::atomic<bool> stop{false};
    int pendingRow = -1;
    std::thread client([&] {
      for (int i = 0; i < 200 && !stop; ++i) {
        // Every request changes its game: the desk enters a game without a result, the
        // organiser sets any game to another result or clears it.
        const int row = static_cast<int>(random_() % 40);
        const std::int16_t now = acked[static_cast<std::size_t>(row)];
        const bool desk = now == data::kResultNone && i % 2 == 1;
        int w = static_cast<int>(random_() % 4);
        while (w == 3 ? now == data::kResultNone : codes[w] == now) w = (w + 1) % 4;
        if (desk && w == 3) w = 0;
        const std::int16_t code = w == 3 ? data::kResultNone : codes[w];
        pendingRow = row;
        std::vector<std::string> headers{"Content-Type: application/json"};
        if (!desk) headers.push_back("Authorization: Bearer " + at.key);
        const HttpAnswer a =
            sendRequest(at.port, requestBytes("POST", desk ? "/api/desk/results" : "/api/results",
                                              headers, resultBody(1, row + 1, words[w])));
        if (a.status == 0) return;  // the server is gone
        ASSERT_EQ(a.status, 200) << a.body;
        acked[static_cast<std::size_t>(row)] = code;
        acked[static_cast<std::size_t>(ws_->table.opponent[row][0])] = data::oppositeResult(code);
        pendingRow = -1;
        ++acknowledged;
      }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50 + random_() % 400));
    serve.signal(SIGKILL);
    serve.wait(10s);
    stop = true;
    client.join();

    // toq-cli too, killed at a random moment now and then.
    const int row = static_cast<int>(random_() % 40);
    const bool won = acked[static_cast<std::size_t>(row)] == data::kWin;
    CliProcess cli({"result", "cup.tai", "1", std::to_string(row + 1), won ? "loss" : "win"}, dir_,
                   "cli");
    if (run % 2) {
      std::this_thread::sleep_for(std::chrono::microseconds(random_() % 20000));
      cli.signal(SIGKILL);
    }
    int cliRow = -1;  // the row of a toq-cli killed before it answered
    if (cli.wait(10s) == 0) {
      acked[static_cast<std::size_t>(row)] = won ? data::kLoss : data::kWin;
      acked[static_cast<std::size_t>(ws_->table.opponent[row][0])] = won ? data::kWin : data::kLoss;
      ++acknowledged;
    } else {
      cliRow = row;
    }

    auto t = std::make_unique<data::Table>();
    ASSERT_EQ(data::ReadTableFile(*t, tablePath(), quiet_), 0) << "the table file is whole";
    for (int r = 0; r < 40; ++r) {
      const int o = ws_->table.opponent[r][0];
      const bool inFlight = r == pendingRow || o == pendingRow || r == cliRow || o == cliRow;
      EXPECT_TRUE(t->result[r][0] == acked[static_cast<std::size_t>(r)] || inFlight)
          << "run " << run << " row " << r;
      if (inFlight) acked[static_cast<std::size_t>(r)] = t->result[r][0];
    }
    std::string why;
    std::filesystem::path aside;
    {
      auto j = journal::Journal::open(journal::Journal::beside(tablePath()), why, &aside);
      ASSERT_TRUE(j) << why;
      EXPECT_TRUE(aside.empty()) << "the journal was damaged";
      // Every acknowledged change is a step of its own, by the organiser, the desk or toq-cli.
      std::size_t steps = 0;
      for (const journal::StepInfo& s : j->steps())
        steps += s.op == journal::Op::Step && s.who.kind != journal::WhoKind::OtherProgram;
      EXPECT_GE(steps, static_cast<std::size_t>(acknowledged));
      EXPECT_GE(steps, journalled);
      journalled = steps;
    }
    auto ws = reopened();
    const journal::Journal& j = *ws->journal.journal;
    EXPECT_EQ(j.lastState().table + j.lastState().players, files());
    ASSERT_TRUE(ws->history.undoStep());
    EXPECT_EQ(ws->history.undoStep()->label, j.last()->label);
    EXPECT_EQ(j.last()->op, journal::Op::Step);
  }
  EXPECT_GE(acknowledged, 500);

  // Restoring steps picked at random gives each one's state byte for byte.
  auto ws = reopened();
  const std::int64_t last = ws->journal.journal->last()->step;
  for (int i = 0; i < 15; ++i) {
    const std::int64_t n = 1 + static_cast<std::int64_t>(random_() % static_cast<unsigned>(last));
    const journal::State state = *ws->journal.journal->stateAfter(n);
    const edit::Passed p = edit::runCommand(
        *ws, quiet_, edit::StepRule{nullptr, edit::steps::restore},
        [&] { return edit::restoreStep(*ws, quiet_, n); }, journal::Who::cli());
    EXPECT_TRUE(p.outcome.done()) << n;
    EXPECT_EQ(files(), state.table + state.players) << n;
  }
}

TEST_F(JournalCrash, TheOrganiserReadsTheLatestStepsWithWhoMadeThem) {
  for (int i = 0; i < 4; ++i) add("P" + std::to_string(i));
  play(0, 0, 1);
  play(0, 2, 3);
  openDesk_ = true;
  serve(true);
  EXPECT_EQ(post("/api/results", resultBody(1, 1, "win")).status, 200);
  const HttpAnswer desk = sendRequest(
      port_, requestBytes("POST", "/api/desk/results", {"Content-Type: application/json"},
                          resultBody(1, 4, "draw")));
  EXPECT_EQ(desk.status, 200) << desk.body;
  EXPECT_EQ(get("/api/history?limit=5").status, 401);
  const HttpAnswer h = getWithKey("/api/history?limit=2");
  ASSERT_EQ(h.status, 200) << h.body;
  const json steps = json::parse(h.body)["steps"];
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0]["who"]["kind"], "desk");
  EXPECT_EQ(steps[0]["who"]["round"], 1);
  EXPECT_EQ(steps[0]["who"]["board"], 2);
  EXPECT_EQ(steps[0]["who"]["address"], "127.0.0.1");
  EXPECT_EQ(steps[0]["label"], "会場から: 1回戦 P2 対 P3: 引き分け");
  EXPECT_EQ(steps[1]["who"]["kind"], "organiser");
  EXPECT_EQ(steps[1]["label"], "会場から: 1回戦 P0 対 P1: P0 の勝ち");
  EXPECT_GT(steps[0]["step"].get<int>(), steps[1]["step"].get<int>());
  for (const char* bad : {"limit=0", "limit=x", "limit=2001", "size=3"})
    EXPECT_EQ(getWithKey(std::string("/api/history?") + bad).status, 400) << bad;
}

TEST_F(JournalCrash, ADisagreementAtTheDeskReachesTheOrganiserUntilSettled) {
  for (int i = 0; i < 4; ++i) add("P" + std::to_string(i));
  play(0, 0, 1);
  play(0, 2, 3);
  openDesk_ = true;
  serve(true);
  const auto desk = [&](int row, const char* word) {
    return sendRequest(port_,
                       requestBytes("POST", "/api/desk/results", {"Content-Type: application/json"},
                                    resultBody(1, row, word)));
  };
  const auto disagreements = [&] { return json::parse(get("/api/event").body)["disagreements"]; };
  ASSERT_EQ(desk(1, "win").status, 200);
  // The second player agrees: confirmed, nothing changed.
  const HttpAnswer agreed = desk(2, "loss");
  EXPECT_EQ(agreed.status, 200) << agreed.body;
  EXPECT_EQ(json::parse(agreed.body)["message"], "確認しました");
  EXPECT_TRUE(disagreements().empty());
  // The second player disagrees: refused as before, kept for the organiser and journalled.
  EXPECT_EQ(desk(2, "win").status, 409);
  const json d = disagreements();
  ASSERT_EQ(d.size(), 1u) << d;
  EXPECT_EQ(d[0],
            json::parse(R"({"round":1,"board":1,"entered":"P0 の勝ち","reported":"P1 の勝ち"})"));
  const json steps = json::parse(getWithKey("/api/history?limit=1").body)["steps"];
  EXPECT_EQ(steps[0]["label"], "結果の食い違い: 1回戦 第1局: 入力 P0 の勝ち、報告 P1 の勝ち");
  EXPECT_EQ(steps[0]["who"]["kind"], "desk");
  // A restart keeps it before the organiser.
  const auto again = reopened();
  ASSERT_EQ(again->disagreements.size(), 1u);
  EXPECT_EQ(again->disagreements[0].board, 1);
  EXPECT_EQ(again->disagreements[0].entered, "P0 の勝ち");
  EXPECT_EQ(again->disagreements[0].reported, "P1 の勝ち");
  // The organiser confirms the entered result: settled.
  EXPECT_EQ(post("/api/results", resultBody(1, 1, "win")).status, 200);
  EXPECT_TRUE(disagreements().empty());
  EXPECT_EQ(json::parse(getWithKey("/api/history?limit=1").body)["steps"][0]["label"],
            "食い違いの解消: 1回戦 第1局: 入力 P0 の勝ち、報告 P1 の勝ち");
}

}  // namespace
}  // namespace toq
