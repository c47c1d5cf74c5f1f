// pair, standings, repeat-test and report on table files, in process.

#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "text/cp932.h"
#include "text/paths.h"

namespace toq::testing {
namespace {

using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kWin;
using text::sj;

// Every used row of the round has an opponent that names it back, or a bye.
void expectPairedSymmetrically(const data::Table& t, int round) {
  for (int row = 0; row < t.participantCount; ++row) {
    const int o = t.opponent[row][round];
    if (o == kBye) continue;
    ASSERT_GE(o, 0) << "row " << row;
    ASSERT_LT(o, t.participantCount);
    EXPECT_NE(o, row);
    EXPECT_EQ(t.opponent[o][round], row) << "row " << row;
  }
}

using CliPair = CliTableTest;

TEST_F(CliPair, PairsSavesWithBackupAndWritesTheRoundList) {
  fourPlayers();
  save();
  const std::string before = bytes("event.tai");

  CliRun r = cli("pair", {table()});
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  const std::string roundList = path("1回戦組み合わせ.txt").string();
  EXPECT_EQ(r.out, "1回戦を組み合わせました。\n" + roundList + "\n");
  EXPECT_EQ(r.err, "確認: 1回戦の組み合わせをしますか？ → はい\n");

  auto t = onDisk();
  expectPairedSymmetrically(*t, 0);
  // Sides are decided by default: the two rows of every game hold first and second move.
  for (int row = 0; row < 4; ++row)
    EXPECT_EQ(t->side[row][0] + t->side[t->opponent[row][0]][0], 3) << row;
  EXPECT_EQ(t->opponent[0][1], data::kUnpaired);
  EXPECT_EQ(bytes("event.tai.bak"), before);
  // The round list starts with its own path, in CP932.
  EXPECT_EQ(bytes("1回戦組み合わせ.txt").rfind(sj(roundList), 0), 0u);

  // The second round needs the results of the first.
  CliRun early = cli("pair", {table()});
  EXPECT_EQ(early.code, cli::kExitFailure);
  EXPECT_EQ(early.out, "");
  EXPECT_TRUE(contains(early.err, "エラー: 1回戦に勝敗の未入力があります。\n")) << early.err;
}

// The first round's split would pair A with C; with the option, one club is kept apart. When
// three of four share it, the round is paired as without the option and the game is named.
TEST_F(CliPair, AvoidAffiliationKeepsAClubApartOrNamesTheGame) {
  fourPlayers();
  for (int position : {1, 3}) t_->players.at(position).affiliation = sj("青山道場");
  save();
  ASSERT_EQ(cli("pair", {table(), "--avoid-affiliation", "1"}).code, cli::kExitOk);
  EXPECT_NE(onDisk()->opponent[0][0], 2);
  t_->players.at(2).affiliation = sj("青山道場 ");
  save();
  CliRun r = cli("pair", {table(), "--avoid-affiliation", "0"});
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_EQ(onDisk()->opponent[0][0], 2);
  EXPECT_TRUE(contains(r.err, "所属が同じ対局: 第1局 A–C（青山道場）\n")) << r.err;
  EXPECT_EQ(cli("pair", {table(), "--avoid-affiliation", "x"}).code, cli::kExitUsage);
}

TEST_F(CliPair, SidesHandicapsAndSixPieceFollowTheFlags) {
  t_->addParticipant("A", 2600);
  t_->addParticipant("B", 2600);
  t_->addParticipant("C", 1550);
  t_->addParticipant("D", 1550);
  t_->table.setPair(0, 0, 2);  // paired by hand; the pairing keeps it and pairs B with D
  save();
  const std::string start = bytes("event.tai");

  CliRun noSides = cli("pair", {table(), "--no-sides"});
  ASSERT_EQ(noSides.code, 0) << noSides.err;
  auto t = onDisk();
  EXPECT_EQ(t->opponent[1][0], 3);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(t->side[row][0], data::kSideUndecided);
    EXPECT_EQ(t->handicap[row][0], 0);
  }

  for (const auto& [flags, pieces] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"--handicaps"}, 5}, {{"--handicaps", "--six-piece"}, 10}}) {
    writeBytes(table(), start);
    std::vector<std::string> args = {table()};
    args.insert(args.end(), flags.begin(), flags.end());
    CliRun r = cli("pair", args);
    ASSERT_EQ(r.code, 0) << r.err;
    t = onDisk();
    // The stronger player gives the handicap and moves second.
    for (int giver : {0, 1}) {
      EXPECT_EQ(t->handicap[giver][0], pieces) << giver;
      EXPECT_EQ(t->handicap[giver + 2][0], -pieces) << giver;
      EXPECT_EQ(t->side[giver][0], data::kSideSecond);
      EXPECT_EQ(t->side[giver + 2][0], data::kSideFirst);
    }
  }
  EXPECT_EQ(cli("pair", {table(), "--sides", "--no-sides"}).code, cli::kExitUsage);
}

