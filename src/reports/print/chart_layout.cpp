#include "reports/print/chart_layout.h"

#include "reports/print/chart_geometry.h"
#include "reports/print/print_texts.h"
#include "services/quiet_services.h"
#include "text/cp932.h"
#include "text/format.h"
#include "view/layout.h"

namespace toq::reports::print {

namespace {

std::string_view firstCharacter(std::string_view cp932) {
  return cp932.substr(0, text::charLengthAt(cp932, 0));
}

/// A vertical text centred across its cell: its column is one text height wide and stands
/// left of the reference point, which is put half the first character's width right of the
/// centre.
void drawVertical(Canvas& c, const Rect& cell, int y, std::string_view cp932) {
  const int x = (cell.left + cell.right) / 2 + c.textWidth(firstCharacter(cp932)) / 2;
  c.drawText(x, y, cp932, cell);
}

/// The short name of the teacher of a row's player, empty when there is none.
std::string teacherName(const data::Table& table, const data::Register& players, int row) {
  const data::Player* player = players.FindPlayer(table.participants[row]);
  if (!player || !players.FindPlayer(player->teacher)) return {};
  services::QuietServices quiet;
  return players.IndexToShortName(player->teacher, quiet);
}

/// Where the first-move mark starts below the top of its cell, in eighths of its height.
int firstMoveEighths(data::TableClass layoutClass) {
  return layoutClass < data::TableClass::B2 ? 4 : layoutClass == data::TableClass::ThreeDan ? 1 : 2;
}

struct Heights {
  int small;
  int medium;
};

void drawLabelColumn(const PageContext& page, const ChartGeometry& g) {
  Canvas& c = page.canvas;
  const DeviceMeasures& m = page.measures;
  const int left = g.labelLeft();
  const int right = g.right();

  page.fonts.select(c, FontRole::Small);
  drawCentred(c, Rect{left, g.top, right, g.nameTop()}, text::sj(texts::kNumberLabel));

  const int labelHeight = page.fonts.select(c, FontRole::VerticalLabel);
  int y = g.nameTop() + g.nameRow / 2 - labelHeight * 3 / 2;
  if (g.layoutClass == data::TableClass::ThreeDan) y -= m.down(9);
  const int nameBottom = g.nameTop() + g.nameRow - g.teacherStrip;
  drawVertical(c, Rect{left, g.nameTop(), right, nameBottom}, y, text::sj(texts::kNameLabel));

  if (g.teacherStrip > 0) {
    page.fonts.select(c, FontRole::Small);
    drawCentred(c, Rect{left, nameBottom, right, g.roundTop(0)}, text::sj(texts::kTeacherLabel));
  }

  page.fonts.select(c, FontRole::Label);
  for (int r = 0; r < g.rounds; ++r)
    drawCentred(c, Rect{left, g.roundTop(r), right, g.roundTop(r + 1)}, chartRoundLabel(r));
}

void drawRoundCell(const PageContext& page, const ChartGeometry& g, const data::Table& table,
                   const view::Grid& cells, int row, int round, const Rect& cell, Heights h) {
  Canvas& c = page.canvas;
  if (table.opponent[row][round] == data::kBye) {
    c.drawLine(cell.right, cell.top, cell.left, cell.bottom, page.measures.thinPen);
    return;
  }
  const int other = table.opponentRow(row, round);
  if (other < 0 || table.participants[other] <= 0) return;

  page.fonts.select(c, FontRole::Small);
  const std::string& opponent =
      cells.at(view::firstLineOfRow(row), view::columnOfRound(round)).text;
  const int nameTop = g.layoutClass == data::TableClass::ThreeDan ? cell.bottom - h.small * 4 / 3
                                                                  : cell.bottom - h.small - 20;
  c.drawText(cell.left + (cell.width() - c.textWidth(opponent)) / 2, nameTop, opponent, cell);

  if (table.side[row][round] == data::kSideFirst) {
    page.fonts.select(c, FontRole::Medium);
    const std::string mark = text::sj(texts::kFirstMove);
    const int top = cell.top + h.medium * firstMoveEighths(g.layoutClass) / 8;
    c.drawText(cell.left + (cell.width() - c.textWidth(mark)) / 2, top, mark, cell);
  }
}

void drawParticipant(const PageContext& page, const ChartGeometry& g, const data::Table& table,
                     const data::Register& players, const view::Grid& cells, int position,
                     Heights h) {
  Canvas& c = page.canvas;
  const int row = g.first + position;
  const int left = g.columnLeft(position);
  const int right = left + g.columnWidth;

  page.fonts.select(c, FontRole::Label);
  drawCentred(c, Rect{left, g.top, right, g.nameTop()}, text::format("%d", row + 1));
  if (table.participants[row] <= 0) return;

  page.fonts.select(c, FontRole::VerticalName);
  const bool shallow =
      g.layoutClass == data::TableClass::C2 || g.layoutClass == data::TableClass::ThreeDan;
  const int nameBottom = g.nameTop() + g.nameRow - g.teacherStrip;
  drawVertical(c, Rect{left, g.nameTop(), right, nameBottom},
               g.nameTop() + (shallow ? h.small / 2 : h.small),
               cells.at(view::firstLineOfRow(row), view::kNameColumn).text);

  if (g.teacherStrip > 0) {
    page.fonts.select(c, FontRole::Small);
    drawCentred(c, Rect{left, nameBottom, right, g.roundTop(0)}, teacherName(table, players, row));
  }

  for (int r = 0; r < g.rounds; ++r)
    drawRoundCell(page, g, table, cells, row, r,
                  Rect{left, g.roundTop(r), right, g.roundTop(r + 1)}, h);
}

void drawRules(const PageContext& page, const ChartGeometry& g) {
  Canvas& c = page.canvas;
  const int thin = page.measures.thinPen;
  const int thick = page.measures.thickPen;
  const int left = g.left;
  const int right = g.right();
  const int top = g.top;
  const int bottom = g.bottom();

  c.drawLine(left, g.nameTop(), right, g.nameTop(), thin);
  if (g.teacherStrip > 0) {
    const int strip = g.roundTop(0) - g.teacherStrip;
    c.drawLine(left, strip, right, strip, thin);
  }
  for (int r = 0; r < g.rounds; ++r) c.drawLine(left, g.roundTop(r), right, g.roundTop(r), thin);
  for (int k = 1; k <= g.shown; ++k) {
    const int x = left + k * g.columnWidth;
    c.drawLine(x, top, x, bottom, thin);
  }

  c.drawLine(left, top, right, top, thick);
  c.drawLine(left, bottom, right, bottom, thick);
  c.drawLine(left, top, left, bottom, thick);
  c.drawLine(right, top, right, bottom, thick);
  if (g.layoutClass == data::TableClass::ThreeDan)
    c.drawLine(left, g.roundTop(0), right, g.roundTop(0), thick);
}

}  // namespace

std::string chartRoundLabel(int round) {
  if (round >= 0 && round < 9) return text::sj(texts::kFullWidthDigits[round]);
  return text::format("%d", round + 1);
}

void drawChartPage(const PageContext& page, const data::Table& table, const data::Register& players,
                   const view::Grid& cells) {
  Canvas& c = page.canvas;
  const ChartGeometry g =
      chartGeometry(page.measures, table.tableClass, table.rows(), table.rounds(), page.page);

  page.fonts.select(c, FontRole::Title);
  c.drawText(g.titleX, g.titleY, data::eventName(table), std::nullopt);

  Heights h{};
  h.medium = page.fonts.select(c, FontRole::Medium);
  h.small = page.fonts.select(c, FontRole::Small);

  drawLabelColumn(page, g);
  for (int position = 0; position < g.shown; ++position)
    drawParticipant(page, g, table, players, cells, position, h);
  drawRules(page, g);
}

}  // namespace toq::reports::print
