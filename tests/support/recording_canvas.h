#pragma once
// A canvas that keeps everything drawn on it, page by page, for the tests of the layouts. Its
// fonts measure simply: a text height of the character height, a full-width character as
// wide as high, a half-width one half as wide; a test may measure with a real font instead.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/print/canvas.h"

namespace toq::reports::print {

class RecordingCanvas : public Canvas {
 public:
  struct Text {
    int x = 0;
    int y = 0;
    std::string text;  ///< CP932
    std::optional<Rect> clip;
    FontRequest font;
  };
  struct Fill {
    Rect rect;
    view::Rgb colour;
  };
  struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int width = 0;
  };
  struct Page {
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Line> lines;
  };

  RecordingCanvas(int dpiX, int dpiY, int printableWidth, int printableHeight);

  int dpiX() const override { return dpiX_; }
  int dpiY() const override { return dpiY_; }
  int printableWidth() const override { return width_; }
  int printableHeight() const override { return height_; }
  FontId createFont(const FontRequest& request) override;
  void deleteFont(FontId font) override;
  void selectFont(FontId font) override;
  int textHeight() override;
  int textWidth(std::string_view cp932) override;
  void drawText(int x, int y, std::string_view cp932, std::optional<Rect> clip) override;
  void fillRect(const Rect& rect, view::Rgb colour) override;
  void drawLine(int x1, int y1, int x2, int y2, int width) override;
  void newPage() override { pages.emplace_back(); }

  /// Measures of a real font, when given, replace the simple ones.
  std::function<int(const FontRequest&)> measureHeight;
  std::function<int(const FontRequest&, std::string_view)> measureWidth;

  std::vector<Page> pages{1};
  /// Every font ever created, in order; the ones not yet deleted.
  std::vector<FontRequest> fontsCreated;
  int liveFonts() const;

  /// The first text of a page equal to `cp932`, or none.
  const Text* findText(int page, std::string_view cp932) const;
  /// The colour of the last fill of a page that covers the point, or none.
  std::optional<view::Rgb> fillAt(int page, int x, int y) const;

 private:
  int em() const;
  const FontRequest* selected() const;

  int dpiX_;
  int dpiY_;
  int width_;
  int height_;
  std::vector<bool> live_;
  FontId selected_ = -1;
};

}  // namespace toq::reports::print
