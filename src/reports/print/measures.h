#pragma once
// The device measures of a print job: the printer's and the screen's pixels per millimetre,
// the scale between them, the margins, the pens and the lines that fit on a page.

namespace toq::reports::print {

/// Pixels per inch of the screen the main view was laid out on. Widths given in screen pixels
/// keep on paper the physical size they have there.
struct ScreenResolution {
  int dpiX = 96;
  int dpiY = 96;
};

/// Everything measured when a job begins, in printer pixels unless named otherwise.
struct DeviceMeasures {
  double pixelsPerMmX = 0;  ///< printer pixels per millimetre across
  double pixelsPerMmY = 0;  ///< and down
  double kx = 1;            ///< printer pixels per screen pixel across
  double ky = 1;            ///< and down
  int printableWidth = 0;
  int printableHeight = 0;
  int leftMargin = 0;    ///< 8 mm
  int topMargin = 0;     ///< 3 mm
  int bottomMargin = 0;  ///< 5 mm
  int cellInset = 0;     ///< 0.8 mm, between a cell's left edge and its text
  int lineGap = 0;       ///< 0.5 mm, above and below the text of a line
  int thinPen = 0;       ///< one screen pixel
  int thickPen = 0;      ///< two screen pixels
  int lineHeight = 1;    ///< the base font's text height plus two line gaps
  int linesPerPage = 0;  ///< body lines of a page; 0 when none fits

  /// Screen pixels as printer pixels, across and down (truncated).
  int across(double screenPixels) const { return static_cast<int>(screenPixels * kx); }
  int down(double screenPixels) const { return static_cast<int>(screenPixels * ky); }
  /// Layout units of the league chart (3.75 to a screen pixel) as printer pixels.
  int unitsAcross(double units) const { return across(units / 3.75); }
  int unitsDown(double units) const { return down(units / 3.75); }
  /// Millimetres as printer pixels (truncated).
  int mmAcross(double mm) const { return static_cast<int>(mm * pixelsPerMmX); }
  int mmDown(double mm) const { return static_cast<int>(mm * pixelsPerMmY); }
  /// Where the body of a page starts: one and a half lines under the page header.
  int bodyTop() const { return topMargin + lineHeight * 3 / 2; }
};

/// The measures of a printer with the given resolution and printable area, for a base font
/// of the given text height.
DeviceMeasures measureDevice(int printerDpiX, int printerDpiY, int printableWidth,
                             int printableHeight, ScreenResolution screen, int baseTextHeight);

}  // namespace toq::reports::print
