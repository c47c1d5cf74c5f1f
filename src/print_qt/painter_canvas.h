#pragma once
// The printed layouts drawn with QPainter: on a QPrinter, in the print preview, into a PDF,
// or on an image. A vertical face ("@ＭＳ ゴシック" at 270°) is written character by
// character: full-width characters stand upright one under the other, half-width ones and
// the long-vowel mark, dashes and brackets lie on their side, as vertical Japanese text has
// them.

#include <QFont>
#include <vector>

#include "reports/print/canvas.h"

class QPainter;
class QPagedPaintDevice;

namespace toq::print_qt {

class PainterCanvas final : public reports::print::Canvas {
 public:
  /// Draws with `painter`, which is active on its device; `pages` turns the pages (none for
  /// a single image).
  explicit PainterCanvas(QPainter& painter, QPagedPaintDevice* pages = nullptr);

  int dpiX() const override;
  int dpiY() const override;
  int printableWidth() const override;
  int printableHeight() const override;
  reports::print::FontId createFont(const reports::print::FontRequest& request) override;
  void deleteFont(reports::print::FontId font) override;
  void selectFont(reports::print::FontId font) override;
  int textHeight() override;
  int textWidth(std::string_view cp932) override;
  void drawText(int x, int y, std::string_view cp932,
                std::optional<reports::print::Rect> clip) override;
  void fillRect(const reports::print::Rect& rect, view::Rgb colour) override;
  void drawLine(int x1, int y1, int x2, int y2, int width) override;
  void newPage() override;

  /// The Qt font made for a request: the face without its "@", the character height as pixel
  /// size, weight and italic.
  static QFont qtFont(const reports::print::FontRequest& request);

 private:
  struct Font {
    reports::print::FontRequest request;
    QFont font;
    bool live = true;
  };
  const Font* selected() const;
  void drawVertical(int x, int y, std::string_view cp932, const Font& font);

  QPainter& painter_;
  QPagedPaintDevice* pages_;
  std::vector<Font> fonts_;
  int selected_ = -1;
};

}  // namespace toq::print_qt
