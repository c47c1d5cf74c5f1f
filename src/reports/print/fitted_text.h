#pragma once
// A text that must be printed whole in a box of its own (a slip's name, title, code): in the
// largest size that fits it on one line, else wrapped over the lines the box holds, shrinking
// down to a smallest legible size; only what still does not fit at that size is cut at the
// box's edge.

#include <string>
#include <string_view>
#include <vector>

#include "reports/print/canvas.h"

namespace toq::reports::print {

/// The smallest size a fitted text shrinks to, in points.
inline constexpr int kSmallestFittedPoints = 5;

/// How a fitted text stands in its box.
struct FittedStyle {
  std::string face;  ///< UTF-8 face name ("ＭＳ ゴシック")
  int largestPoints = 10;
  bool centred = false;  ///< centred across the box; else from its left edge
  bool middle = true;    ///< centred down the box; else from its top
};

/// The lines of a CP932 text no wider than `width` in the selected font, cut at character
/// boundaries (after a space where the line holds one). One line when it fits.
std::vector<std::string> wrapLines(Canvas& canvas, std::string_view cp932, int width);

/// Draws the text in `box` as said at the top of this file; the font it creates for that is
/// deleted again (the caller selects its own afterwards). Returns the height its lines take.
int drawFitted(Canvas& canvas, std::string_view cp932, const Rect& box, const FittedStyle& style);

}  // namespace toq::reports::print
