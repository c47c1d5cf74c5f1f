#include "reports/print/layout.h"

namespace toq::reports::print {

void drawCentred(Canvas& canvas, const Rect& cell, std::string_view cp932) {
  const int x = cell.left + (cell.width() - canvas.textWidth(cp932)) / 2;
  const int y = cell.top + (cell.height() - canvas.textHeight()) / 2;
  canvas.drawText(x, y, cp932, cell);
}

}  // namespace toq::reports::print