TEST_F(CliPair, ASecondGameAgainstAProfessionalNeedsPlay2) {
  t_->addParticipant("Pro", 2400, 1, true);
  t_->addParticipant("X", 1500);
  t_->play(0, 0, 1, kWin);
  save();
  CliRun refused = cli("pair", {table()});
  EXPECT_EQ(refused.code, cli::kExitFailure);
  EXPECT_TRUE(contains(refused.err, "エラー: 棋士と組み合わせられませんでした。")) << refused.err;
  EXPECT_EQ(onDisk()->opponent[0][1], data::kUnpaired);

  CliRun allowed = cli("pair", {table(), "--play2"});
  ASSERT_EQ(allowed.code, 0) << allowed.err;
  EXPECT_EQ(onDisk()->opponent[0][1], 1);
}

TEST_F(CliPair, RefusalsExitWithOneAndTheSystemsMessage) {
  fourPlayers();
  t_->addParticipant("E", 1500);
  save();
  CliRun odd = cli("pair", {table()});
  EXPECT_EQ(odd.code, cli::kExitFailure);
  EXPECT_TRUE(contains(odd.err, "エラー: 組み合わせ数が奇数(5)です。\n")) << odd.err;
  EXPECT_FALSE(std::filesystem::exists(path("event.tai.bak")));

  // Progress goes to the message stream with --verbose only.
  ASSERT_EQ(cli("bye", {table(), "5"}).code, 0);
  CliRun verbose = cli("pair", {"--verbose", table()});
  ASSERT_EQ(verbose.code, 0) << verbose.err;
  EXPECT_TRUE(contains(verbose.err, "組み合わせ中です... 1\n")) << verbose.err;
  expectPairedSymmetrically(*onDisk(), 0);

  ASSERT_EQ(cli("lock", {table(), "on"}).code, 0);
  CliRun locked = cli("pair", {table()});
  EXPECT_EQ(locked.code, cli::kExitFailure);
  EXPECT_EQ(locked.err, "TOQ: 変更は禁止されています。\n");
}

TEST_F(CliPair, EveryRoundPairedGivesNothingToPair) {
  t_ = makeTournament(1);
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  t_->play(0, 2, 3, kLoss);
  save();
  CliRun r = cli("pair", {table()});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_EQ(r.err, "エラー: エラー：組み合わせる回がありません。\n");
}

using CliStandings = CliTableTest;

TEST_F(CliStandings, ShowsTheLastCompletedRoundOrTheOneAsked) {
  fourPlayers();
  t_->play(0, 0, 2, kWin);
  t_->play(0, 1, 3, kDraw);
  t_->play(1, 0, 1, kLoss);
  t_->play(1, 2, 3, kWin);
  t_->table.setPair(2, 0, 3);  // round 3 paired, no results yet
  save();

  CliRun last = cli("standings", {table()});
  ASSERT_EQ(last.code, 0) << last.err;
  EXPECT_EQ(last.err, "");
  // Scores 2, 3, 2, 1 half-points; A and C tie on score, A has the higher Solkoff score.
  EXPECT_EQ(last.out,
            "2回戦まで\n"
            "行 対局者 勝点 勝 敗 分 ソルコフ 勝者得点 修正勝者得点 順位\n"
            " 1 A       1.0  1  1  0      2.5      1.0          0.0    2\n"
            " 2 B       1.5  1  0  1      1.5      1.0          0.0    1\n"
            " 3 C       1.0  1  1  0      1.5      0.5          0.0    3\n"
            " 4 D       0.5  0  1  1      2.5      0.0          0.0    4\n");

  CliRun first = cli("standings", {table(), "--round", "1"});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_TRUE(first.out.rfind("1回戦まで\n", 0) == 0) << first.out;
  EXPECT_TRUE(contains(first.out, " 1 A       1.0  1  0  0      0.0      0.0          0.0    1\n"))
      << first.out;
  EXPECT_EQ(cli("standings", {table(), "--round=1"}).out, first.out);

  CliRun open = cli("standings", {table(), "--round", "3"});
  EXPECT_EQ(open.code, cli::kExitFailure);
  EXPECT_EQ(open.err, "エラー: 3回戦までに勝敗の未入力があります。\n");
  CliRun outside = cli("standings", {table(), "--round", "4"});
  EXPECT_EQ(outside.code, cli::kExitFailure);
  EXPECT_EQ(outside.err, "エラー: 回戦が範囲外です。\n");
  EXPECT_EQ(cli("standings", {table(), "--round", "x"}).code, cli::kExitUsage);
  EXPECT_EQ(cli("standings", {table(), "--round"}).code, cli::kExitUsage);
}

