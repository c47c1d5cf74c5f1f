// The QPainter canvas: the requested faces resolve to the IPA substitutes under their own
// names, vertical names stand upright character by character, texts keep to their clip
// boxes, and pens and fills have the sizes and colours asked for.
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "print_qt/font_substitutes.h"
#include "print_qt/painter_canvas.h"
#include "reports/print/canvas.h"
#include "text/cp932.h"

using namespace toq;
using print_qt::PainterCanvas;
using reports::print::FontRequest;
using reports::print::Rect;

namespace {

/// The bounding box of the dark pixels inside `area`, empty when there are none.
QRect ink(const QImage& image, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128)
        box = box.united(QRect(x, y, 1, 1));
  return box;
}

struct Sheet {
  QImage image{600, 600, QImage::Format_RGB32};
  Sheet() { image.fill(Qt::white); }
};

/// Draws one text with a fresh font on a white sheet; `height` receives the text height.
QImage drawn(const FontRequest& request, int x, int y, const std::string& cp932,
             std::optional<Rect> clip = std::nullopt, int* height = nullptr,
             int* advance = nullptr) {
  Sheet sheet;
  QPainter painter(&sheet.image);
  PainterCanvas canvas(painter);
  canvas.selectFont(canvas.createFont(request));
  if (height) *height = canvas.textHeight();
  if (advance)
    *advance = canvas.textWidth(text::charLengthAt(cp932, 0) == 2 ? cp932.substr(0, 2)
                                                                  : cp932.substr(0, 1));
  canvas.drawText(x, y, cp932, clip);
  painter.end();
  return sheet.image;
}

FontRequest vertical(int height) {
  return FontRequest{"@ＭＳ ゴシック", -height, 0, false, 2700};
}

}  // namespace

class PrintCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { print_qt::installFontSubstitutes(); }

  void theMsFacesAreAskedForAndTheIpaFontsStandIn() {
    for (const char* face : {"ＭＳ 明朝", "@ＭＳ 明朝"}) {
      const QFont font = PainterCanvas::qtFont(FontRequest{face, -66, 0, false, 0});
      QCOMPARE(font.family(), QStringLiteral("ＭＳ 明朝"));
      QCOMPARE(font.pixelSize(), 66);
      QVERIFY2(QFontInfo(font).family().startsWith(QStringLiteral("IPA")),
               qPrintable(QFontInfo(font).family()));
      QVERIFY(QFontInfo(font).family().contains(QStringLiteral("Mincho")));
    }
    const QFont gothic = PainterCanvas::qtFont(vertical(108));
    QCOMPARE(gothic.family(), QStringLiteral("ＭＳ ゴシック"));
    QVERIFY(QFontInfo(gothic).family().contains(QStringLiteral("Gothic")));
    QCOMPARE(PainterCanvas::qtFont(FontRequest{"ＭＳ 明朝", -8, 700, true, 0}).weight(),
             QFont::Bold);
  }

  void verticalTextStandsUprightOneCharacterUnderTheOther() {
    int height = 0;
    int advance = 0;
    const QImage image = drawn(vertical(60), 300, 20, text::sj("一一一"), {}, &height, &advance);
    QVERIFY(height >= 60 && height <= 70);  // ascent and descent: the em and a little
    QVERIFY(advance >= 58 && advance <= 62);
    const QRect all = ink(image, image.rect());
    QVERIFY2(all.left() >= 300 - height && all.right() <= 300, "the column runs left of x");
    QVERIFY(all.top() >= 20 && all.bottom() <= 20 + 3 * advance);
    for (int k = 0; k < 3; ++k) {
      const QRect one = ink(image, QRect(300 - height, 20 + k * advance, height, advance));
      QVERIFY2(one.width() > 3 * one.height(), "一 keeps its stroke across: upright");
    }
  }

  void theLongVowelMarkAndHalfWidthLettersLieOnTheirSide() {
    int advance = 0;
    QImage image = drawn(vertical(60), 300, 20, text::sj("ーー"), {}, nullptr, &advance);
    for (int k = 0; k < 2; ++k) {
      const QRect one = ink(image, QRect(230, 20 + k * advance, 80, advance));
      QVERIFY2(one.height() > 3 * one.width(), "ー runs down the column");
    }
    image = drawn(vertical(60), 300, 20, "--");
    const QRect hyphens = ink(image, image.rect());
    QVERIFY(hyphens.height() > 2 * hyphens.width());

    // A full stop sits in the upper right of its square.
    image = drawn(vertical(60), 300, 20, text::sj("。"));
    const QRect stop = ink(image, image.rect());
    QVERIFY(stop.center().x() > 300 - 30);
    QVERIFY(stop.center().y() < 20 + 30);
  }

  void textKeepsToItsClipBox() {
    const QImage image = drawn(FontRequest{"ＭＳ 明朝", -40, 0, false, 0}, 10, 100,
                               text::sj("一二三四五六七八九十"), Rect{10, 100, 90, 140});
    const QRect all = ink(image, image.rect());
    QVERIFY(!all.isEmpty());
    QVERIFY(all.right() < 90);
    QVERIFY(all.left() >= 10);
    // Unclipped, the same text runs far wider.
    const QImage free = drawn(FontRequest{"ＭＳ 明朝", -40, 0, false, 0}, 10, 100,
                              text::sj("一二三四五六七八九十"));
    QVERIFY(ink(free, free.rect()).right() > 300);
  }

  void pensAndFillsHaveTheirWidthsAndColours() {
    Sheet sheet;
    QPainter painter(&sheet.image);
    PainterCanvas canvas(painter);
    QCOMPARE(canvas.printableWidth(), 600);
    canvas.fillRect(Rect{100, 400, 200, 450}, view::Rgb{210, 255, 210});
    canvas.drawLine(10, 100, 500, 100, 6);
    canvas.drawLine(10, 200, 500, 200, reports::print::kHairline);
    painter.end();
    QCOMPARE(ink(sheet.image, QRect(250, 80, 1, 40)).height(), 6);
    QCOMPARE(ink(sheet.image, QRect(250, 180, 1, 40)).height(), 1);
    QCOMPARE(QColor(sheet.image.pixel(150, 420)), QColor(210, 255, 210));
    QCOMPARE(QColor(sheet.image.pixel(99, 420)), QColor(Qt::white));
    QCOMPARE(QColor(sheet.image.pixel(200, 420)), QColor(Qt::white));  // right edge excluded
  }
};

QTEST_MAIN(PrintCanvasTest)
#include "print_canvas_test.moc"
