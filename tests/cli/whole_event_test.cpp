// A whole event run through the built toq-cli program only, from the sample name list: import,
// a player registered and added and removed again, a bye for the odd field, pairing, results,
// a hand-set opponent, a cancelled round, standings, the four reports and the CSV chart. After
// every step the files are read back: pairs symmetric, results entered, the ".bak" holding the
// version before the step.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/cli_harness.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "support/recording_services.h"
#include "text/cp932.h"

namespace toq::testing {
namespace {

namespace fs = std::filesystem;
using text::sj;

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class WholeEvent : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    fs::copy_file(fs::path(TOQ_SOURCE_DIR) / "resources" / "sample-names.txt",
                  dir_ / "sample-names.txt");
  }
  void TearDown() override { fs::remove_all(dir_); }

  CliRun run(const std::vector<std::string>& args) { return runProgram(args, dir_); }
  std::string bytes(const std::string& name) const { return readFile((dir_ / name).string()); }

  /// A sub-command that changes the table: it must succeed, and the ".bak" must then hold
  /// the table as it was before.
  CliRun change(const std::vector<std::string>& args) {
    const std::string before = bytes(kTable);
    CliRun r = run(args);
    EXPECT_EQ(r.code, 0) << args[0] << ": " << r.err;
    EXPECT_EQ(bytes(std::string(kTable) + ".bak"), before) << args[0];
    EXPECT_NE(bytes(kTable), before) << args[0];
    return r;
  }

  std::unique_ptr<data::Table> table() {
    auto t = std::make_unique<data::Table>();
    services::RecordingServices quiet;
    EXPECT_EQ(data::ReadTableFile(*t, dir_ / kTable, quiet), 0);
    return t;
  }

  /// Every row of the round has a bye or an opponent that names it back.
  static void expectPaired(const data::Table& t, int round) {
    for (int row = 0; row < t.participantCount; ++row) {
      const int o = t.opponent[row][round];
      if (o == data::kBye) continue;
      ASSERT_GE(o, 0) << "round " << round << " row " << row;
      ASSERT_LT(o, t.participantCount);
      EXPECT_EQ(t.opponent[o][round], row) << "round " << round << " row " << row;
      // Sides were decided: one first move, one second move.
      EXPECT_EQ(t.side[row][round] + t.side[o][round], 3) << "round " << round << " row " << row;
    }
  }

  /// Every game of the round has a result, the two rows agreeing.
  static void expectResulted(const data::Table& t, int round) {
    for (int row = 0; row < t.participantCount; ++row) {
      const int o = t.opponentRow(row, round);
      if (o < 0) continue;
      const int a = t.result[row][round], b = t.result[o][round];
      EXPECT_TRUE(a == data::kWin || a == data::kLoss || a == data::kDraw) << row;
      EXPECT_EQ(a + b, data::kWin + data::kLoss) << "round " << round << " row " << row;
    }
  }

  static int byes(const data::Table& t, int round) {
    int n = 0;
    for (int row = 0; row < t.participantCount; ++row) n += t.opponent[row][round] == data::kBye;
    return n;
  }

  /// Enters a result for every game of the round with the result sub-command: wins, losses
  /// and draws in turn, each from the game's upper row.
  void enterResults(int round) {
    auto t = table();
    const char* words[] = {"win", "loss", "draw"};
    int turn = 0;
    for (int row = 0; row < t->participantCount; ++row) {
      const int o = t->opponentRow(row, round);
      if (o <= row) continue;
      CliRun r = change({"result", kTable, std::to_string(round + 1), std::to_string(row + 1),
                         words[turn++ % 3]});
      EXPECT_TRUE(r.out.rfind(std::to_string(round + 1) + "回戦 ", 0) == 0) << r.out;
    }
  }

  /// Pairs the next round (after a bye for `byeRow`, 1-based) and checks the files.
  void pairWithBye(int round, int byeRow) {
    CliRun bye = change({"bye", kTable, std::to_string(byeRow)});
    EXPECT_TRUE(has(bye.out, "抜け番にしました。")) << bye.out;
    CliRun paired = change({"pair", kTable});
    const std::string list = std::to_string(round + 1) + "回戦組み合わせ.txt";
    EXPECT_EQ(paired.out, std::to_string(round + 1) + "回戦を組み合わせました。\n" + list + "\n");
    EXPECT_EQ(bytes(list).rfind(sj(list) + "\r\n", 0), 0u) << list;
    auto t = table();
    expectPaired(*t, round);
    EXPECT_EQ(t->opponent[byeRow - 1][round], data::kBye);
    EXPECT_EQ(byes(*t, round), 1);
  }

  static constexpr const char* kTable = "sample-names.tai";
  fs::path dir_;
};

