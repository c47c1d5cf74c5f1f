// toq-cli explain: the text and the JSON of one hand-built event with professionals, handicaps
// and a bye against golden files (UTF-8, as the terminal gets them), the JSON's shape as a
// script reads it, and the refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "pairing/driver.h"
#include "pairing/sides.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

using text::sj;

std::string golden(const std::string& name) {
  return readFile(std::string(TOQ_SOURCE_DIR) + "/tests/golden/explain/" + name);
}

/// Pairs a round as the pairing command does with handicaps on.
void pairWithHandicaps(Tournament& t, int round) {
  auto ctx = t.context();
  ASSERT_EQ(pairing::runPairing(ctx, round, {}), 0);
  pairing::assignHandicaps(ctx, round);
}

/// Results of a round: the lower row of each game wins, except that the game of `drawRow`
/// is drawn.
void results(Tournament& t, int round, int drawRow) {
  for (int row = 0; row < t.table.participantCount; ++row) {
    const int o = t.table.opponentRow(row, round);
    if (o > row) t.setResult(round, row, row == drawRow ? data::kDraw : data::kWin);
  }
}

class ExplainCommand : public CliTableTest {
 protected:
  /// A professional on two boards, a woman professional, eight amateurs (one without rating)
  /// and a bye in every round; three rounds paired with handicaps, two of them played, and in
  /// the third the organiser swapped two opponents by hand.
  void event() {
    t_->addParticipant(sj("北村 勇気八段"), 2400, 2, true);
    t_->addParticipant(sj("森川 千秋女流二段"), 2100, 1, true, true);
    const char* names[] = {"青山 大輔", "桜井 健太",   "谷口 蓮", "岡部 晴",
                           "石原 智也", "松永 さくら", "白石 陸", "古川 ひなた"};
    const int ratings[] = {2050, 1980, 1850, 1700, 1620, 1500, 0, 1400};
    for (int i = 0; i < 8; ++i) t_->addParticipant(sj(names[i]), ratings[i]);
    for (int round = 0; round < 3; ++round) {
      t_->table.opponent[10 - round][round] = data::kBye;
      pairWithHandicaps(*t_, round);
      if (round < 2) results(*t_, round, 3 + round);
    }
    // The two games of rows 4 and 6 exchange opponents.
    auto& tb = t_->table;
    const int a = 4, c = 6;
    const int b = tb.opponent[a][2], d = tb.opponent[c][2];
    tb.setPair(2, a, d);
    tb.setPair(2, c, b);
    save();
  }
};

TEST_F(ExplainCommand, GoldenTextAndJson) {
  event();
  const CliRun text = cli("explain", {table()});
  EXPECT_EQ(text.code, cli::kExitOk) << text.err;
  EXPECT_EQ(text.err, "");
  EXPECT_EQ(text.out, golden("event_round3.txt"));

  const CliRun json = cli("explain", {table(), "--json"});
  EXPECT_EQ(json.code, cli::kExitOk) << json.err;
  EXPECT_EQ(json.out, golden("event_round3.json"));

  const CliRun first = cli("explain", {table(), "--round", "1"});
  EXPECT_EQ(first.code, cli::kExitOk) << first.err;
  EXPECT_EQ(first.out, golden("event_round1.txt"));
  // Explaining leaves the file as it was.
  const std::string before = bytes("event.tai");
  cli("explain", {table(), "--round", "2", "--json"});
  EXPECT_EQ(bytes("event.tai"), before);
}

TEST_F(ExplainCommand, TheJsonAsAScriptReadsIt) {
  event();
  const CliRun run = cli("explain", {table(), "--round=3", "--json"});
  ASSERT_EQ(run.code, cli::kExitOk) << run.err;
  const nlohmann::json j = nlohmann::json::parse(run.out);
  EXPECT_EQ(j["round"], 3);
  EXPECT_EQ(j["reproduced"], false);
  EXPECT_EQ(j["boardsDiffering"], 2);
  EXPECT_EQ(j["options"]["play2"], false);
  EXPECT_EQ(j["method"], "seeded-attempt");
  EXPECT_EQ(j["sides"], "handicaps");
  ASSERT_EQ(j["boards"].size(), 5u);
  int differing = 0;
  for (const auto& board : j["boards"]) {
    const auto& players = board["players"];
    ASSERT_EQ(players.size(), 2u);
    // Rows from 1, the lower first; a board that differs names the program's opponents.
    EXPECT_LT(players[0]["row"].get<int>(), players[1]["row"].get<int>());
    EXPECT_GE(players[0]["row"].get<int>(), 1);
    if (!board["reproduced"].get<bool>()) {
      ++differing;
      EXPECT_NE(players[0]["programOpponent"], players[1]["row"]);
    } else {
      EXPECT_EQ(players[0]["programOpponent"], players[1]["row"]);
    }
  }
  EXPECT_EQ(differing, 2);
  EXPECT_EQ(j["summary"]["byes"][0]["row"], 9);
  EXPECT_EQ(j["summary"]["byes"][0]["name"], "松永 さくら");
}

TEST_F(ExplainCommand, Refusals) {
  fourPlayers();
  save();
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const Case cases[] = {
      {{table()}, cli::kExitFailure, "エラー: 組み合わせた回戦がありません。\n"},
      {{table(), "--round", "x"},
       cli::kExitUsage,
       "使い方: toq-cli explain TABLE.tai [--round K] [--json]\n"},
  };
  for (const Case& c : cases) {
    const CliRun r = cli("explain", c.args);
    EXPECT_EQ(r.code, c.code) << c.args.back();
    EXPECT_EQ(r.err, c.err) << c.args.back();
    EXPECT_EQ(r.out, "");
  }
  t_->table.setPair(0, 0, 1);
  t_->table.setPair(0, 2, 3);
  save();
  const Case paired[] = {
      {{table(), "--round", "2"}, cli::kExitFailure, "エラー: 2回戦には対局がありません。\n"},
      {{table(), "--round", "4"}, cli::kExitFailure, "エラー: 回戦が範囲外です。\n"},
      {{table(), "--round", "0"}, cli::kExitFailure, "エラー: 回戦が範囲外です。\n"},
  };
  for (const Case& c : paired) {
    const CliRun r = cli("explain", c.args);
    EXPECT_EQ(r.code, c.code) << c.args.back();
    EXPECT_EQ(r.err, c.err) << c.args.back();
  }
  // A missing table file is the reader's refusal.
  EXPECT_EQ(cli("explain", {path("none.tai").string()}).code, cli::kExitFailure);
}

}  // namespace
}  // namespace toq::testing