TEST_F(CliStandings, NoCompletedRoundIsRefusedAndWinRateModeShowsTheRate) {
  t_->addParticipant("Pro", 2400, 2, true);
  t_->addParticipant("X", 1500);
  t_->addParticipant("Y", 1500);
  save();
  CliRun none = cli("standings", {table()});
  EXPECT_EQ(none.code, cli::kExitFailure);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "エラー: 終了した回戦がありません。\n");

  t_->play(0, 0, 2, kWin);
  t_->play(0, 1, 3, kLoss);
  save();
  CliRun rate = cli("standings", {table()});
  ASSERT_EQ(rate.code, 0) << rate.err;
  EXPECT_TRUE(contains(rate.out, "修正勝者得点 勝率 順位\n")) << rate.out;
  EXPECT_TRUE(
      contains(rate.out, " 1 Pro     1.0  1  0  0      0.0      0.0          0.0 0.50    2\n"))
      << rate.out;
  // The pro's second board is folded into the first: no rate, no rank.
  EXPECT_TRUE(contains(rate.out, " 2 Pro     0.0  0  1  0      1.0      0.0          0.0\n"))
      << rate.out;
}

using CliRepeatTest = CliTableTest;

TEST_F(CliRepeatTest, RunsOnACopyAndPrintsTheLog) {
  t_ = makeTournament(2);
  fourPlayers();
  save();
  const std::string before = bytes("event.tai");
  CliRun r = cli("repeat-test", {table()});
  ASSERT_EQ(r.code, 0) << r.err;
  ASSERT_FALSE(r.out.empty());
  const std::filesystem::path log = text::pathFromUtf8(r.out.substr(0, r.out.size() - 1));
  const std::string content = readFile(log.string());
  std::filesystem::remove(log);
  EXPECT_TRUE(contains(log.filename().string(), "連続抽選")) << log;
  EXPECT_TRUE(contains(content, "No.256 ")) << content;
  EXPECT_TRUE(contains(content, sj("平均時間"))) << content;
  // The file is not changed and no backup was made.
  EXPECT_EQ(bytes("event.tai"), before);
  EXPECT_FALSE(std::filesystem::exists(path("event.tai.bak")));
}

TEST_F(CliRepeatTest, AnOddFieldFailsWithTheSystemsMessage) {
  t_->addParticipant("A");
  t_->addParticipant("B");
  t_->addParticipant("C");
  save();
  CliRun r = cli("repeat-test", {table()});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_TRUE(contains(r.err, "エラー: 参加者が奇数です。\n")) << r.err;
  if (!r.out.empty())
    std::filesystem::remove(text::pathFromUtf8(r.out.substr(0, r.out.size() - 1)));
}

using CliReport = CliTableTest;

TEST_F(CliReport, WritesEachReportBesideTheTableAndPrintsItsPath) {
  fourPlayers();
  t_->play(0, 0, 2, kWin);
  t_->play(0, 1, 3, kLoss);
  t_->table.side[0][0] = data::kSideFirst;
  t_->table.side[2][0] = data::kSideSecond;
  save();
  const std::pair<const char*, const char*> kinds[] = {{"round-list", "1回戦組み合わせ.txt"},
                                                       {"results", "event-結果.txt"},
                                                       {"standings", "成績.txt"},
                                                       {"rating", "event-Rating.txt"}};
  for (auto [kind, file] : kinds) {
    CliRun r = cli("report", {table(), kind});
    ASSERT_EQ(r.code, 0) << kind << r.err;
    EXPECT_EQ(r.out, path(file).string() + "\n") << kind;
    const std::string content = bytes(file);
    EXPECT_FALSE(content.empty()) << kind;
    if (std::string(kind) == "rating") continue;
    EXPECT_EQ(content.rfind(sj(path(file).string()) + "\r\n", 0), 0u) << kind;
  }
  // The rating data: the decided even game with the winner first.
  EXPECT_TRUE(contains(bytes("event-Rating.txt"), "A,C,A" + sj("の勝ち")))
      << bytes("event-Rating.txt");
  EXPECT_EQ(onDisk()->opponent[0][0], 2);
}

TEST_F(CliReport, NothingToReportAndUnknownKinds) {
  fourPlayers();
  save();
  CliRun list = cli("report", {table(), "round-list"});
  EXPECT_EQ(list.code, cli::kExitFailure);
  EXPECT_EQ(list.out, "");
  EXPECT_EQ(list.err, "エラー: エラー\n");
  CliRun standings = cli("report", {table(), "standings"});
  EXPECT_EQ(standings.code, cli::kExitFailure);
  EXPECT_EQ(standings.err, "エラー: 帳票にする回戦がありません。\n");
  CliRun unknown = cli("report", {table(), "everything"});
  EXPECT_EQ(unknown.code, cli::kExitUsage);
  EXPECT_TRUE(contains(unknown.err, "round-list, results, standings, rating")) << unknown.err;
  EXPECT_EQ(cli("report", {table(), "results", "--pro"}).code, cli::kExitUsage);
}

TEST_F(CliReport, OpenHandsTheReportToTheViewer) {
  fourPlayers();
  t_->play(0, 0, 2, kWin);
  t_->play(0, 1, 3, kLoss);
  save();
  // No viewer can be found: the file is written, its path printed, and the run fails.
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", "/nonexistent-toq-dir", 1);
  CliRun r = cli("report", {table(), "results", "--open"});
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_EQ(r.out, path("event-結果.txt").string() + "\n");
  EXPECT_TRUE(contains(r.err, "の表示に失敗しました。")) << r.err;
}

}  // namespace
}  // namespace toq::testing
