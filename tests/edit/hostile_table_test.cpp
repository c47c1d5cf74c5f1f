// Tables that a file can hold but no command makes: opponents outside the rows, pairs that do
// not point back, codes outside their sets, players without a record, no rows, every round,
// every row. Each is saved, opened as the program opens it, and then taken through everything
// that reads it: the standings, the pairing command, the four reports and the CSV chart. Each
// case checks what the user gets: a clear message or a tolerated value.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "data/csv_file.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/pair_command.h"
#include "edit/workspace.h"
#include "pairing/standings.h"
#include "reports/reports.h"
#include "reports/round_list.h"
#include "support/builders.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "text/paths.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using reports::ReportKind;

constexpr std::array<ReportKind, 4> kKinds = {ReportKind::RoundList, ReportKind::Results,
                                              ReportKind::Standings, ReportKind::Rating};

/// What one pass through everything gave.
struct Pass {
  int completed = -2;  ///< the last completed round after opening
  int standings = -2;  ///< computeStandings of that round
  int pairing = -2;    ///< the pairing command
  std::array<int, 4> reports{};
  int csv = -2;
};

class HostileTable : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::makeTempDir();
    ws_ = std::make_unique<edit::Workspace>();
    ws_->table.numberOfGames = 4;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path file(const std::string& name) const { return fs::path(dir_) / text::pathFromUtf8(name); }
  std::string bytes(const std::string& name) const { return testing::readFile(file(name)); }
  data::Table& table() { return ws_->table; }

  int add(const std::string& name, int rating = 1600, int rows = 1, bool professional = false) {
    data::Player p;
    p.name = name;
    p.rating = rating;
    p.professional = professional ? 1 : 0;
    ws_->players.AddPlayer(p);
    const int number = ws_->players.at(ws_->players.count()).number;
    for (int i = 0; i < rows; ++i) table().AddParticipant(number, ui_);
    return number;
  }
  void play(int round, int a, int b, std::int16_t resultOfA) {
    table().setPair(round, a, b);
    table().result[a][round] = resultOfA;
    table().result[b][round] = static_cast<std::int16_t>(data::kWin + data::kLoss - resultOfA);
    if (resultOfA == data::kDraw) table().result[b][round] = data::kDraw;
  }

  /// Six players, two complete rounds: A beat B, C drew D, F beat E; A beat C, E beat B,
  /// D beat F.
  void sixPlayersTwoRounds() {
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) add(name);
    play(0, 0, 1, data::kWin);
    play(0, 2, 3, data::kDraw);
    play(0, 4, 5, data::kLoss);
    play(1, 0, 2, data::kWin);
    play(1, 1, 4, data::kLoss);
    play(1, 3, 5, data::kWin);
  }

  /// Saves the table and the register as the program writes them, then opens them again
  /// into a fresh workspace, as the program opens a table file: what follows reads only what
  /// the files held.
  void saveAndReopen() {
    services::RecordingServices quiet;
    const fs::path tai = file("cup.tai");
    ASSERT_EQ(data::WritePlayerFile(ws_->players, file("cup.ply")), 0);
    if (table().participantCount > 0) {
      ASSERT_EQ(data::WriteTableFile(table(), tai, quiet), 0);
    } else {
      // Nothing is written for a table without rows; a file can still say so.
      std::ofstream(tai, std::ios::binary)
          << text::sj("# TOQ V0.60 対戦表データ\r\n$回戦数      :4\r\n");
    }
    ws_ = std::make_unique<edit::Workspace>();
    ASSERT_EQ(data::OpenTableFile(ws_->players, ws_->table, tai, ws_->playerFile, quiet), 0);
  }

  /// Everything that reads the table, in the order a session would run it.
  Pass runEverything() {
    Pass p;
    data::Table& t = table();
    p.completed = t.LastCompletedRound();
    p.standings = pairing::computeStandings(t, ws_->players, p.completed);
    p.pairing = edit::pairNextRound(*ws_, ui_, {});
    for (std::size_t k = 0; k < kKinds.size(); ++k)
      p.reports[k] = reports::writeReport(kKinds[k], t, ws_->players, ui_);
    p.csv = data::WriteCsvFile(t, ws_->players, file("cup.csv"), ui_);
    return p;
  }

  /// The round list of one round, as written for the table now.
  std::string roundList(int round) {
    std::filesystem::path written;
    EXPECT_EQ(reports::writeRoundList(table(), ws_->players, round, ui_, &written),
              reports::kReportShown);
    return testing::readFile(written);
  }

  /// Every unpaired row of the round before the command has a partner that points back.
  void expectWholePairs(const data::Table& before, int round) {
    for (int row = 0; row < table().participantCount; ++row) {
      if (before.opponent[row][round] != data::kUnpaired) {
        EXPECT_EQ(table().opponent[row][round], before.opponent[row][round]) << row;
        continue;
      }
      const int o = table().opponentRow(row, round);
      ASSERT_GE(o, 0) << row;
      EXPECT_EQ(table().opponent[o][round], row) << row;
      EXPECT_EQ(before.opponent[o][round], data::kUnpaired) << row;
    }
  }

  std::string firstError() const {
    const auto errors = ui_.errors();
    return errors.empty() ? std::string() : errors.front();
  }

  std::string dir_;
  std::unique_ptr<edit::Workspace> ws_;
  services::RecordingServices ui_;
};

bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// An opponent code that names no row of the table (beyond the rows, beyond the planes, or a
// negative code that is no bye or absence) is no game: it scores nothing, it is no meeting, the
// reports show an empty cell and the round list "未定". It is kept as it is: the pairing command
// pairs only the rows that hold "unpaired".
TEST_F(HostileTable, OpponentsOutsideTheRowsAreNoGame) {
  sixPlayersTwoRounds();
  table().opponent[3][1] = 45;     // D beat F: D's entry now names no row
  table().opponent[5][1] = 32767;  // and F's names none of the planes
  table().opponent[4][1] = -7;     // E beat B: E's entry is no code at all
  saveAndReopen();
  const Pass p = runEverything();

  EXPECT_EQ(p.completed, 1);
  EXPECT_EQ(p.standings, 0);
  const auto& st = table().standings;
  // D: a draw in round 0 only; F: a win in round 0 only; E: a loss in round 0 only.
  EXPECT_EQ(st[3][1].score, 1);
  EXPECT_EQ(st[3][1].wins, 0);
  EXPECT_EQ(st[5][1].wins, 1);
  EXPECT_EQ(st[5][1].losses, 0);
  EXPECT_EQ(st[4][1].losses, 1);
  EXPECT_EQ(st[4][1].wins, 0);
  // B still lost to E in its own entry.
  EXPECT_EQ(st[1][1].losses, 2);
  EXPECT_EQ(st[1][1].wins, 0);

  EXPECT_EQ(p.pairing, 0);
  for (int row = 0; row < 6; ++row) EXPECT_GE(table().opponentRow(row, 2), 0) << row;
  EXPECT_EQ(p.reports, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(p.csv, 0);
  EXPECT_TRUE(ui_.errors().empty());

  const std::string second = roundList(1);
  EXPECT_TRUE(contains(second, text::sj(" 4. D                     *** 未定 ***")));
  EXPECT_TRUE(contains(second, text::sj(" 6. F                     *** 未定 ***")));
  EXPECT_TRUE(contains(second, text::sj(" 5. E                     *** 未定 ***")));
  // The CSV chart of round 2 (columns F, E, D, C, B, A): empty cells for F, E and D.
  EXPECT_TRUE(contains(bytes("cup.csv"), "\r\n,,,A,E,C,\r\n"));
}

// A pair that does not point back: every row's own entry counts for that row. The round list
// shows each row's entry (one player may appear twice), sides are drawn only for whole pairs,
// and the pairing command leaves one-sided entries alone and pairs the unpaired rows.
TEST_F(HostileTable, PairsThatDoNotPointBackCountForEachRowAlone) {
  sixPlayersTwoRounds();
  // Round 2: A names B, but B names C, and C names B: A's entry points at a pair.
  table().opponent[0][1] = 1;  // A beat C (its result stays a win)
  table().opponent[1][1] = 2;  // B lost to E, now names C
  table().opponent[2][1] = 1;  // C lost to A, now names B
  // The round to pair holds a one-sided entry: D names E, nobody names D.
  table().opponent[3][2] = 4;
  saveAndReopen();
  const Pass p = runEverything();

  EXPECT_EQ(p.standings, 0);
  const auto& st = table().standings;
  EXPECT_EQ(st[0][1].wins, 2);    // A: both of its own entries are wins
  EXPECT_EQ(st[1][1].losses, 2);  // B: lost round 0, and its entry of round 1 a loss
  EXPECT_EQ(st[1][1].wins, 0);
  EXPECT_EQ(st[0][1].solkoff, 0);  // A met B twice by its own entries; B has no points
  EXPECT_EQ(st[2][1].losses, 1);

  // Unpaired in round 3: A, B, C, E and F: five rows, which the command refuses clearly.
  EXPECT_EQ(p.pairing, -1);
  EXPECT_EQ(firstError(), "組み合わせ数が奇数(5)です。");
  EXPECT_EQ(p.reports[1], 0);
  EXPECT_EQ(p.csv, 0);

  const std::string second = roundList(1);
  EXPECT_TRUE(contains(second, text::sj(" 1.     A                    対  2.     B")));
  EXPECT_TRUE(contains(second, text::sj(" 2.     B                    対  3.     C")));

  // With F away, the other four are paired; D keeps its one-sided entry and gets no side.
  ui_.clear();
  table().opponent[5][2] = data::kAbsent;
  auto before = std::make_unique<data::Table>(table());
  ASSERT_EQ(edit::pairNextRound(*ws_, ui_, {}), 0);
  expectWholePairs(*before, 2);
  EXPECT_EQ(table().opponent[3][2], 4);
  EXPECT_EQ(table().side[3][2], data::kSideUndecided);
  EXPECT_NE(table().opponent[4][2], 3);  // E was unpaired, so it got a partner of its own
}

// Side and handicap codes outside their sets are shown as an undecided side and an even game
// without a handicap name. A result code outside its set cannot be counted, so every query
// takes it for a missing result: its round is not complete, the standings and the reports
// stand after the round before, and the pairing command names the round instead of pairing by
// scores it could not compute.
TEST_F(HostileTable, CodesOutsideTheirSets) {
  sixPlayersTwoRounds();
  table().side[0][1] = 7;
  table().side[2][1] = -32768;
  table().handicap[0][1] = 6;
  table().handicap[2][1] = -32768;
  table().side[1][0] = 0;
  table().handicap[1][0] = 99;
  table().result[4][1] = 9;  // E beat B
  saveAndReopen();
  const Pass p = runEverything();

  EXPECT_EQ(p.completed, 0);
  EXPECT_EQ(p.standings, 0);
  EXPECT_EQ(p.pairing, -1);
  EXPECT_EQ(firstError(), "2回戦に勝敗の未入力があります。");
  EXPECT_EQ(p.reports, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(p.csv, 0);
  EXPECT_TRUE(fs::exists(file("成績.txt")));

  const std::string second = roundList(1);
  // Side labels: codes outside 1 and 2 read as undecided; no handicap name for 6.
  EXPECT_TRUE(
      contains(second, text::sj(" 1. (未)A                    対  3. (未)C              \r\n")));
  const std::string results = bytes("cup-結果.txt");
  // A's record cell: the standings after the first round.
  EXPECT_TRUE(contains(results, text::sj("| 1-0  |1.00|  1 |\r\n")));
  // B's round-1 cell: handicap 99 is no mark, side 0 no side mark; then its loss.
  EXPECT_TRUE(contains(results, text::sj("|   1600            | ●   |")));

  // With the result entered, the round counts again and the next one is paired.
  table().result[4][1] = data::kWin;
  ui_.clear();
  EXPECT_EQ(edit::pairNextRound(*ws_, ui_, {}), 0);
}

// A row whose player number no record holds: every look-up shows its own message and gives an
// empty name; the standings, the pairing (an amateur with one board) and every file go on.
TEST_F(HostileTable, PlayerWithoutARecord) {
  sixPlayersTwoRounds();
  table().participants[2] = 77;  // C
  saveAndReopen();
  const Pass p = runEverything();

  EXPECT_EQ(p.standings, 0);
  EXPECT_EQ(p.pairing, 0);
  EXPECT_EQ(p.reports, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(p.csv, 0);
  const auto errors = ui_.errors();
  ASSERT_FALSE(errors.empty());
  for (const std::string& e : errors) EXPECT_TRUE(contains(e, "index=77")) << e;
  EXPECT_TRUE(contains(bytes("cup.csv"), text::sj(",,B,A,氏　名\r\n")));
}

// A file without row lines: nothing to pair, no round list; the results table, the standings
// report and the chart are written empty.
TEST_F(HostileTable, NoParticipants) {
  saveAndReopen();
  EXPECT_EQ(table().participantCount, 0);
  const Pass p = runEverything();

  EXPECT_EQ(p.standings, 0);
  EXPECT_EQ(p.pairing, -1);
  EXPECT_EQ(firstError(), "エラー：組み合わせる回がありません。");
  EXPECT_EQ(p.reports[0], reports::kReportNotWritten);
  EXPECT_EQ(ui_.errors().back(), "エラー");
  EXPECT_EQ(p.reports[1], 0);
  EXPECT_EQ(p.csv, 0);
  // The chart is named after the table file.
  EXPECT_EQ(bytes("cup.csv").substr(0, 9), "cup,,,,\r\n");
  EXPECT_FALSE(fs::exists(file("cup.tai.bak")));
}

// Thirty-two rounds: the last one is paired like any other; after it there is none.
TEST_F(HostileTable, ThirtyTwoRounds) {
  table().numberOfGames = data::kMaxRounds;
  for (const char* name : {"A", "B", "C", "D"}) add(name);
  for (int k = 0; k < data::kMaxRounds - 1; ++k) {
    play(k, 0, 1, k % 2 ? data::kWin : data::kLoss);
    play(k, 2, 3, data::kDraw);
  }
  saveAndReopen();
  auto before = std::make_unique<data::Table>(table());
  const Pass p = runEverything();

  EXPECT_EQ(p.completed, data::kMaxRounds - 2);
  EXPECT_EQ(p.pairing, 0);
  expectWholePairs(*before, data::kMaxRounds - 1);
  EXPECT_EQ(table().LastPairedRound(), data::kMaxRounds - 1);
  EXPECT_EQ(p.reports, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(p.csv, 0);
  EXPECT_TRUE(fs::exists(file("32回戦組み合わせ.txt")));

  ui_.clear();
  EXPECT_EQ(edit::pairNextRound(*ws_, ui_, {}), -1);
  EXPECT_EQ(firstError(), "エラー：組み合わせる回がありません。");
}

// Ninety-nine rows, the capacity: an odd round is refused until a bye is set, then paired.
TEST_F(HostileTable, NinetyNineRows) {
  for (int i = 0; i < data::kMaxParticipants; ++i) add("P" + std::to_string(i), 1000 + 15 * i);
  EXPECT_EQ(table().AddParticipant(1, ui_), -1);
  EXPECT_EQ(table().participantCount, data::kMaxParticipants);
  ui_.clear();
  saveAndReopen();
  const Pass p = runEverything();

  EXPECT_EQ(p.pairing, -1);
  EXPECT_EQ(firstError(), "組み合わせ数が奇数(99)です。");
  EXPECT_EQ(p.reports[1], 0);
  EXPECT_EQ(p.csv, 0);

  ui_.clear();
  table().opponent[98][0] = data::kBye;
  auto before = std::make_unique<data::Table>(table());
  ASSERT_EQ(edit::pairNextRound(*ws_, ui_, {}), 0);
  expectWholePairs(*before, 0);
  EXPECT_EQ(table().opponent[98][0], data::kBye);
  // The saved file reads back with all 99 rows.
  auto again = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*again, file("cup.tai"), ui_), 0);
  EXPECT_EQ(again->participantCount, data::kMaxParticipants);
  EXPECT_EQ(again->opponent[0][0], table().opponent[0][0]);
}

// Both capacities at once: 99 rows and 32 rounds, 31 of them played (a round robin in which
// each row sits out once). The last round is paired, and every file has every row and round.
TEST_F(HostileTable, NinetyNineRowsAndThirtyTwoRounds) {
  table().numberOfGames = data::kMaxRounds;
  for (int i = 0; i < data::kMaxParticipants; ++i) add("P" + std::to_string(i), 1000 + 15 * i);
  // Circle method over 100 places; the partner of the hundredth place sits out.
  constexpr int kPlaces = data::kMaxParticipants + 1;
  for (int k = 0; k < data::kMaxRounds - 1; ++k) {
    for (int i = 0; i < kPlaces / 2; ++i) {
      const int a = i == 0 ? kPlaces - 1 : (i + k) % (kPlaces - 1);
      const int b = (kPlaces - 1 - i + k) % (kPlaces - 1);
      if (a == kPlaces - 1)
        table().opponent[b][k] = data::kBye;
      else
        play(k, a, b, (a + b + k) % 3 == 0 ? data::kDraw : data::kWin);
    }
  }
  table().opponent[0][data::kMaxRounds - 1] = data::kBye;
  saveAndReopen();
  auto before = std::make_unique<data::Table>(table());
  const Pass p = runEverything();

  EXPECT_EQ(p.completed, data::kMaxRounds - 2);
  EXPECT_EQ(p.standings, 0);
  EXPECT_EQ(p.pairing, 0);
  expectWholePairs(*before, data::kMaxRounds - 1);
  EXPECT_EQ(p.reports, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(p.csv, 0);
  EXPECT_TRUE(ui_.errors().empty());
  // The chart: three head lines and two lines per round.
  const std::string csv = bytes("cup.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3 + 2 * data::kMaxRounds);
  auto again = std::make_unique<data::Table>();
  ASSERT_EQ(data::ReadTableFile(*again, file("cup.tai"), ui_), 0);
  EXPECT_EQ(again->participantCount, data::kMaxParticipants);
  EXPECT_EQ(again->numberOfGames, data::kMaxRounds);
  EXPECT_EQ(again->FirstUnpairedRound(), -1);
}

}  // namespace
}  // namespace toq
