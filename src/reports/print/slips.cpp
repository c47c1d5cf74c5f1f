#include "reports/print/slips.h"

#include <algorithm>

#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

namespace {

// The texts (UTF-8) of a slip.
constexpr const char* kRoundBoard = "%d回戦　%d番盤";
constexpr const char* kRating = "(%d)";
constexpr const char* kWin = "勝";
constexpr const char* kDraw = "引き分け";
constexpr const char* kSign = "署名";
constexpr const char* kMark = "勝った方の□に印をつけ、二人で署名して受付に出してください。";
constexpr const char* kCode = "コード %s";

// A length in millimetres as device pixels.
struct Mm {
  int dpiX, dpiY;
  int x(double mm) const { return static_cast<int>(mm * dpiX / 25.4); }
  int y(double mm) const { return static_cast<int>(mm * dpiY / 25.4); }
};

constexpr double kPadMm = 4;
constexpr double kBoxMm = 6;
constexpr double kCutMarkMm = 3;

// A box to mark, with a rule of about a quarter of a millimetre.
void box(Canvas& c, int left, int top, int side) {
  const int pen = std::max(1, side / 24);
  c.drawLine(left, top, left + side, top, pen);
  c.drawLine(left + side, top, left + side, top + side, pen);
  c.drawLine(left + side, top + side, left, top + side, pen);
  c.drawLine(left, top + side, left, top, pen);
}

// The QR code as dark squares, `module` pixels each, at (left, top).
void drawQr(Canvas& c, const QrModules& qr, int left, int top, int module) {
  for (int y = 0; y < qr.size; ++y)
    for (int x = 0; x < qr.size; ++x)
      if (qr.at(x, y))
        c.fillRect(
            {left + x * module, top + y * module, left + (x + 1) * module, top + (y + 1) * module},
            {0, 0, 0});
}

// A player's line: the win box, the part, the name and the rating.
void drawPlayer(const PageContext& p, const Mm& mm, const SlipPlayer& player, int left, int top,
                int right) {
  Canvas& c = p.canvas;
  const int side = mm.y(kBoxMm);
  box(c, left, top, side);
  const int medium = p.fonts.select(c, FontRole::Medium);
  c.drawText(left + side + mm.x(1.5), top + (side - medium) / 2, text::sj(kWin), std::nullopt);
  int x = left + side + mm.x(7);
  if (!player.part.empty()) {
    c.drawText(x, top + (side - medium) / 2, player.part, Rect{x, top, right, top + side});
    x += c.textWidth(player.part) + mm.x(2);
  }
  const int label = p.fonts.select(c, FontRole::Label);
  c.drawText(x, top + (side - label) / 2, player.name, Rect{x, top - side, right, top + 2 * side});
  const int nameEnd = std::min(right, x + c.textWidth(player.name) + mm.x(2));
  if (player.rating > 0) {
    p.fonts.select(c, FontRole::Small);
    c.drawText(nameEnd, top + side / 2, text::format(kRating, player.rating),
               Rect{nameEnd, top, right, top + side});
  }
}

void drawSlip(const PageContext& p, const Mm& mm, const SlipCard& s, const Rect& cell) {
  Canvas& c = p.canvas;
  const int left = cell.left + mm.x(kPadMm), top = cell.top + mm.y(kPadMm);
  const int right = cell.right - mm.x(kPadMm), bottom = cell.bottom - mm.y(kPadMm);
  // The QR code on the right, its code under it.
  const int qrSide = std::min(mm.x(25), bottom - top - mm.y(8));
  const int module = s.qr.size > 0 ? std::max(1, qrSide / s.qr.size) : 1;
  const int qrLeft = right - module * s.qr.size;
  drawQr(c, s.qr, qrLeft, top + mm.y(2), module);
  p.fonts.select(c, FontRole::Medium);
  const std::string code = text::sj(text::format(kCode, s.code.c_str()));
  c.drawText(qrLeft, top + mm.y(3) + module * s.qr.size, code, Rect{qrLeft, top, right, bottom});
  // Readers want four light modules around the code.
  const int textRight = qrLeft - 4 * module;
  // The event, then the round and board large.
  const int small = p.fonts.select(c, FontRole::Medium);
  c.drawText(left, top, s.event, Rect{left, top, textRight, top + small});
  const int title = p.fonts.select(c, FontRole::Title);
  const std::string heading = text::sj(text::format(kRoundBoard, s.round, s.board));
  c.drawText(left, top + small + mm.y(1), heading, Rect{left, top, textRight, bottom});
  int y = top + small + title + mm.y(4);
  for (const SlipPlayer& player : s.players) {
    drawPlayer(p, mm, player, left, y, textRight);
    y += mm.y(kBoxMm + 4);
  }
  box(c, left, y, mm.y(kBoxMm));
  const int medium = p.fonts.select(c, FontRole::Medium);
  c.drawText(left + mm.y(kBoxMm) + mm.x(1.5), y + (mm.y(kBoxMm) - medium) / 2, text::sj(kDraw),
             std::nullopt);
  // The signing line, and what to do.
  const int signY = bottom - mm.y(7);
  c.drawText(left, signY - medium, text::sj(kSign), std::nullopt);
  c.drawLine(left + mm.x(10), signY, textRight, signY, kHairline);
  const int base = p.fonts.select(c, FontRole::Base);
  c.drawText(left, bottom - base, text::sj(kMark), Rect{left, top, right, bottom});
}

// Short marks at each corner of every slip, where the scissors go.
void drawCutMarks(Canvas& c, const Mm& mm, const std::vector<int>& xs, const std::vector<int>& ys) {
  const int ax = mm.x(kCutMarkMm), ay = mm.y(kCutMarkMm);
  for (int x : xs)
    for (int y : ys) {
      c.drawLine(x - ax, y, x + ax, y, kHairline);
      c.drawLine(x, y - ay, x, y + ay, kHairline);
    }
}

}  // namespace

int slipPages(std::size_t slips) {
  return std::max<int>(1, static_cast<int>((slips + kSlipsPerPage - 1) / kSlipsPerPage));
}

void drawSlipPage(const PageContext& p, const std::vector<SlipCard>& slips) {
  Canvas& c = p.canvas;
  const Mm mm{c.dpiX(), c.dpiY()};
  std::vector<int> xs, ys;
  for (int i = 0; i <= kSlipsAcross; ++i) xs.push_back(c.printableWidth() * i / kSlipsAcross);
  for (int i = 0; i <= kSlipsDown; ++i) ys.push_back(c.printableHeight() * i / kSlipsDown);
  // The outer marks stay inside the printable area.
  xs.front() += mm.x(kCutMarkMm);
  xs.back() -= mm.x(kCutMarkMm);
  ys.front() += mm.y(kCutMarkMm);
  ys.back() -= mm.y(kCutMarkMm);
  const std::size_t first = static_cast<std::size_t>(p.page - 1) * kSlipsPerPage;
  for (std::size_t i = first; i < std::min(slips.size(), first + kSlipsPerPage); ++i) {
    const int at = static_cast<int>(i - first);
    const int col = at % kSlipsAcross, row = at / kSlipsAcross;
    drawSlip(p, mm, slips[i], Rect{xs[col], ys[row], xs[col + 1], ys[row + 1]});
  }
  drawCutMarks(c, mm, xs, ys);
}

}  // namespace toq::reports::print
