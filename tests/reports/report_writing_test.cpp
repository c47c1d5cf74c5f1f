// Writing the reports beside the table file: names, content, overwriting, every failure
// message, the viewer hand-off and the front ends' entry point.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "report_fixture.h"
#include "reports/records.h"
#include "reports/reports.h"
#include "text/paths.h"

namespace toq::reports {
namespace {

namespace fs = std::filesystem;
using services::RecordedMessage;
using test::cp;

class ReportWriting : public ::testing::Test {
 protected:
  void SetUp() override {
    t = toq::testing::makeTournament(3);
    t->addParticipant("A", 1700);
    t->addParticipant("B", 1600);
    t->addParticipant("C", 1500);
    t->addParticipant("D", 1400);
    t->play(0, 0, 1, data::kWin);
    t->play(0, 2, 3, data::kLoss);
    t->table.filePath = dir.path() / text::pathFromUtf8("春季大会.tai");
  }
  std::string read(const fs::path& path) { return toq::testing::readFile(path); }
  ReportHead headFor(const fs::path& path) { return {pathCp932(path), pairing::makeDateStamp()}; }
  std::vector<std::string> viewed() const { return t->ui.texts(RecordedMessage::Kind::Viewer); }

  test::FixedClock clock;
  test::ScratchDir dir;
  std::unique_ptr<toq::testing::Tournament> t;
};

TEST_F(ReportWriting, EachReportLandsBesideTheTableAndGoesToTheViewer) {
  struct Case {
    ReportKind kind;
    const char* name;
  };
  for (Case c :
       {Case{ReportKind::RoundList, "1回戦組み合わせ.txt"},
        Case{ReportKind::Results, "春季大会-結果.txt"}, Case{ReportKind::Standings, "成績.txt"},
        Case{ReportKind::Rating, "春季大会-Rating.txt"}}) {
    t->ui.clear();
    fs::path written;
    EXPECT_EQ(writeReport(c.kind, t->table, t->players, t->ui, &written), kReportShown);
    const fs::path expected = dir.path() / text::pathFromUtf8(c.name);
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(fs::exists(expected)) << c.name;
    EXPECT_EQ(viewed(), std::vector<std::string>{text::pathToUtf8(expected)});
    EXPECT_TRUE(t->ui.errors().empty());
  }
  EXPECT_EQ(
      read(dir.path() / text::pathFromUtf8("1回戦組み合わせ.txt")),
      composeRoundList(t->table, t->players, 0,
                       headFor(dir.path() / text::pathFromUtf8("1回戦組み合わせ.txt")), t->ui));
  const int m = standingsRound(t->table, t->players);
  ASSERT_EQ(m, 0);
  const fs::path results = dir.path() / text::pathFromUtf8("春季大会-結果.txt");
  EXPECT_EQ(read(results), composeResults(t->table, t->players, m, headFor(results), t->ui));
  const fs::path standings = dir.path() / text::pathFromUtf8("成績.txt");
  EXPECT_EQ(read(standings), composeStandings(t->table, t->players, m, headFor(standings), t->ui));
  EXPECT_EQ(read(dir.path() / text::pathFromUtf8("春季大会-Rating.txt")),
            composeRatingData(t->table, t->players, pairing::makeDateStamp(), t->ui));
  // The head names the report's own file.
  EXPECT_EQ(read(standings).substr(0, pathCp932(standings).size() + 2),
            pathCp932(standings) + "\r\n");
}

TEST_F(ReportWriting, AnEarlierFileIsOverwrittenWithoutABackup) {
  const fs::path path = dir.path() / text::pathFromUtf8("成績.txt");
  std::ofstream(path) << "an old report that is longer than the new one will be, by far, "
                      << std::string(5000, 'x');
  ASSERT_EQ(writeStandings(t->table, t->players, t->ui), kReportShown);
  EXPECT_EQ(read(path), composeStandings(t->table, t->players, 0, headFor(path), t->ui));
  EXPECT_FALSE(fs::exists(path.string() + ".bak"));
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);
}

TEST_F(ReportWriting, RoundListWithoutAPairedRoundSaysErrorAndWritesNothing) {
  t->table.ClearRound(0);
  fs::path written;
  EXPECT_EQ(writeReport(ReportKind::RoundList, t->table, t->players, t->ui, &written),
            kReportNotWritten);
  ASSERT_EQ(t->ui.messages.size(), 1u);
  EXPECT_EQ(t->ui.messages[0].kind, RecordedMessage::Kind::Error);
  EXPECT_EQ(t->ui.messages[0].text, "エラー");
  EXPECT_EQ(t->ui.messages[0].caption, "エラー");
  EXPECT_TRUE(written.empty());
  EXPECT_TRUE(fs::is_empty(dir.path()));
  // A round beyond the table is refused the same way.
  t->ui.clear();
  EXPECT_EQ(writeRoundList(t->table, t->players, 3, t->ui), kReportNotWritten);
  EXPECT_EQ(t->ui.errors(), std::vector<std::string>{"エラー"});
}

TEST_F(ReportWriting, StandingsWithoutACompleteRoundDoNothingAtAll) {
  t->table.result[0][0] = data::kResultNone;
  t->table.result[1][0] = data::kResultNone;
  EXPECT_EQ(writeReport(ReportKind::Standings, t->table, t->players, t->ui), kReportNotWritten);
  EXPECT_TRUE(t->ui.messages.empty());
  EXPECT_TRUE(fs::is_empty(dir.path()));
  // The results table is written in any state, every record zero.
  EXPECT_EQ(writeReport(ReportKind::Results, t->table, t->players, t->ui), kReportShown);
  const std::string results = read(dir.path() / text::pathFromUtf8("春季大会-結果.txt"));
  EXPECT_NE(results.find("| 1.A               |B     |      |      | 0-0  |    |    |\r\n"),
            std::string::npos);
}

TEST_F(ReportWriting, ResultCodesThatCannotBeCountedGiveNoStandings) {
  t->table.result[0][0] = 9;  // from a damaged file: a missing result, so no round is complete
  EXPECT_EQ(standingsRound(t->table, t->players), -1);
  EXPECT_EQ(writeStandings(t->table, t->players, t->ui), kReportNotWritten);
  EXPECT_TRUE(t->ui.messages.empty());
  EXPECT_EQ(writeResults(t->table, t->players, t->ui), kReportShown);
  const std::string results = read(dir.path() / text::pathFromUtf8("春季大会-結果.txt"));
  EXPECT_NE(results.find("| 1.A               |B     |      |      | 0-0  |    |    |\r\n"),
            std::string::npos);
}

TEST_F(ReportWriting, AFolderThatCannotBeWrittenGivesEachReportsOwnMessage) {
  t->table.filePath = dir.path() / "missing" / "event.tai";
  const std::string folder = text::pathToUtf8(dir.path() / "missing" / "");  // with separator
  struct Case {
    ReportKind kind;
    std::string message;  // empty: silently nothing
  };
  for (const Case& c :
       {Case{ReportKind::RoundList, "ファイル作成エラー " + folder + "1回戦組み合わせ.txt"},
        Case{ReportKind::Results, folder + "event-結果.txtが読めません。"},
        Case{ReportKind::Standings, folder + "成績.txtが読めません。"},
        Case{ReportKind::Rating, ""}}) {
    t->ui.clear();
    fs::path written;
    EXPECT_EQ(writeReport(c.kind, t->table, t->players, t->ui, &written), kReportWriteError);
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(viewed().empty());
    if (c.message.empty()) {
      EXPECT_TRUE(t->ui.messages.empty());
    } else {
      ASSERT_EQ(t->ui.messages.size(), 1u);
      EXPECT_EQ(t->ui.messages[0].text, c.message);
      EXPECT_EQ(t->ui.messages[0].caption, "エラー");
    }
  }
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

TEST_F(ReportWriting, AWriteThatFailsAfterCreationIsReportedLikeAFailedCreation) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  const fs::path path = dir.path() / text::pathFromUtf8("成績.txt");
  fs::create_symlink("/dev/full", path);
  EXPECT_EQ(writeStandings(t->table, t->players, t->ui), kReportWriteError);
  EXPECT_EQ(t->ui.errors(), std::vector<std::string>{text::pathToUtf8(path) + "が読めません。"});
  EXPECT_TRUE(viewed().empty());
}

TEST_F(ReportWriting, ViewerFailureLeavesTheFileOnDisk) {
  t->ui.viewerResult = -1;
  for (ReportKind kind :
       {ReportKind::RoundList, ReportKind::Results, ReportKind::Standings, ReportKind::Rating}) {
    fs::path written;
    EXPECT_EQ(writeReport(kind, t->table, t->players, t->ui, &written), kReportViewerFailed);
    EXPECT_TRUE(fs::exists(written));
  }
  EXPECT_EQ(viewed().size(), 4u);
}

TEST_F(ReportWriting, RoundListOfTheLastPairedRound) {
  t->table.setPair(1, 0, 2);
  t->table.setPair(1, 1, 3);
  fs::path written;
  EXPECT_EQ(writeReport(ReportKind::RoundList, t->table, t->players, t->ui, &written),
            kReportShown);
  EXPECT_EQ(written, dir.path() / text::pathFromUtf8("2回戦組み合わせ.txt"));
  EXPECT_NE(read(written).find(cp("-------- 2回戦組み合わせ ---------\r\n")), std::string::npos);
}

TEST(ReportKinds, NamesRoundTrip) {
  for (ReportKind kind :
       {ReportKind::RoundList, ReportKind::Results, ReportKind::Standings, ReportKind::Rating})
    EXPECT_EQ(reportKindFromName(reportKindName(kind)), kind);
  EXPECT_EQ(reportKindFromName("round-list"), ReportKind::RoundList);
  EXPECT_FALSE(reportKindFromName("Results").has_value());
  EXPECT_FALSE(reportKindFromName("").has_value());
}

}  // namespace
}  // namespace toq::reports
