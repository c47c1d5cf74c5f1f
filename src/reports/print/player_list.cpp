#include "reports/print/player_list.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "reports/print/print_texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

namespace {

constexpr int kColumns = 9;

std::array<std::string, kColumns> rowTexts(const data::Player& player, int position) {
  return {text::format("%3d", position),
          player.name,
          player.shortName,
          text::format("%d", player.rating),
          text::format("%d", player.entries),
          text::format("%d", player.professional),
          {},
          {},
          {}};
}

}  // namespace

int playerListPages(int playerCount, int linesPerPage) {
  if (linesPerPage <= 0 || playerCount <= 0) return 1;
  return (playerCount + linesPerPage - 1) / linesPerPage;
}

void drawPlayerListPage(const PageContext& page, const data::Register& players) {
  Canvas& c = page.canvas;
  const DeviceMeasures& m = page.measures;
  const int lh = m.lineHeight;
  const int textHeight = page.fonts.select(c, FontRole::Base);

  const std::vector<int> x = columnEdges(m, kPlayerColumnWidths);
  std::vector<std::string> headings;
  for (std::string_view heading : texts::kPlayerHeadings) headings.push_back(text::sj(heading));
  int y = drawHeadingRow(c, m, x, headings, m.cellInset);
  const int left = x.front();
  const int right = x.back();

  const int perPage = m.linesPerPage;
  const int first = (page.page - 1) * perPage + 1;
  const int last = std::min(page.page * perPage, players.count());
  for (int position = first; position <= last; ++position) {
    const auto cells = rowTexts(players.at(position), position);
    const int top = (y + y + lh) / 2 - textHeight / 2;
    for (int i = 0; i < kColumns; ++i) {
      if (!cells[i].empty())
        c.drawText(x[i] + m.cellInset, top, cells[i],
                   Rect{x[i], y, x[i + 1] - m.cellInset, y + lh});
      c.drawLine(x[i], y - m.lineGap, x[i], y + lh, i == 0 ? m.thinPen : kHairline);
    }
    c.drawLine(right, y - m.lineGap, right, y + lh + 1, m.thinPen);
    y += lh;
    c.drawLine(left, y, right + 1, y, position == last ? m.thinPen : kHairline);
  }
}

}  // namespace toq::reports::print
