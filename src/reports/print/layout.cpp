#include "reports/print/layout.h"

namespace toq::reports::print {

void drawCentred(Canvas& canvas, const Rect& cell, std::string_view cp932) {
  const int x = cell.left + (cell.width() - canvas.textWidth(cp932)) / 2;
  const int y = cell.top + (cell.height() - canvas.textHeight()) / 2;
  canvas.drawText(x, y, cp932, cell);
}

std::vector<int> columnEdges(const DeviceMeasures& m, std::span<const int> widths) {
  std::vector<int> x(widths.size() + 1);
  x[0] = m.leftMargin;
  for (std::size_t i = 0; i < widths.size(); ++i) x[i + 1] = x[i] + m.across(widths[i]);
  return x;
}

int drawHeadingRow(Canvas& c, const DeviceMeasures& m, const std::vector<int>& x,
                   const std::vector<std::string>& headings, int clipInset) {
  const int lh = m.lineHeight;
  const std::size_t columns = x.size() - 1;
  const int left = x.front();
  const int right = x.back();
  const int y0 = m.bodyTop();
  c.drawLine(left, y0, right, y0, m.thinPen);
  int y = y0 + 2 * m.lineGap;
  for (std::size_t i = 0; i < columns; ++i) {
    if (i < headings.size() && !headings[i].empty())
      c.drawText(x[i] + m.cellInset, y, headings[i], Rect{x[i], y, x[i + 1] - clipInset, y + lh});
    c.drawLine(x[i], y0, x[i], y + 2 * lh, i == 0 ? m.thinPen : kHairline);
  }
  c.drawLine(right, y0, right, y + 2 * lh, m.thinPen);
  y += lh;
  c.drawLine(left, y, right, y, m.thinPen);
  return y;
}

}  // namespace toq::reports::print
