// The vertical league chart: the geometry of each class, the split of Ｃ級２組 over two pages,
// the names in the 270° font, the cells of a round, and the choices for classes without
// sizes and for long events.

#include <gtest/gtest.h>

#include <string>

#include "print_fixture.h"
#include "reports/print/chart_geometry.h"
#include "reports/print/chart_layout.h"
#include "text/format.h"

namespace toq::reports::print {
namespace {

using test::cp;

DeviceMeasures a4Landscape() {
  return measureDevice(600, 600, test::kWidth, test::kHeight, ScreenResolution{96, 96}, 66);
}

/// Four participants of Ａ級 over three rounds: row 0 opens against row 1 in round 1, row 2
/// has a bye in round 2.
std::unique_ptr<toq::testing::Tournament> smallLeague() {
  auto t = toq::testing::makeTournament(3);
  const char* names[] = {"山田太郎", "川上一", "森", "佐藤ー郎"};
  const char* shorts[] = {"山田", "川上", "森", "佐藤"};
  for (int i = 0; i < 4; ++i) {
    const int number = t->addParticipant(cp(names[i]));
    t->players.at(t->players.positionOf(number)).shortName = cp(shorts[i]);
  }
  t->table.title = cp("第１期 名人戦");
  t->play(0, 0, 1, data::kWin);
  t->table.side[0][0] = data::kSideFirst;
  t->table.side[1][0] = data::kSideSecond;
  t->play(0, 2, 3, data::kWin);
  t->table.opponent[2][1] = data::kBye;
  t->table.opponent[3][1] = data::kAbsent;
  return t;
}

TEST(PrintChartGeometry, ClassAHasFixedColumnsRightToLeftUnderItsTitle) {
  const ChartGeometry g = chartGeometry(a4Landscape(), 2, 4, 3, 1);
  EXPECT_EQ(g.left, 188 + 166);  // 100 units
  EXPECT_EQ(g.top, 202 + 433);   // 260 units
  EXPECT_EQ(g.columnWidth, 366);
  EXPECT_EQ(g.labelWidth, 233);
  EXPECT_EQ(g.numberRow, 200);
  EXPECT_EQ(g.nameRow, 1375);
  EXPECT_EQ(g.roundRow, 437);
  EXPECT_EQ(g.titleX, g.left);
  EXPECT_EQ(g.titleY, g.top - 300);
  EXPECT_EQ(g.columnLeft(0), g.left + 3 * 366) << "the first participant next to the labels";
  EXPECT_EQ(g.columnLeft(3), g.left);
  EXPECT_EQ(g.right(), g.left + 4 * 366 + 233);
  EXPECT_EQ(g.bottom(), g.top + 200 + 1375 + 3 * 437);
}

TEST(PrintChartGeometry, ClassesWithoutSizesUseThoseOfC1AndLongEventsShortenTheRoundRows) {
  const DeviceMeasures m = a4Landscape();
  const ChartGeometry c1 = chartGeometry(m, 5, 30, 9, 1);
  EXPECT_EQ(c1.columnWidth, (6780 - 250) / 31);
  EXPECT_EQ(c1.labelWidth, c1.columnWidth);
  EXPECT_LE(c1.right(), m.printableWidth);
  for (int tableClass : {0, 1, 7, 9, 10, -4, 99}) {
    const ChartGeometry g = chartGeometry(m, tableClass, 30, 9, 1);
    EXPECT_EQ(data::classCode(g.layoutClass), 5) << tableClass;
    EXPECT_EQ(g.left, c1.left);
    EXPECT_EQ(g.top, c1.top);
    EXPECT_EQ(g.columnWidth, c1.columnWidth);
    EXPECT_EQ(g.nameRow, c1.nameRow);
    EXPECT_EQ(g.titleX, c1.titleX);
  }
  EXPECT_EQ(chartGeometry(m, 5, 30, 19, 1).roundRow, 262);
  const ChartGeometry longEvent = chartGeometry(m, 5, 30, 32, 1);
  EXPECT_EQ(longEvent.roundRow, 155);  // 42 × 19 / 32 screen pixels
  EXPECT_LE(longEvent.bottom(), chartGeometry(m, 5, 30, 19, 1).bottom());
  EXPECT_EQ(chartRoundLabel(0), cp("１"));
  EXPECT_EQ(chartRoundLabel(8), cp("９"));
  EXPECT_EQ(chartRoundLabel(9), "10");
  EXPECT_EQ(chartRoundLabel(24), "25");
}

TEST(PrintChartGeometry, FixedSizesThatWouldRunOffThePageGiveWayToThoseOfC1) {
  const DeviceMeasures m = a4Landscape();
  const ChartGeometry wide = chartGeometry(m, 2, 23, 5, 1);
  EXPECT_EQ(data::classCode(wide.layoutClass), 5) << "23 columns of Ａ級 are 36 cm wide";
  EXPECT_EQ(wide.columnWidth, chartGeometry(m, 5, 23, 5, 1).columnWidth);
  EXPECT_LE(wide.right(), m.printableWidth);
  EXPECT_EQ(data::classCode(chartGeometry(m, 3, 20, 5, 1).layoutClass), 5);
  EXPECT_EQ(data::classCode(chartGeometry(m, 3, 19, 5, 1).layoutClass), 3);
  EXPECT_EQ(data::classCode(chartGeometry(m, 4, 17, 5, 1).layoutClass), 4) << "Ｂ級２組 of 17 fits";
  EXPECT_EQ(data::classCode(chartGeometry(m, 2, 10, 5, 1).layoutClass), 2);
  const ChartGeometry tall = chartGeometry(m, 2, 10, 15, 1);
  EXPECT_EQ(data::classCode(tall.layoutClass), 5)
      << "fifteen rounds of Ａ級 are taller than the page";
  EXPECT_LE(tall.bottom(), m.printableHeight);
}

TEST(PrintChart, ClassC2WithFortyFiveParticipantsSplits22And23OverTwoPages) {
  auto t = toq::testing::makeTournament(5);
  for (int i = 1; i <= 45; ++i) t->addParticipant(text::format("N%d", i));
  t->table.tableClass = 6;
  auto run = test::runJob(Layout::Chart, *t);
  ASSERT_EQ(run->pages, 2);

  const ChartGeometry first = chartGeometry(run->measures, 6, 45, 5, 1);
  const ChartGeometry second = chartGeometry(run->measures, 6, 45, 5, 2);
  EXPECT_EQ(first.shown, 22);
  EXPECT_EQ(second.shown, 23);
  EXPECT_EQ(first.columnWidth, (6780 - 333) / 24);
  EXPECT_EQ(second.columnWidth, first.columnWidth);
  EXPECT_LE(second.right(), run->measures.printableWidth);

  for (int number = 1; number <= 45; ++number) {
    const int page = number <= 22 ? 1 : 2;
    const ChartGeometry& g = page == 1 ? first : second;
    const auto* text = run->canvas.findText(page - 1, text::format("%d", number));
    ASSERT_NE(text, nullptr) << number;
    EXPECT_EQ(run->canvas.findText(2 - page, text::format("%d", number)), nullptr) << number;
    const int left = g.columnLeft(number - 1 - g.first);
    EXPECT_EQ(text->clip, (Rect{left, g.top, left + g.columnWidth, g.nameTop()})) << number;
    EXPECT_EQ(text->font.face, "ＭＳ ゴシック");
    EXPECT_NE(run->canvas.findText(page - 1, text::format("N%d", number)), nullptr) << number;
  }
  EXPECT_EQ(second.columnLeft(0), second.left + 22 * second.columnWidth);
}

TEST(PrintChart, NamesRunTopToBottomInTheVerticalFontCentredInTheirColumns) {
  auto t = smallLeague();
  auto run = test::runJob(Layout::Chart, *t);
  ASSERT_EQ(run->pages, 1);
  const ChartGeometry g = chartGeometry(run->measures, 2, 4, 3, 1);

  const auto* name = run->text(1, "山田太郎");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->font.face, "@ＭＳ ゴシック");
  EXPECT_EQ(name->font.escapement, 2700);
  EXPECT_EQ(name->font.height, -108);
  const int left = g.columnLeft(0);
  EXPECT_EQ(name->x, left + 366 / 2 + 108 / 2) << "half the first character right of centre";
  EXPECT_EQ(name->y, g.nameTop() + 75) << "one small line under the cell's top";
  EXPECT_EQ(name->clip, (Rect{left, g.nameTop(), left + 366, g.nameTop() + g.nameRow}));

