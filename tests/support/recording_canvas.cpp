#include "support/recording_canvas.h"

#include <algorithm>
#include <cstdlib>

#include "text/cp932.h"

namespace toq::reports::print {

RecordingCanvas::RecordingCanvas(int dpiX, int dpiY, int printableWidth, int printableHeight)
    : dpiX_(dpiX), dpiY_(dpiY), width_(printableWidth), height_(printableHeight) {}

FontId RecordingCanvas::createFont(const FontRequest& request) {
  fontsCreated.push_back(request);
  live_.push_back(true);
  return static_cast<FontId>(fontsCreated.size()) - 1;
}

void RecordingCanvas::deleteFont(FontId font) {
  if (font >= 0 && font < static_cast<FontId>(live_.size())) live_[font] = false;
  if (font == selected_) selected_ = -1;
}

void RecordingCanvas::selectFont(FontId font) {
  selected_ = font;
}

int RecordingCanvas::liveFonts() const {
  return static_cast<int>(std::count(live_.begin(), live_.end(), true));
}

const FontRequest* RecordingCanvas::selected() const {
  if (selected_ < 0 || selected_ >= static_cast<FontId>(fontsCreated.size()) || !live_[selected_])
    return nullptr;
  return &fontsCreated[selected_];
}

int RecordingCanvas::em() const {
  const FontRequest* font = selected();
  return font ? std::abs(font->height) : 0;
}

int RecordingCanvas::textHeight() {
  if (measureHeight && selected()) return measureHeight(*selected());
  return em();
}

int RecordingCanvas::textWidth(std::string_view cp932) {
  if (measureWidth && selected()) return measureWidth(*selected(), cp932);
  int width = 0;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t n = text::charLengthAt(cp932, i);
    width += n == 2 ? em() : em() / 2;
    i += n;
  }
  return width;
}

void RecordingCanvas::drawText(int x, int y, std::string_view cp932, std::optional<Rect> clip) {
  pages.back().texts.push_back(
      Text{x, y, std::string(cp932), clip, selected() ? *selected() : FontRequest{}});
}

void RecordingCanvas::fillRect(const Rect& rect, view::Rgb colour) {
  pages.back().fills.push_back(Fill{rect, colour});
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, int width) {
  pages.back().lines.push_back(Line{x1, y1, x2, y2, width});
}

const RecordingCanvas::Text* RecordingCanvas::findText(int page, std::string_view cp932) const {
  if (page < 0 || page >= static_cast<int>(pages.size())) return nullptr;
  for (const Text& t : pages[page].texts)
    if (t.text == cp932) return &t;
  return nullptr;
}

std::optional<view::Rgb> RecordingCanvas::fillAt(int page, int x, int y) const {
  if (page < 0 || page >= static_cast<int>(pages.size())) return std::nullopt;
  std::optional<view::Rgb> colour;
  for (const Fill& f : pages[page].fills)
    if (f.rect.contains(x, y)) colour = f.colour;
  return colour;
}

}  // namespace toq::reports::print
