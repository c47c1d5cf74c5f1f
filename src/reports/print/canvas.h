#pragma once
// The drawing surface the printed layouts use: a printer page, a PDF page, or a recording for
// the tests. Coordinates are device pixels with the origin at the top-left corner of the
// printable area, y growing downwards.

#include <optional>
#include <string>
#include <string_view>

#include "view/colours.h"

namespace toq::reports::print {

/// A rectangle of device pixels; left and top are inside, right and bottom just outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

/// A font as a layout asks for it.
struct FontRequest {
  std::string face;  ///< face name, UTF-8 ("ＭＳ 明朝"; "@ＭＳ ゴシック" writes vertically)
  int height = 0;    ///< device pixels; negative: the character height without leading
  int weight = 0;    ///< 0 the face's normal weight; else 100 to 900 (400 normal, 700 bold)
  bool italic = false;
  int escapement = 0;  ///< direction of the line in tenths of a degree counter-clockwise;
                       ///< 2700 runs top to bottom
  bool operator==(const FontRequest&) const = default;

  /// A vertical face ("@...") on a line running top to bottom: the characters stand upright,
  /// one under the other.
  bool vertical() const { return face.starts_with('@') && escapement == 2700; }
};

/// Handle of a font created on a canvas.
using FontId = int;

/// Pen width of the device's default pen: one device pixel, whatever the resolution.
inline constexpr int kHairline = 0;

class Canvas {
 public:
  virtual ~Canvas() = default;

  /// Device resolution in dots per inch, across and down.
  virtual int dpiX() const = 0;
  virtual int dpiY() const = 0;
  /// Size of the printable area in device pixels.
  virtual int printableWidth() const = 0;
  virtual int printableHeight() const = 0;

  /// Fonts live from createFont to deleteFont; the texts use the one selected last.
  virtual FontId createFont(const FontRequest& request) = 0;
  virtual void deleteFont(FontId font) = 0;
  virtual void selectFont(FontId font) = 0;

  /// The selected font's text height (ascent plus descent).
  virtual int textHeight() = 0;
  /// The advance of a CP932 text in the selected font, along its line (downwards for a
  /// vertical font).
  virtual int textWidth(std::string_view cp932) = 0;

  /// Draws a CP932 text without background in black. (x, y) is the top-left corner of the
  /// text; for a vertical font the top-right corner of its column, which is one text height
  /// wide and extends to the left. Nothing is drawn outside `clip` when one is given.
  virtual void drawText(int x, int y, std::string_view cp932, std::optional<Rect> clip) = 0;
  /// Fills the rectangle (right and bottom edge excluded).
  virtual void fillRect(const Rect& rect, view::Rgb colour) = 0;
  /// A solid black line of `width` device pixels (kHairline: one device pixel).
  virtual void drawLine(int x1, int y1, int x2, int y2, int width) = 0;
  /// Ends the current page and starts the next one.
  virtual void newPage() = 0;
};

}  // namespace toq::reports::print
