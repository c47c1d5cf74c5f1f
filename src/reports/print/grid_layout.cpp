#include "reports/print/grid_layout.h"

#include <algorithm>
#include <string>

#include "reports/print/print_texts.h"
#include "reports/records.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

namespace {

constexpr int kNumberWidth = 28;
constexpr int kNameWidth = 90;
constexpr int kColumnWidth = 45;
constexpr int kFirstRoundColumn = 2;
constexpr int kSummaryColumns = 3;
// The class whose grid has stronger rules between pairs of round columns.
constexpr int kThreeDanClass = 8;

/// The text of one printed cell: the main view's, except the row number (the participant's
/// place in the table) and an absence, which the paper leaves blank.
std::string cellText(const data::Table& table, const view::Grid& cells, int line, int column) {
  const int row = line / 2;
  const bool lower = line % 2 == 1;
  if (column == 0) return lower ? std::string() : text::format("%3d", row + 1);
  const int round = column - kFirstRoundColumn;
  if (table.validRound(round) && table.opponent[row][round] == data::kAbsent) return {};
  return cells.at(line, column).text;
}

}  // namespace

std::vector<int> gridColumnWidths(int rounds) {
  rounds = std::max(0, rounds);
  const int roundWidth =
      rounds <= kGridFullWidthRounds ? kColumnWidth : kColumnWidth * kGridFullWidthRounds / rounds;
  std::vector<int> widths = {kNumberWidth, kNameWidth};
  widths.insert(widths.end(), static_cast<std::size_t>(rounds), roundWidth);
  widths.insert(widths.end(), kSummaryColumns, kColumnWidth);
  return widths;
}

int gridLineCount(int participants, int linesPerPage) {
  const int lines = std::min(std::max(0, linesPerPage), 2 * std::max(0, participants));
  return lines - lines % 2;
}

std::optional<view::Rgb> gridCellFill(const data::Table& table, const data::Register& players,
                                      int row, int round, bool lowerLine) {
  if (!table.validRow(row) || !table.validRound(round)) return std::nullopt;
  if (table.opponent[row][round] == data::kBye) return kByeFill;
  const int other = table.opponentRow(row, round);
  if (other < 0) return std::nullopt;
  if (lowerLine) {
    const bool opens =
        table.handicap[row][round] == 0 && table.side[row][round] == data::kSideFirst;
    return opens ? std::optional(kFirstMoveFill) : std::nullopt;
  }
  if (meetingsUpTo(table, round, row, other) > 1) return kSecondMeetingFill;
  if (table.AmateurMeetsWoman(row, other, players)) return kWomanGameFill;
  if (table.AmateurMeetsProfessional(row, other, players)) return kProfessionalGameFill;
  return std::nullopt;
}

bool gridColumnRuleIsThin(const data::Table& table, int column) {
  if (column == 0) return true;
  if (table.tableClass != kThreeDanClass) return false;
  if (column == kFirstRoundColumn) return true;
  if (table.rows() % 2 == 1 && column > 10) return column % 2 == 1;
  return column % 2 == 0;
}

void drawGridPage(const PageContext& page, const data::Table& table, const data::Register& players,
                  const view::Grid& cells) {
  Canvas& c = page.canvas;
  const DeviceMeasures& m = page.measures;
  const int lh = m.lineHeight;
  page.fonts.select(c, FontRole::Base);

  const std::vector<int> widths = gridColumnWidths(table.rounds());
  const int columns = static_cast<int>(widths.size());
  std::vector<int> x(static_cast<std::size_t>(columns) + 1);
  x[0] = m.leftMargin;
  for (int i = 0; i < columns; ++i) x[i + 1] = x[i] + m.across(widths[i]);
  const int left = x[0];
  const int right = x[columns];

  const int y0 = m.bodyTop();
  c.drawLine(left, y0, right, y0, m.thinPen);
  int y = y0 + 2 * m.lineGap;
  for (int i = 0; i < columns; ++i) {
    const std::string& heading =
        i < cells.columnCount() ? cells.columns[static_cast<std::size_t>(i)].header : "";
    c.drawText(x[i] + m.cellInset, y, heading, Rect{x[i], y, x[i + 1], y + lh});
    c.drawLine(x[i], y0, x[i], y + 2 * lh, i == 0 ? m.thinPen : kHairline);
  }
  c.drawLine(right, y0, right, y + 2 * lh, m.thinPen);
  y += lh;
  c.drawLine(left, y, right, y, m.thinPen);

  const int lines = gridLineCount(table.rows(), m.linesPerPage);
  for (int line = 0; line < lines; ++line) {
    const int row = line / 2;
    const bool lower = line % 2 == 1;
    for (int i = 0; i < columns; ++i) {
      const Rect cell{x[i], y, x[i + 1], y + lh};
      if (auto fill = gridCellFill(table, players, row, i - kFirstRoundColumn, lower))
        c.fillRect(cell, *fill);
      const std::string t = cellText(table, cells, line, i);
      if (!t.empty()) c.drawText(x[i] + m.cellInset, y + m.lineGap, t, cell);
    }
    for (int i = 0; i < columns; ++i)
      c.drawLine(x[i], y - m.lineGap, x[i], y + lh,
                 gridColumnRuleIsThin(table, i) ? m.thinPen : kHairline);
    c.drawLine(right, y - m.lineGap, right, y + lh + 1, m.thinPen);
    y += lh;
    if (lower) {
      c.drawLine(left, y, right + 1, y, line == lines - 1 ? m.thinPen : kHairline);
      c.drawLine(left, y - 2 * lh, right + 1, y - 2 * lh, row == 0 ? m.thinPen : kHairline);
    }
  }

  c.drawText(m.leftMargin, y + lh, text::sj(texts::kLegend), std::nullopt);
}

}  // namespace toq::reports::print
