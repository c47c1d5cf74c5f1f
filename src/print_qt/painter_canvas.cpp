#include "print_qt/painter_canvas.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "print_qt/font_substitutes.h"
#include "text/cp932.h"

namespace toq::print_qt {

namespace {

using reports::print::FontRequest;
using reports::print::Rect;

QString fromCp932(std::string_view cp932) {
  const std::string utf8 = text::toUtf8(cp932);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect toQRect(const Rect& r) {
  return QRect(r.left, r.top, r.width(), r.height());
}

/// Full-width characters that vertical text turns on their side: the long-vowel mark, dashes,
/// wave dash, ellipses, equals, colons and brackets.
bool liesOnItsSide(const QString& c) {
  static const QString kSideways =
      QStringLiteral("ー－―‐～…‥＝：；（）［］｛｝「」『』【】〔〕〈〉《》");
  return c.size() == 1 && kSideways.contains(c.at(0));
}

/// The comma and full stop move to the upper right of their square in vertical text.
bool sitsUpperRight(const QString& c) {
  return c == QStringLiteral("、") || c == QStringLiteral("。") || c == QStringLiteral("，") ||
         c == QStringLiteral("．");
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, QPagedPaintDevice* pages)
    : painter_(painter), pages_(pages) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

int PainterCanvas::dpiX() const {
  return painter_.device()->logicalDpiX();
}

int PainterCanvas::dpiY() const {
  return painter_.device()->logicalDpiY();
}

int PainterCanvas::printableWidth() const {
  return painter_.device()->width();
}

int PainterCanvas::printableHeight() const {
  return painter_.device()->height();
}

QFont PainterCanvas::qtFont(const FontRequest& request) {
  std::string_view face = request.face;
  if (face.starts_with('@')) face.remove_prefix(1);
  QFont font(platformFace(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()))));
  font.setPixelSize(std::max(1, std::abs(request.height)));
  font.setWeight(request.weight <= 0
                     ? QFont::Normal
                     : static_cast<QFont::Weight>(std::clamp(request.weight, 100, 900)));
  font.setItalic(request.italic);
  // Printer metrics, not the screen's hinted ones, so that widths scale with the page.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

reports::print::FontId PainterCanvas::createFont(const FontRequest& request) {
  fonts_.push_back(Font{request, qtFont(request), true});
  return static_cast<reports::print::FontId>(fonts_.size()) - 1;
}

void PainterCanvas::deleteFont(reports::print::FontId font) {
  if (font >= 0 && font < static_cast<int>(fonts_.size())) fonts_[font].live = false;
  if (font == selected_) selected_ = -1;
}

void PainterCanvas::selectFont(reports::print::FontId font) {
  selected_ = font;
  if (const Font* f = selected()) painter_.setFont(f->font);
}

const PainterCanvas::Font* PainterCanvas::selected() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(fonts_.size())) return nullptr;
  return fonts_[selected_].live ? &fonts_[selected_] : nullptr;
}

int PainterCanvas::textHeight() {
  const Font* f = selected();
  if (!f) return 0;
  const QFontMetricsF metrics(f->font, painter_.device());
  return static_cast<int>(std::lround(metrics.ascent() + metrics.descent()));
}

int PainterCanvas::textWidth(std::string_view cp932) {
  const Font* f = selected();
  if (!f) return 0;
  const QFontMetricsF metrics(f->font, painter_.device());
  return static_cast<int>(std::lround(metrics.horizontalAdvance(fromCp932(cp932))));
}

void PainterCanvas::drawText(int x, int y, std::string_view cp932, std::optional<Rect> clip) {
  const Font* f = selected();
  if (!f || cp932.empty()) return;
  painter_.save();
  if (clip) painter_.setClipRect(toQRect(*clip));
  painter_.setPen(Qt::black);
  painter_.setFont(f->font);
  if (f->request.vertical()) {
    drawVertical(x, y, cp932, *f);
  } else {
    const QFontMetricsF metrics(f->font, painter_.device());
    painter_.translate(x, y);
    // Escapement turns the line counter-clockwise about the text's top-left corner.
    if (f->request.escapement != 0) painter_.rotate(-f->request.escapement / 10.0);
    painter_.drawText(QPointF(0, metrics.ascent()), fromCp932(cp932));
  }
  painter_.restore();
}

void PainterCanvas::drawVertical(int x, int y, std::string_view cp932, const Font& font) {
  const QFontMetricsF metrics(font.font, painter_.device());
  const double height = metrics.ascent() + metrics.descent();
  double down = y;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t length = text::charLengthAt(cp932, i);
    const QString c = fromCp932(cp932.substr(i, length));
    i += length;
    const double advance = metrics.horizontalAdvance(c);
    painter_.save();
    if (length == 2 && !liesOnItsSide(c)) {
      // Upright, centred across the column that runs left of x.
      double left = x - height + (height - advance) / 2;
      double baseline = down + metrics.ascent();
      if (sitsUpperRight(c)) {
        left += advance * 0.55;
        baseline -= height * 0.55;
      }
      painter_.drawText(QPointF(left, baseline), c);
    } else {
      // On its side: the top of the glyph faces right, the line runs down.
      painter_.translate(x, down);
      painter_.rotate(90);
      painter_.drawText(QPointF(0, metrics.ascent()), c);
    }
    painter_.restore();
    down += advance;
  }
}

void PainterCanvas::fillRect(const Rect& rect, view::Rgb colour) {
  painter_.fillRect(toQRect(rect), QColor(colour.r, colour.g, colour.b));
}

void PainterCanvas::drawLine(int x1, int y1, int x2, int y2, int width) {
  QPen pen(Qt::black);
  // The device's default pen is one device pixel wide at any resolution.
  pen.setWidth(std::max(1, width));
  pen.setCapStyle(Qt::SquareCap);
  painter_.save();
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
  painter_.restore();
}

void PainterCanvas::newPage() {
  if (pages_) pages_->newPage();
}

}  // namespace toq::print_qt
