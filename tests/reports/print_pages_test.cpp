// What every printed page shares: the device measures, the seven fonts of a job, the page
// count, the page header with and without "Page %d / %d", and the player list's cells.

#include <gtest/gtest.h>

#include <string>

#include "print_fixture.h"
#include "reports/print/page_header.h"
#include "reports/print/player_list.h"
#include "text/format.h"

namespace toq::reports::print {
namespace {

using test::cp;
using test::kHeight;
using test::kWidth;

std::unique_ptr<toq::testing::Tournament> registerOf(int players) {
  auto t = toq::testing::makeTournament();
  for (int i = 1; i <= players; ++i) t->addPlayer(text::format("Player%d", i), 1000 + i, 1 + i % 3);
  return t;
}

TEST(PrintMeasures, MillimetresAndScreenPixelsBecomeWholePrinterPixels) {
  const DeviceMeasures m = measureDevice(600, 600, kWidth, kHeight, ScreenResolution{96, 96}, 66);
  EXPECT_DOUBLE_EQ(m.kx, 6.25);
  EXPECT_EQ(m.leftMargin, 188);  // 8 mm = 188.98 pixels
  EXPECT_EQ(m.topMargin, 70);
  EXPECT_EQ(m.bottomMargin, 118);
  EXPECT_EQ(m.cellInset, 18);
  EXPECT_EQ(m.lineGap, 11);
  EXPECT_EQ(m.thinPen, 6);
  EXPECT_EQ(m.thickPen, 12);
  EXPECT_EQ(m.lineHeight, 88);
  EXPECT_EQ(m.linesPerPage, 60);
  EXPECT_EQ(m.bodyTop(), 70 + 132);
  EXPECT_EQ(m.unitsAcross(100), 166);  // 100 layout units = 26.7 screen pixels

  // A screen of 120 dpi makes a screen pixel smaller on paper.
  const DeviceMeasures fine = measureDevice(600, 300, kWidth, kHeight, {120, 120}, 33);
  EXPECT_EQ(fine.thinPen, 5);
  EXPECT_EQ(fine.thickPen, 10);
  EXPECT_DOUBLE_EQ(fine.ky, 2.5);
  EXPECT_EQ(fine.topMargin, 35);
}

TEST(PrintJobFonts, SevenFontsFromBeginToEndWithTheVerticalFacesAt270Degrees) {
  reports::test::FixedClock clock;
  auto t = registerOf(3);
  auto run = test::runJob(Layout::PlayerList, *t);
  const auto& fonts = run->canvas.fontsCreated;
  ASSERT_EQ(fonts.size(), 7u);
  struct Expected {
    const char* face;
    int height;
    int escapement;
  };
  const Expected expected[7] = {{"ＭＳ 明朝", -66, 0},          {"ＭＳ 明朝", -75, 0},
                                {"ＭＳ 明朝", -83, 0},          {"ＭＳ ゴシック", -108, 0},
                                {"@ＭＳ ゴシック", -108, 2700}, {"@ＭＳ 明朝", -108, 2700},
                                {"ＭＳ ゴシック", -158, 0}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(fonts[i].face, expected[i].face) << i;
    EXPECT_EQ(fonts[i].height, expected[i].height) << i;
    EXPECT_EQ(fonts[i].escapement, expected[i].escapement) << i;
    EXPECT_EQ(fonts[i].weight, 0);
    EXPECT_FALSE(fonts[i].italic);
    EXPECT_EQ(fonts[i].vertical(), expected[i].escapement == 2700) << i;
  }
  EXPECT_EQ(run->canvas.liveFonts(), 0) << "the job deletes its fonts when it ends";
}

TEST(PrintPageCount, PlayerListTakesAsManyPagesAsItsPlayersNeedTheTableLayoutsOneOrTwo) {
  struct Case {
    int players;
    int pages;
  };
  for (Case c : {Case{0, 1}, Case{1, 1}, Case{60, 1}, Case{61, 2}, Case{200, 4}}) {
    auto t = registerOf(c.players);
    EXPECT_EQ(pageCount(Layout::PlayerList, t->table, t->players, 60), c.pages) << c.players;
    EXPECT_EQ(pageCount(Layout::Grid, t->table, t->players, 60), 1);
    EXPECT_EQ(pageCount(Layout::PlayerList, t->table, t->players, 0), 1) << "no line fits";
  }
  auto t = registerOf(0);
  for (int tableClass = 0; tableClass <= 10; ++tableClass) {
    t->table.tableClass = tableClass;
    EXPECT_EQ(pageCount(Layout::Chart, t->table, t->players, 60), tableClass == 6 ? 2 : 1);
  }
}

TEST(PrintPageHeader, DateTimeAndTheLayoutsOwnWords) {
  const pairing::DateStamp stamp{"2026/12/06(日)", "16:11:05", "26Dec061611"};
  const std::string head = cp("2026/12/06(日) 16:11:05") + std::string(16, ' ');
  EXPECT_EQ(pageHeaderText(Layout::PlayerList, stamp, cp("x.tai")), head + cp("棋士データ一覧"));
  EXPECT_EQ(pageHeaderText(Layout::Grid, stamp, cp("大会.tai")), head + "  " + cp("大会.tai"));
  EXPECT_EQ(pageHeaderText(Layout::Chart, stamp, cp("x.tai")), head);

  data::Table table;
  EXPECT_EQ(documentTitle(table), cp("無題"));
  table.filePath = "/tmp/some folder/event.tai";
  EXPECT_EQ(documentTitle(table), "event.tai");
}

TEST(PrintPageHeader, PageNumbersOnlyWhenTheJobHasSeveralPages) {
  reports::test::FixedClock clock;
  const std::string head =
      cp("2026/12/06(日) 16:11:05") + std::string(16, ' ') + cp("棋士データ一覧");

  auto many = registerOf(200);
  auto run = test::runJob(Layout::PlayerList, *many);
  ASSERT_EQ(run->pages, 4);
  for (int p = 1; p <= 4; ++p) {
    const auto* header = run->canvas.findText(p - 1, head);
    ASSERT_NE(header, nullptr) << p;
    EXPECT_EQ(header->x, 188);
    EXPECT_EQ(header->y, 70);
    const auto* number = run->canvas.findText(p - 1, text::format("Page %d / 4", p));
    ASSERT_NE(number, nullptr) << p;
    EXPECT_EQ(number->x, kWidth - 708) << "30 mm left of the printable right edge";
    EXPECT_EQ(number->y, 70);
    EXPECT_EQ(number->font.height, -66);
  }

  auto one = registerOf(60);
  run = test::runJob(Layout::PlayerList, *one);
  ASSERT_EQ(run->pages, 1);
  EXPECT_NE(run->canvas.findText(0, head), nullptr);
  for (const auto& t : run->page(1).texts) EXPECT_FALSE(t.text.starts_with("Page ")) << t.text;
}

TEST(PrintPageCount, WhenNoLineFitsTheJobSaysSoAndPrintsOnePage) {
  auto t = registerOf(200);
  auto run = test::runJob(Layout::PlayerList, *t, kWidth, 700);
  EXPECT_EQ(run->measures.linesPerPage, 0);
  EXPECT_EQ(run->pages, 1);
  ASSERT_EQ(run->ui.errors().size(), 1u);
  EXPECT_EQ(run->ui.errors()[0], "行間隔が大き過ぎます。");
  EXPECT_EQ(run->ui.messages[0].caption, "エラー");
  EXPECT_NE(run->text(1, "レーティング"), nullptr) << "the heading row is still printed";
  EXPECT_EQ(run->text(1, "Player1"), nullptr);
}

TEST(PrintPlayerList, CellsTextsClipBoxesAndRules) {
  reports::test::FixedClock clock;
  auto t = registerOf(200);
  t->players.at(61).shortName = cp("六一");
  t->players.at(61).professional = 1;
  auto run = test::runJob(Layout::PlayerList, *t);

  // Column edges: 188 + 35, 100, 75, 80, 86, 34, 34, 60, 60 screen pixels at 6.25.
  const int x[10] = {188, 406, 1031, 1499, 1999, 2536, 2748, 2960, 3335, 3710};
  const int headingTop = 202 + 22;
  const auto* heading = run->text(2, "レーティング");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->x, x[3] + 18);
  EXPECT_EQ(heading->y, headingTop);
  EXPECT_EQ(heading->clip, (Rect{x[3], headingTop, x[4] - 18, headingTop + 88}));

