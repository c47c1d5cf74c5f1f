#include "reports/print/slips.h"

#include <algorithm>

#include "reports/print/fitted_text.h"
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
constexpr const char* kQrPurpose = "スマートフォンで読み取ると、この対局の結果を入力できます";

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

// The fitted texts' faces.
constexpr const char* kGothic = "ＭＳ ゴシック";
constexpr const char* kMincho = "ＭＳ 明朝";

// A player's row: the win box, then the part, the name and the rating as one fitted text.
void drawPlayer(const PageContext& p, const Mm& mm, const SlipPlayer& player, const Rect& row) {
  Canvas& c = p.canvas;
  const int side = mm.y(kBoxMm);
  const int boxTop = row.top + (row.height() - side) / 2;
  box(c, row.left, boxTop, side);
  const int medium = p.fonts.select(c, FontRole::Medium);
  c.drawText(row.left + side + mm.x(1.5), boxTop + (side - medium) / 2, text::sj(kWin),
             std::nullopt);
  std::string line = player.part.empty() ? std::string() : player.part + "  ";
  line += player.name;
  if (player.rating > 0) line += " " + text::format(kRating, player.rating);
  const Rect name{row.left + side + mm.x(7), row.top, row.right, row.bottom};
  drawFitted(c, line, name, {kGothic, 13, false, true});
}

// The right column: the QR code, its code whole under it, and what it is for.
int drawQrColumn(const PageContext& p, const Mm& mm, const SlipCard& s, const Rect& column) {
  Canvas& c = p.canvas;
  const int module = s.qr.size > 0 ? std::max(1, column.width() / s.qr.size) : 1;
  const int qrSide = s.qr.size > 0 ? module * s.qr.size : column.width();
  const int qrLeft = column.right - qrSide;
  drawQr(c, s.qr, qrLeft, column.top, module);
  const int codeTop = column.top + qrSide + mm.y(1);
  const Rect code{column.left, codeTop, column.right, codeTop + mm.y(5)};
  drawFitted(c, text::sj(text::format(kCode, s.code.c_str())), code, {kGothic, 11, true, true});
  const Rect purpose{column.left, code.bottom + mm.y(1), column.right,
                     std::max(code.bottom + mm.y(1), column.bottom)};
  drawFitted(c, text::sj(kQrPurpose), purpose, {kMincho, 7, true, false});
  // Readers want four light modules around the code.
  return std::min(qrLeft, column.left) - 4 * module;
}

void drawSlip(const PageContext& p, const Mm& mm, const SlipCard& s, const Rect& cell) {
  Canvas& c = p.canvas;
  const int left = cell.left + mm.x(kPadMm), top = cell.top + mm.y(kPadMm);
  const int right = cell.right - mm.x(kPadMm), bottom = cell.bottom - mm.y(kPadMm);
  const int medium = p.fonts.select(c, FontRole::Medium);
  // The signing line and what to do at the foot, across the slip.
  const int signY = bottom - mm.y(7);
  const int columnSide = std::min(mm.x(25), bottom - top - mm.y(8));
  const int textRight =
      drawQrColumn(p, mm, s, Rect{right - columnSide, top, right, signY - medium - mm.y(1)});
  // The event, then the round and board large.
  // A long title takes more lines, down to the smallest size, and pushes the rest down.
  const int eventHeight = drawFitted(c, s.event, Rect{left, top, textRight, top + mm.y(8)},
                                     {kMincho, 10, false, false});
  const int headingTop = top + eventHeight + mm.y(0.5);
  const std::string heading = text::sj(text::format(kRoundBoard, s.round, s.board));
  drawFitted(c, heading, Rect{left, headingTop, textRight, headingTop + mm.y(7.5)},
             {kGothic, 19, false, true});
  // The players share what lies between the heading and the draw box.
  const int drawTop = signY - medium - mm.y(2) - mm.y(kBoxMm);
  const int rowsTop = headingTop + mm.y(8.5);
  const int rowHeight = std::max(mm.y(kBoxMm), (drawTop - mm.y(1) - rowsTop) / 2);
  for (int i = 0; i < 2; ++i)
    drawPlayer(p, mm, s.players[i],
               Rect{left, rowsTop + i * rowHeight, textRight, rowsTop + (i + 1) * rowHeight});
  box(c, left, drawTop, mm.y(kBoxMm));
  p.fonts.select(c, FontRole::Medium);
  c.drawText(left + mm.y(kBoxMm) + mm.x(1.5), drawTop + (mm.y(kBoxMm) - medium) / 2,
             text::sj(kDraw), std::nullopt);
  c.drawText(left, signY - medium, text::sj(kSign), std::nullopt);
  c.drawLine(left + mm.x(10), signY, textRight, signY, kHairline);
  drawFitted(c, text::sj(kMark), Rect{left, signY + mm.y(1), right, bottom},
             {kMincho, 8, false, true});
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
