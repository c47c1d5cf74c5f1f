// A result code outside loss, draw and win (only a damaged or hand-edited file holds one) is a
// missing result in every report: each report reads exactly as with no result in its place,
// so the standings stand after the round before instead of showing nothing.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "report_fixture.h"
#include "reports/reports.h"

namespace toq::reports {
namespace {

constexpr std::array<ReportKind, 4> kKinds = {ReportKind::RoundList, ReportKind::Results,
                                              ReportKind::Standings, ReportKind::Rating};

/// Four players, two rounds played: A beat B, D beat C; then A beat C and B beat D, but D's
/// entry of that last game holds `code`.
std::unique_ptr<toq::testing::Tournament> twoRounds(std::int16_t code,
                                                    const std::filesystem::path& dir) {
  auto t = toq::testing::makeTournament(3);
  for (const char* name : {"A", "B", "C", "D"}) t->addParticipant(name);
  t->play(0, 0, 1, data::kWin);
  t->play(0, 2, 3, data::kLoss);
  t->play(1, 0, 2, data::kWin);
  t->play(1, 1, 3, data::kWin);
  t->table.result[3][1] = code;
  t->table.filePath = dir / "cup.tai";
  return t;
}

/// Every report of the table: its result and the bytes written ("" when none was written).
struct Written {
  std::array<int, 4> results{};
  std::array<std::string, 4> bytes{};
};

Written writeAll(toq::testing::Tournament& t) {
  Written w;
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    std::filesystem::path path;
    w.results[k] = writeReport(kKinds[k], t.table, t.players, t.ui, &path);
    if (!path.empty()) {
      w.bytes[k] = toq::testing::readFile(path);
      std::filesystem::remove(path);
    }
  }
  return w;
}

TEST(ResultCodes, ACodeOutsideTheSetReadsAsAMissingResultInEveryReport) {
  test::FixedClock clock;
  test::ScratchDir dir;
  auto missing = twoRounds(data::kResultNone, dir.path());
  const Written expected = writeAll(*missing);
  EXPECT_EQ(missing->table.LastCompletedRound(), 0);
  EXPECT_EQ(expected.results, (std::array<int, 4>{0, 0, 0, 0}));
  // The standings after the first round: A and D on one win each.
  EXPECT_NE(expected.bytes[1].find("| 1-0  |"), std::string::npos);
  EXPECT_NE(expected.bytes[2], "");

  for (std::int16_t code : {4, 9, -1, -32768, 32767}) {
    auto damaged = twoRounds(code, dir.path());
    const Written w = writeAll(*damaged);
    EXPECT_EQ(damaged->table.LastCompletedRound(), 0) << code;
    EXPECT_EQ(w.results, expected.results) << code;
    for (std::size_t k = 0; k < kKinds.size(); ++k)
      EXPECT_EQ(w.bytes[k], expected.bytes[k]) << code << " report " << k;
    EXPECT_TRUE(damaged->ui.errors().empty()) << code;
  }

  // With a result in its place the second round counts: the standings stand after it.
  auto whole = twoRounds(data::kLoss, dir.path());
  const Written after = writeAll(*whole);
  EXPECT_EQ(whole->table.LastCompletedRound(), 1);
  EXPECT_NE(after.bytes[1].find("| 2-0  |"), std::string::npos);
  EXPECT_NE(after.bytes[2], expected.bytes[2]);
}

}  // namespace
}  // namespace toq::reports
