#include "reports/print/standings_print.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

namespace {

// Widths in screen pixels: rank, name, affiliation, then the list's own columns.
constexpr int kRankWidth = 40;
constexpr int kNameWidth = 140;
constexpr int kAffiliationWidth = 120;
constexpr int kScoreWidths[6] = {60, 45, 55, 60, 80, 100};
constexpr int kRateWidths[4] = {90, 50, 60, 100};
constexpr std::string_view kLeadHeadings[3] = {"順位", "氏　名", "所属"};
// Lines of the base font above the list (the title) and under it (the rule).
constexpr int kTitleLines = 3;
constexpr int kRuleLines = 3;

std::vector<int> widthsOf(const StandingsList& list) {
  std::vector<int> w = {kRankWidth, kNameWidth, kAffiliationWidth};
  if (list.winRateMode)
    w.insert(w.end(), std::begin(kRateWidths), std::end(kRateWidths));
  else
    w.insert(w.end(), std::begin(kScoreWidths), std::end(kScoreWidths));
  return w;
}

// The places are written a size larger than the headings, to be read out.
int rowHeight(const PageContext& page) {
  return page.fonts.select(page.canvas, FontRole::Medium) + 2 * page.measures.lineGap;
}

std::vector<std::string> rowTexts(const StandingsLine& line) {
  std::vector<std::string> cells = {text::format("%d", line.rank), line.name, line.affiliation};
  cells.insert(cells.end(), line.values.begin(), line.values.end());
  cells.push_back(line.decidedBy);
  return cells;
}

}  // namespace

int standingsPerPage(const PageContext& page) {
  const DeviceMeasures& m = page.measures;
  const int room = m.printableHeight - m.bottomMargin - m.bodyTop() -
                   (kTitleLines + 1 + kRuleLines) * m.lineHeight;
  return std::max(1, room / std::max(1, rowHeight(page)));
}

int standingsPages(const StandingsList& list, int perPage) {
  const int n = static_cast<int>(list.lines.size());
  return std::max(1, (n + std::max(1, perPage) - 1) / std::max(1, perPage));
}

void drawStandingsPage(const PageContext& page, const StandingsList& list,
                       std::string_view eventName, std::string_view caption) {
  Canvas& c = page.canvas;
  const DeviceMeasures& m = page.measures;
  page.fonts.select(c, FontRole::Title);
  std::string title(eventName);
  if (!title.empty()) title += "  ";
  c.drawText(m.leftMargin, m.bodyTop(), title + text::sj(caption), std::nullopt);

  // The heading row stands under the title: its drawing starts at bodyTop, so the measures
  // it reads are moved down by the title's lines.
  DeviceMeasures below = m;
  below.topMargin += kTitleLines * m.lineHeight;
  const std::vector<int> x = columnEdges(below, widthsOf(list));
  std::vector<std::string> headings;
  for (std::string_view h : kLeadHeadings) headings.push_back(text::sj(h));
  for (std::string_view h : list.headings) headings.push_back(text::sj(h));
  page.fonts.select(c, FontRole::Base);
  int y = drawHeadingRow(c, below, x, headings, m.cellInset);

  const int lh = rowHeight(page);
  const int textHeight = lh - 2 * m.lineGap;
  const int perPage = standingsPerPage(page);
  const int first = (page.page - 1) * perPage;
  const int last = std::min<int>(first + perPage, static_cast<int>(list.lines.size()));
  for (int i = first; i < last; ++i) {
    page.fonts.select(c, FontRole::Medium);
    const std::vector<std::string> cells = rowTexts(list.lines[i]);
    const int top = y + (lh - textHeight) / 2;
    for (std::size_t k = 0; k + 1 < x.size(); ++k) {
      if (k < cells.size() && !cells[k].empty())
        c.drawText(x[k] + m.cellInset, top, cells[k],
                   Rect{x[k], y, x[k + 1] - m.cellInset, y + lh});
      c.drawLine(x[k], y, x[k], y + lh, k == 0 ? m.thinPen : kHairline);
    }
    c.drawLine(x.back(), y, x.back(), y + lh, m.thinPen);
    y += lh;
    c.drawLine(x.front(), y, x.back(), y, i + 1 == last ? m.thinPen : kHairline);
  }
  // The rule, a sentence a line.
  page.fonts.select(c, FontRole::Base);
  const std::string rule = text::sj(list.rule);
  const std::string stop = text::sj("。");
  for (std::size_t at = 0; at < rule.size();) {
    std::size_t end = rule.find(stop, at);
    end = end == std::string::npos ? rule.size() : end + stop.size();
    y += m.lineHeight;
    c.drawText(m.leftMargin, y, rule.substr(at, end - at), std::nullopt);
    at = end;
  }
}

}  // namespace toq::reports::print
