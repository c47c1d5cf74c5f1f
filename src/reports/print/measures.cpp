#include "reports/print/measures.h"

#include <algorithm>

namespace toq::reports::print {

namespace {

constexpr double kMmPerInch = 25.4;
// Lines a page keeps free besides the margins: the page header and the table's own header.
constexpr int kReservedLines = 5;

// A resolution a device cannot really have counts as the usual screen's.
double dotsPerInch(int dpi) {
  return dpi > 0 ? dpi : 96;
}

}  // namespace

DeviceMeasures measureDevice(int printerDpiX, int printerDpiY, int printableWidth,
                             int printableHeight, ScreenResolution screen, int baseTextHeight) {
  DeviceMeasures m;
  m.pixelsPerMmX = dotsPerInch(printerDpiX) / kMmPerInch;
  m.pixelsPerMmY = dotsPerInch(printerDpiY) / kMmPerInch;
  // The ratio of the two resolutions, taken directly so that whole screen pixels scale
  // exactly (X / sx would lose the last bit through the millimetres).
  m.kx = dotsPerInch(printerDpiX) / dotsPerInch(screen.dpiX);
  m.ky = dotsPerInch(printerDpiY) / dotsPerInch(screen.dpiY);
  m.printableWidth = printableWidth;
  m.printableHeight = printableHeight;
  m.leftMargin = m.mmAcross(8);
  m.topMargin = m.mmDown(3);
  m.bottomMargin = m.mmDown(5);
  m.cellInset = m.mmAcross(0.8);
  m.lineGap = static_cast<int>(5 * m.pixelsPerMmY / 10);
  m.thinPen = static_cast<int>(m.kx);
  m.thickPen = static_cast<int>(2 * m.kx);
  m.lineHeight = std::max(1, baseTextHeight + 2 * m.lineGap);
  const int lines =
      (printableHeight - m.topMargin - m.bottomMargin) / m.lineHeight - kReservedLines;
  m.linesPerPage = std::max(0, lines);
  return m;
}

}  // namespace toq::reports::print