  // The page's first row is register position 61, one line under the headings.
  const int rowTop = headingTop + 88;
  struct Cell {
    int column;
    std::string text;
  };
  for (const Cell& c : {Cell{0, " 61"}, Cell{1, "Player61"}, Cell{2, cp("六一")}, Cell{3, "1061"},
                        Cell{4, "2"}, Cell{5, "1"}}) {
    const auto* text = run->canvas.findText(1, c.text);
    ASSERT_NE(text, nullptr) << c.column;
    EXPECT_EQ(text->x, x[c.column] + 18) << c.column;
    EXPECT_EQ(text->y, rowTop + 11) << "vertically centred in the line";
    EXPECT_EQ(text->clip, (Rect{x[c.column], rowTop, x[c.column + 1] - 18, rowTop + 88}));
  }
  EXPECT_EQ(run->canvas.findText(1, " 60"), nullptr);
  EXPECT_NE(run->canvas.findText(1, "120"), nullptr);
  EXPECT_EQ(run->canvas.findText(1, "121"), nullptr);

  // Rules: thin on the left, the right and under the headings, hairlines between columns;
  // a hairline under every row but the page's last, which is thin.
  const int lastBottom = rowTop + 60 * 88;
  test::expectLines(run->page(2), {{x[0], 202, x[9], 202, 6},
                                   {x[0], rowTop, x[9], rowTop, 6},
                                   {x[0], rowTop - 11, x[0], rowTop + 88, 6},
                                   {x[1], rowTop - 11, x[1], rowTop + 88, kHairline},
                                   {x[9], rowTop - 11, x[9], rowTop + 88 + 1, 6},
                                   {x[0], rowTop + 88, x[9] + 1, rowTop + 88, kHairline},
                                   {x[0], lastBottom, x[9] + 1, lastBottom, 6}});
}

}  // namespace
}  // namespace toq::reports::print
