#include "reports/print/fitted_text.h"

#include <algorithm>

#include "text/cp932.h"

namespace toq::reports::print {

namespace {

FontId createSized(Canvas& canvas, const FittedStyle& style, int points) {
  FontRequest request;
  request.face = style.face;
  request.height = -(canvas.dpiY() * points / 72);
  return canvas.createFont(request);
}

// The lines at the selected size, when they fit the box both ways.
bool fits(Canvas& canvas, const std::vector<std::string>& lines, const Rect& box) {
  if (static_cast<int>(lines.size()) * canvas.textHeight() > box.height()) return false;
  for (const std::string& line : lines)
    if (canvas.textWidth(line) > box.width()) return false;
  return true;
}

void drawLines(Canvas& canvas, const std::vector<std::string>& lines, const Rect& box,
               const FittedStyle& style) {
  const int height = canvas.textHeight();
  const int total = static_cast<int>(lines.size()) * height;
  int y = box.top + (style.middle && total < box.height() ? (box.height() - total) / 2 : 0);
  for (const std::string& line : lines) {
    const int width = canvas.textWidth(line);
    const int x = box.left + (style.centred && width < box.width() ? (box.width() - width) / 2 : 0);
    canvas.drawText(x, y, line, box);
    y += height;
  }
}

}  // namespace

std::vector<std::string> wrapLines(Canvas& canvas, std::string_view cp932, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t lastSpace = std::string::npos;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t n = text::charLengthAt(cp932, i);
    const std::string_view ch = cp932.substr(i, n);
    i += n;
    if (!line.empty() && canvas.textWidth(line + std::string(ch)) > width) {
      // Break after the line's last space when it has one, else before this character.
      std::string rest;
      if (lastSpace != std::string::npos && lastSpace + 1 < line.size()) {
        rest = line.substr(lastSpace + 1);
        line.resize(lastSpace + 1);
      }
      lines.push_back(line);
      line = rest;
      lastSpace = std::string::npos;
    }
    if (ch == " ") lastSpace = line.size();
    line += ch;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

int drawFitted(Canvas& canvas, std::string_view cp932, const Rect& box, const FittedStyle& style) {
  // A text keeps one line while it shrinks to about two thirds of its size; only then is it
  // wrapped, from its largest size down.
  const int oneLineDown = std::max(kSmallestFittedPoints, style.largestPoints * 2 / 3);
  const std::vector<std::string> one{std::string(cp932)};
  for (int pass = 0; pass < 2; ++pass) {
    const int lowest = pass == 0 ? oneLineDown : kSmallestFittedPoints;
    for (int points = style.largestPoints; points >= lowest; --points) {
      const FontId font = createSized(canvas, style, points);
      canvas.selectFont(font);
      const std::vector<std::string> lines =
          pass == 0 ? one : wrapLines(canvas, cp932, box.width());
      const bool done = fits(canvas, lines, box) || (pass == 1 && points == lowest);
      const int height = static_cast<int>(lines.size()) * canvas.textHeight();
      if (done) drawLines(canvas, lines, box, style);
      canvas.deleteFont(font);
      if (done) return std::min(height, box.height());
    }
  }
  return 0;
}

}  // namespace toq::reports::print
