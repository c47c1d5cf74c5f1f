// The event's name after an import (whose title is only the placeholder "test") and after
// reopening (no title at all): the chart, the CSV's first line, the repeated test's log and
// the web page all name the event after its table file.
#include <gtest/gtest.h>

#include <fstream>

#include "data/csv_file.h"
#include "edit/edit_fixture.h"
#include "edit/file_commands.h"
#include "pairing/date_stamp.h"
#include "pairing/repeat_test.h"
#include "reports/print/print_job.h"
#include "reports/web_page.h"
#include "support/recording_canvas.h"
#include "text/cp932.h"

namespace toq {
namespace {

namespace fs = std::filesystem;

class EventName : public testing::EditTest {
 protected:
  // The four places, each asked for the event's name as it prints it (CP932).
  void expectNamedEverywhere(const std::string& utf8) {
    const std::string name = text::sj(utf8);
    const fs::path csv = fs::path(dir_) / "chart.csv";
    ASSERT_EQ(data::WriteCsvFile(ws_->table, ws_->players, csv, ui_), 0);
    EXPECT_EQ(testing::readFile(csv).substr(0, name.size() + 6), name + ",,,,\r\n");

    reports::print::RecordingCanvas canvas(600, 600, 6780, 5908);
    reports::print::PrintJob job(reports::print::Layout::Chart, ws_->table, ws_->players, "x",
                                 reports::print::ScreenResolution{96, 96});
    reports::print::printDocument(job, canvas, ui_);
    EXPECT_NE(canvas.findText(0, name), nullptr);
    EXPECT_EQ(canvas.findText(0, "test"), nullptr);

    const std::string page =
        reports::composeWebPage(ws_->table, ws_->players, pairing::makeDateStamp(), ui_);
    EXPECT_NE(page.find("<h1>" + utf8 + "</h1>"), std::string::npos);

    fs::path log;
    auto ctx = ws_->context(ui_);
    ASSERT_EQ(pairing::runRepeatedTest(ctx, dir_, {}, &log, 1), 0);
    EXPECT_NE(testing::readFile(log).find("\n" + name + " " + text::sj("4名") + "\n"),
              std::string::npos);
  }
};

TEST_F(EventName, AfterImportAndAfterReopeningTheFileNamesTheEvent) {
  const fs::path list = fs::path(dir_) / u8"春季将棋大会.txt";
  std::ofstream(list, std::ios::binary)
      << text::sj("$試合数：2\r\n\"一\",1500\r\n\"二\",1400\r\n\"三\",1300\r\n\"四\",1200\r\n");
  ASSERT_EQ(edit::importNameList(*ws_, ui_, list), 0);
  EXPECT_EQ(ws_->table.title, "test");
  expectNamedEverywhere("春季将棋大会");

  const fs::path tai = ws_->table.filePath;
  ws_->table = data::Table();
  ASSERT_EQ(data::OpenTableFile(ws_->players, ws_->table, tai, ws_->playerFile, ui_), 0);
  EXPECT_EQ(ws_->table.title, "");
  expectNamedEverywhere("春季将棋大会");

  // A title of the organiser's own stands.
  ws_->table.title = text::sj("第１回 市民大会");
  expectNamedEverywhere("第１回 市民大会");
}

}  // namespace
}  // namespace toq
