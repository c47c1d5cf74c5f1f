#include "reports/print/reception_list.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

namespace {

constexpr int kColumns = 6;
constexpr std::array<std::string_view, kColumns> kHeadings = {"受付",   "番号", "氏名",
                                                              "省略名", "R",    "備考"};

std::array<std::string, kColumns> rowTexts(const data::Player& player) {
  std::array<std::string, kColumns> cells;
  cells[1] = text::format("%d", player.number);
  cells[2] = player.name;
  cells[3] = player.shortName;
  cells[4] = text::format("%d", player.rating);
  return cells;
}

// The box to tick, square and centred in the first column.
void drawCheckBox(Canvas& c, const DeviceMeasures& m, int left, int right, int y) {
  const int side = std::max(1, m.lineHeight - 2 * m.cellInset);
  const int x = (left + right - side) / 2;
  const int top = y + (m.lineHeight - side) / 2;
  c.drawLine(x, top, x + side, top, m.thinPen);
  c.drawLine(x + side, top, x + side, top + side, m.thinPen);
  c.drawLine(x + side, top + side, x, top + side, m.thinPen);
  c.drawLine(x, top + side, x, top, m.thinPen);
}

}  // namespace

void drawReceptionListPage(const PageContext& page, const data::Register& players) {
  Canvas& c = page.canvas;
  const DeviceMeasures& m = page.measures;
  const int lh = m.lineHeight;
  const int textHeight = page.fonts.select(c, FontRole::Base);
  const std::vector<int> x = columnEdges(m, kReceptionColumnWidths);
  std::vector<std::string> headings;
  for (std::string_view heading : kHeadings) headings.push_back(text::sj(heading));
  int y = drawHeadingRow(c, m, x, headings, m.cellInset);
  const int first = (page.page - 1) * m.linesPerPage + 1;
  const int last = std::min(page.page * m.linesPerPage, players.count());
  for (int position = first; position <= last; ++position) {
    const auto cells = rowTexts(players.at(position));
    const int top = (y + y + lh) / 2 - textHeight / 2;
    drawCheckBox(c, m, x[0], x[1], y);
    for (int i = 0; i < kColumns; ++i) {
      if (!cells[i].empty())
        c.drawText(x[i] + m.cellInset, top, cells[i],
                   Rect{x[i], y, x[i + 1] - m.cellInset, y + lh});
      c.drawLine(x[i], y - m.lineGap, x[i], y + lh, i == 0 ? m.thinPen : kHairline);
    }
    c.drawLine(x.back(), y - m.lineGap, x.back(), y + lh + 1, m.thinPen);
    y += lh;
    c.drawLine(x.front(), y, x.back() + 1, y, position == last ? m.thinPen : kHairline);
  }
}

}  // namespace toq::reports::print