  const auto* label = run->text(1, "氏　名");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->font.face, "@ＭＳ 明朝");
  EXPECT_EQ(label->font.escapement, 2700);
  EXPECT_EQ(label->x, g.labelLeft() + 233 / 2 + 54);
  EXPECT_EQ(label->y, g.nameTop() + g.nameRow / 2 - 162);

  const auto* title = run->text(1, "第１期 名人戦");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, g.titleX);
  EXPECT_EQ(title->y, g.titleY);
  EXPECT_EQ(title->font.height, -158);
  EXPECT_NE(run->text(1, "順位"), nullptr);
  EXPECT_NE(run->text(1, "３"), nullptr);
}

TEST(PrintChart, RoundCellsHoldTheOpponentTheFirstMoveAndTheByesDiagonalUnderThickEdges) {
  auto t = smallLeague();
  auto run = test::runJob(Layout::Chart, *t);
  const ChartGeometry g = chartGeometry(run->measures, 2, 4, 3, 1);
  const int top = g.roundTop(0);
  const int bottom = g.roundTop(1);

  // Row 0 against 川上 with the first move; 川上's own cell has no mark.
  const int left0 = g.columnLeft(0);
  const auto* opponent = run->text(1, "川上");
  ASSERT_NE(opponent, nullptr);
  EXPECT_EQ(opponent->x, left0 + (366 - 150) / 2);
  EXPECT_EQ(opponent->y, bottom - 75 - 20);
  EXPECT_EQ(opponent->clip, (Rect{left0, top, left0 + 366, bottom}));
  int marks = 0;
  for (const auto& text : run->page(1).texts) {
    if (text.text != cp("先")) continue;
    ++marks;
    EXPECT_EQ(text.x, left0 + (366 - 83) / 2);
    EXPECT_EQ(text.y, top + 41);
    EXPECT_EQ(text.font.height, -83);
  }
  EXPECT_EQ(marks, 1);
  EXPECT_NE(run->text(1, "山田"), nullptr);

  // Row 2's bye in round 2: a thin diagonal from top-right to bottom-left.
  const int left2 = g.columnLeft(2);
  const auto* diagonal =
      test::findLine(run->page(1), left2 + 366, g.roundTop(1), left2, g.roundTop(2));
  ASSERT_NE(diagonal, nullptr);
  EXPECT_EQ(diagonal->width, 6);
  // Row 3's absence leaves the cell empty: nothing drawn inside it.
  const int left3 = g.columnLeft(3);
  for (const auto& text : run->page(1).texts)
    EXPECT_FALSE(text.clip &&
                 *text.clip == (Rect{left3, g.roundTop(1), left3 + 366, g.roundTop(2)}))
        << text.text;

  // Thick outer edges, thin rules inside.
  test::expectLines(run->page(1), {{g.left, g.top, g.right(), g.top, 12},
                                   {g.left, g.bottom(), g.right(), g.bottom(), 12},
                                   {g.left, g.top, g.left, g.bottom(), 12},
                                   {g.right(), g.top, g.right(), g.bottom(), 12},
                                   {g.left, g.nameTop(), g.right(), g.nameTop(), 6},
                                   {g.left, g.roundTop(2), g.right(), g.roundTop(2), 6},
                                   {g.left + 366, g.top, g.left + 366, g.bottom(), 6},
                                   {g.labelLeft(), g.top, g.labelLeft(), g.bottom(), 6}});
}