TEST_F(WholeEvent, FromTheNameListToTheReports) {
  // Import: 20 players, two of them on several boards, make 23 rows and 5 rounds.
  CliRun imported = run({"import", "sample-names.txt"});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.out, "対局者 20人、対戦表 23行、5回戦\nsample-names.ply\nsample-names.tai\n");
  ASSERT_EQ(table()->participantCount, 23);

  // One more player registered and added makes the field even; removed again, it is odd.
  CliRun registered =
      run({"register", "sample-names.ply", "追加 選手", "--rating", "1500", "--short", "追加"});
  ASSERT_EQ(registered.code, 0) << registered.err;
  EXPECT_EQ(registered.out, "追加 選手 を番号 21 で登録しました（21番目）。\n");
  CliRun candidates = run({"candidates", kTable});
  EXPECT_EQ(candidates.out, "21 追加 選手\n");
  change({"add", kTable, "21"});
  EXPECT_EQ(table()->participantCount, 24);
  change({"remove", kTable, "24"});
  EXPECT_EQ(table()->participantCount, 23);
  data::Register players;
  ASSERT_EQ(data::LoadPlayerFile(players, dir_ / "sample-names.ply"), 0);
  EXPECT_EQ(players.count(), 21);

  // Round 1: the odd field needs a bye first.
  CliRun odd = run({"pair", kTable});
  EXPECT_EQ(odd.code, 1);
  EXPECT_TRUE(has(odd.err, "エラー: 組み合わせ数が奇数(23)です。")) << odd.err;
  pairWithBye(0, 23);
  enterResults(0);
  expectResulted(*table(), 0);
  EXPECT_EQ(table()->LastCompletedRound(), 0);

  // Round 2: an opponent set by hand from the chooser's first section, kept by the pairing.
  CliRun choices = run({"opponents", kTable, "7"});
  ASSERT_EQ(choices.code, 0) << choices.err;
  std::istringstream lines(choices.out);
  std::string title, first;
  std::getline(lines, title);
  std::getline(lines, first);
  EXPECT_EQ(title, "2回戦　青山 大輔  対戦相手の指定");
  const std::string number =
      first.substr(first.find_first_not_of(' '),
                   first.find(' ', first.find_first_not_of(' ')) - first.find_first_not_of(' '));
  change({"opponent", kTable, "7", number});
  const int handRow = table()->opponent[6][1];
  ASSERT_GE(handRow, 0);
  EXPECT_EQ(table()->participants[handRow], std::stoi(number));
  pairWithBye(1, 22);
  EXPECT_EQ(table()->opponent[6][1], handRow);
  change({"random-results", kTable});
  expectResulted(*table(), 1);

  // Round 3 is paired and cancelled, then paired again.
  pairWithBye(2, 21);
  const std::string paired = bytes(kTable);
  CliRun cancelled = change({"cancel-round", kTable});
  EXPECT_EQ(cancelled.out, "3回戦の組み合わせを取り消しました。\n");
  EXPECT_EQ(bytes("sample-names.tai.bak"), paired);
  {
    auto t = table();
    for (int row = 0; row < t->participantCount; ++row)
      EXPECT_EQ(t->opponent[row][2], data::kUnpaired) << row;
    EXPECT_EQ(t->LastPairedRound(), 1);
  }
  pairWithBye(2, 20);
  change({"random-results", kTable});
  CliRun handicap = change({"handicap", kTable, "3", "4", "角落ち", "0", "draw"});
  EXPECT_TRUE(has(handicap.out, "角落ち")) << handicap.out;
  expectResulted(*table(), 2);
  EXPECT_EQ(table()->LastCompletedRound(), 2);

  // A locked table refuses the next pairing.
  change({"lock", kTable, "on"});
  CliRun locked = run({"pair", kTable});
  EXPECT_EQ(locked.code, 1);
  EXPECT_EQ(locked.err, "TOQ: 変更は禁止されています。\n");
  change({"lock", kTable, "off"});

  // Standings and the main view's columns after round 3.
  CliRun standings = run({"standings", kTable});
  ASSERT_EQ(standings.code, 0) << standings.err;
  EXPECT_EQ(standings.out.rfind("3回戦まで\n", 0), 0u) << standings.out;
  EXPECT_TRUE(has(standings.out, " 1 北村 勇気八段")) << standings.out;
  CliRun shown = run({"show", kTable});
  ASSERT_EQ(shown.code, 0) << shown.err;
  EXPECT_TRUE(has(shown.out, "勝-敗-分 勝率 順位")) << shown.out;
  EXPECT_TRUE(has(shown.out, "計 ")) << shown.out;

  // The four reports, beside the table, each under its own name.
  const std::pair<const char*, const char*> reports[] = {{"round-list", "3回戦組み合わせ.txt"},
                                                         {"results", "sample-names-結果.txt"},
                                                         {"standings", "成績.txt"},
                                                         {"rating", "sample-names-Rating.txt"}};
  for (auto [kind, file] : reports) {
    CliRun r = run({"report", kTable, kind});
    ASSERT_EQ(r.code, 0) << kind << ": " << r.err;
    EXPECT_EQ(r.out, std::string(file) + "\n");
    const std::string content = bytes(file);
    ASSERT_FALSE(content.empty()) << kind;
    if (std::string(kind) == "rating") continue;
    EXPECT_EQ(content.rfind(sj(file) + "\r\n", 0), 0u) << kind;
  }
  EXPECT_TRUE(has(bytes("成績.txt"), sj("3回戦まで")));
  EXPECT_TRUE(has(bytes("sample-names-Rating.txt"), sj("の勝ち") + "\r\n"));
  EXPECT_TRUE(has(bytes("sample-names-結果.txt"), sj("|第３局|")));

  // The CSV chart.
  CliRun csv = run({"csv", kTable});
  ASSERT_EQ(csv.code, 0) << csv.err;
  EXPECT_EQ(csv.out, "sample-names.tai.csv\n");
  EXPECT_TRUE(has(bytes("sample-names.tai.csv"), sj("順位") + "\r\n"));

  // Nothing of the run went elsewhere than the event's folder.
  EXPECT_TRUE(fs::exists(dir_ / "sample-names.ply.bak"));
}

}  // namespace
}  // namespace toq::testing
