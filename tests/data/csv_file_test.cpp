#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/csv_file.h"
#include "data/safe_write.h"
#include "file_fixtures.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

using text::sj;

TEST(CsvFile, GoldenChartWithEmptyCellsForRowsWithoutOpponentRow) {
  auto t = testing::threeRowTournament();
  fs::path dir = testing::makeTempDir();
  fs::path file = dir / "chart.csv";
  ASSERT_EQ(data::WriteCsvFile(t->table, t->players, file, t->ui), 0);
  EXPECT_EQ(testing::readFile(file), testing::golden("chart.csv"));
  EXPECT_TRUE(t->ui.messages.empty());

  // Saving again keeps the previous chart as ".bak".
  t->table.side[2][1] = data::kSideFirst;
  ASSERT_EQ(data::WriteCsvFile(t->table, t->players, file, t->ui), 0);
  EXPECT_EQ(testing::readFile(data::backupPath(file)), testing::golden("chart.csv"));
}

TEST(CsvFile, UnknownPlayersAbsencesAndEmptyTitle) {
  auto t = testing::makeTournament(1);
  t->addParticipant("A");
  t->table.AddParticipant(77, t->ui);  // a number without a record
  t->addParticipant("C");
  t->table.setPair(0, 0, 1);
  t->table.opponent[2][0] = data::kAbsent;
  fs::path file = fs::path(testing::makeTempDir()) / "c.csv";
  ASSERT_EQ(data::WriteCsvFile(t->table, t->players, file, t->ui), 0);
  EXPECT_EQ(testing::readFile(file), sj(",,,,\r\n"
                                        " 3, 2, 1,順位\r\n"
                                        "C,,A,氏　名\r\n"
                                        "　,　,　,1\r\n"
                                        ",A,,\r\n"));
  EXPECT_EQ(t->ui.errors(),
            (std::vector<std::string>{"IndexToName error index=77 kishi_suu=2",
                                      "IndexToOmitName error index=77 kishi_suu=2"}));
}

TEST(CsvFile, UnwritableTargetGivesMessageAndMinusOne) {
  auto t = testing::threeRowTournament();
  fs::path dir = testing::makeTempDir();
  std::ofstream(dir / "plain") << "x";
  fs::path bad = dir / "plain" / "c.csv";
  EXPECT_EQ(data::WriteCsvFile(t->table, t->players, bad, t->ui), -1);
  EXPECT_EQ(t->ui.errors(),
            std::vector<std::string>{"CSVデータを保存できませんでした(" + bad.string() + ")。"});
}

}  // namespace
}  // namespace toq