TEST(PrintChart, ThreeDanLeagueShowsEachTeacherUnderTheName) {
  auto t = toq::testing::makeTournament(2);
  const int teacher = t->addPlayer(cp("師匠 太郎"));
  t->players.at(t->players.positionOf(teacher)).shortName = cp("師太");
  const int pupil = t->addParticipant(cp("弟子一"));
  t->players.at(t->players.positionOf(pupil)).teacher = teacher;
  t->addParticipant(cp("弟子二"));
  t->table.tableClass = 8;
  auto run = test::runJob(Layout::Chart, *t);
  const ChartGeometry g = chartGeometry(run->measures, 8, 2, 2, 1);
  EXPECT_EQ(g.teacherStrip, 112);
  const int stripTop = g.roundTop(0) - 112;
  const auto* name = run->text(1, "師太");
  ASSERT_NE(name, nullptr);
  const int left = g.columnLeft(0);
  EXPECT_EQ(name->clip, (Rect{left, stripTop, left + g.columnWidth, g.roundTop(0)}));
  EXPECT_NE(run->text(1, "師匠"), nullptr);
  const auto* pupilName = run->text(1, "弟子一");
  ASSERT_NE(pupilName, nullptr);
  EXPECT_EQ(pupilName->y, g.nameTop() + 75 / 2) << "half a small line under the top";
  EXPECT_EQ(pupilName->clip->bottom, stripTop);
  test::expectLines(run->page(1), {{g.left, g.roundTop(0), g.right(), g.roundTop(0), 12},
                                   {g.left, stripTop, g.right(), stripTop, 6}});
}

}  // namespace
}  // namespace toq::reports::print
