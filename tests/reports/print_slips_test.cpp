// The slips' layout with the longest texts the register and the table accept: every text is
// drawn whole inside its slip and its own box, apart from the QR code, and the code is
// printed with all its characters.
#include <algorithm>
#include <string>

#include "print_fixture.h"
#include "reports/print/slips.h"
#include "text/cp932.h"
#include "text/paths.h"

namespace toq::reports::print::test {
namespace {

// A4 upright less 5 mm on every side, at 600 dpi.
constexpr int kA4Width = 4724;
constexpr int kA4Height = 6780;

// A name of the longest the register accepts: 255 bytes.
std::string longest(const char* unit) {
  std::string out;
  const std::string u = cp(unit);
  while (out.size() + u.size() <= 255) out += u;
  while (out.size() < 255) out += 'X';
  return out;
}

QrModules darkSquare() {
  QrModules qr;
  qr.size = 29;
  qr.dark.assign(29 * 29, 1);
  return qr;
}

// The extent of a recorded text as the recording canvas measures it.
Rect extent(const RecordingCanvas::Text& t) {
  const int em = std::abs(t.font.height);
  int width = 0;
  for (std::size_t i = 0; i < t.text.size();) {
    const std::size_t n = text::charLengthAt(t.text, i);
    width += n == 2 ? em : em / 2;
    i += n;
  }
  return {t.x, t.y, t.x + width, t.y + em};
}

bool inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

bool apart(const Rect& a, const Rect& b) {
  return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}

TEST(PrintSlips, EveryTextFitsItsSlipWholeAndStaysOffTheQrCode) {
  auto t = toq::testing::makeTournament(3);
  std::vector<SlipCard> cards;
  const std::string names[] = {longest("北村勇気八段"), cp("北村 勇気八段"), longest("W"),
                               cp("南")};
  for (int board = 1; board <= 8; ++board) {
    SlipCard s;
    s.event = board % 2 ? longest("春の将棋大会") : cp("春の将棋大会");
    s.round = 32;
    s.board = board * 12;
    s.players[0] = {names[board % 4], 2400, cp("上手 六枚落ち")};
    s.players[1] = {names[(board + 1) % 4], 500, cp("下手")};
    s.code = "J8AE6C3M";
    s.qr = darkSquare();
    cards.push_back(s);
  }
  auto run = std::make_unique<test::Run>(kA4Width, kA4Height);
  PrintJob job(Layout::Slips, t->table, t->players, cp("event.tai"), ScreenResolution{96, 96});
  job.setSlips(cards);
  printDocument(job, run->canvas, run->ui);
  ASSERT_EQ(run->canvas.pages.size(), 1u);
  const RecordingCanvas::Page& page = run->canvas.pages[0];

  const int cellW = kA4Width / kSlipsAcross, cellH = kA4Height / kSlipsDown;
  for (int slip = 0; slip < kSlipsPerPage; ++slip) {
    const Rect cell{(slip % 2) * cellW, (slip / 2) * cellH, (slip % 2 + 1) * cellW,
                    (slip / 2 + 1) * cellH};
    // The QR code: the dark fills of the slip.
    Rect qr{cell.right, cell.bottom, cell.left, cell.top};
    for (const auto& f : page.fills)
      if (cell.contains(f.rect.left, f.rect.top)) {
        qr.left = std::min(qr.left, f.rect.left);
        qr.top = std::min(qr.top, f.rect.top);
        qr.right = std::max(qr.right, f.rect.right);
        qr.bottom = std::max(qr.bottom, f.rect.bottom);
      }
    ASSERT_LT(qr.left, qr.right) << slip;
    int codes = 0, purposes = 0;
    for (const auto& text : page.texts) {
      if (!cell.contains(text.x, text.y)) continue;
      const Rect box = extent(text);
      const std::string shown = text::toUtf8(text.text);
      EXPECT_TRUE(inside(box, cell)) << slip << " " << shown;
      EXPECT_TRUE(apart(box, qr)) << slip << " " << shown;
      if (text.clip) {
        EXPECT_TRUE(inside(box, *text.clip)) << slip << " cut: " << shown;
      }
      codes += shown == "コード J8AE6C3M";
      purposes += shown.find("スマートフォン") == 0;
    }
    EXPECT_EQ(codes, 1) << slip;
    EXPECT_EQ(purposes, 1) << slip;
  }
}

TEST(PrintSlips, TheDefaultFileNameCarriesTheEventAndTheRound) {
  data::Table table;
  table.title = cp("春の将棋大会");
  table.SetTableFile("/events/spring.tai");
  EXPECT_EQ(slipsPdfPath(table, 3), std::filesystem::path("/events") /
                                        text::pathFromUtf8("春の将棋大会-3回戦-結果用紙.pdf"));
  table.title = cp("A/B: 決勝");
  EXPECT_EQ(slipsPdfPath(table, 1).filename(), text::pathFromUtf8("A_B_ 決勝-1回戦-結果用紙.pdf"));
}

}  // namespace
}  // namespace toq::reports::print::test
