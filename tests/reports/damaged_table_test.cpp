// Whatever a damaged table holds, the reports stay within the table and never fail to finish.

#include <gtest/gtest.h>

#include <random>

#include "report_fixture.h"
#include "reports/records.h"
#include "reports/reports.h"

namespace toq::reports {
namespace {

// Fills every plane with codes a damaged file could hold: rows beyond the used ones, codes
// outside every set, extreme values.
void scramble(data::Table& table, std::mt19937& gen) {
  const std::int16_t extremes[] = {-32768, -100, -4, -3, -2, -1, 0,   1,   2,    3,
                                   4,      7,    10, 11, 98, 99, 100, 150, 32767};
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(extremes)) - 1);
  std::uniform_int_distribution<int> small(-3, 12);
  for (auto* plane : {&table.opponent, &table.side, &table.handicap, &table.result})
    for (auto& row : *plane)
      for (auto& cell : row)
        cell = static_cast<std::int16_t>(gen() % 2 ? extremes[pick(gen)] : small(gen));
  for (auto& row : table.standings)
    for (auto& e : row) {
      e.wins = small(gen);
      e.losses = small(gen);
      e.draws = small(gen);
      e.rank = small(gen);
    }
}

TEST(DamagedTable, EveryReportComposesWhateverThePlanesHold) {
  std::mt19937 gen(20261206);
  for (int trial = 0; trial < 200; ++trial) {
    auto t = toq::testing::makeTournament(1 + static_cast<int>(gen() % data::kMaxRounds));
    const int rows = static_cast<int>(gen() % 12);
    for (int i = 0; i < rows; ++i) t->addParticipant("P" + std::to_string(i), 1500, 1 + gen() % 3);
    scramble(t->table, gen);
    if (rows > 0) t->table.participants[gen() % rows] = static_cast<int>(gen() % 3) - 1;
    const ReportHead head = test::fixedHead("x.txt");
    const int m = standingsRound(t->table, t->players);
    EXPECT_LT(m, data::kMaxRounds);
    for (int round : {-1, 0, t->table.LastPairedRound(), data::kMaxRounds})
      EXPECT_FALSE(composeRoundList(t->table, t->players, round, head, t->ui).empty());
    for (int anyM : {m, -1, 0, data::kMaxRounds - 1, data::kMaxRounds}) {
      EXPECT_FALSE(composeResults(t->table, t->players, anyM, head, t->ui).empty());
      EXPECT_FALSE(composeStandings(t->table, t->players, anyM, head, t->ui).empty());
    }
    EXPECT_FALSE(composeRatingData(t->table, t->players, test::fixedStamp(), t->ui).empty());
  }
}

TEST(DamagedTable, CountsBeyondTheCapacityAreClampedByTheLayouts) {
  auto t = toq::testing::makeTournament(3);
  t->addParticipant("A");
  t->addParticipant("B");
  t->table.setPair(0, 0, 1);
  t->table.participantCount = 250;  // beyond the 100 row slots
  t->table.numberOfGames = 70;      // beyond the 32 rounds
  const ReportHead head = test::fixedHead("x.txt");
  const std::string results = composeResults(t->table, t->players, 2, head, t->ui);
  std::string rule = "+-------------------";
  for (int r = 0; r < data::kMaxRounds; ++r) rule += "+------";
  rule += "+------+----+----+\r\n";
  EXPECT_NE(results.find(rule), std::string::npos);
  // Two lines per row slot, no more: head 4, rules and header 3, rows 200, rule and legend 3.
  std::size_t lines = 0;
  for (std::size_t pos = 0; (pos = results.find("\r\n", pos)) != std::string::npos; pos += 2)
    ++lines;
  EXPECT_EQ(lines, 4u + 3u + 2u * data::kMaxRows + 3u);
  EXPECT_FALSE(composeRoundList(t->table, t->players, 0, head, t->ui).empty());
  EXPECT_FALSE(composeStandings(t->table, t->players, 2, head, t->ui).empty());
  EXPECT_FALSE(composeRatingData(t->table, t->players, test::fixedStamp(), t->ui).empty());
}

}  // namespace
}  // namespace toq::reports
