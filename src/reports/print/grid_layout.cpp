#include "reports/print/grid_layout.h"

#include <algorithm>
#include <string>

#include "reports/print/print_texts.h"
#include "text/cp932.h"
#include "text/format.h"
#include "view/game_mark.h"
#include "view/layout.h"

namespace toq::reports::print {

namespace {

using view::kFirstRoundColumn;

constexpr int kNumberWidth = 28;
constexpr int kNameWidth = 90;
constexpr int kColumnWidth = 45;

/// The printed palette of the game marks, on the upper line of a game's cell.
std::optional<view::Rgb> printedColour(view::GameMark mark) {
  switch (mark) {
    case view::GameMark::Bye:
      return kByeFill;
    case view::GameMark::SecondMeeting:
      return kSecondMeetingFill;
    case view::GameMark::WomanProfessional:
    case view::GameMark::WomanByNameOnly:
      return kWomanGameFill;
    case view::GameMark::Professional:
      return kProfessionalGameFill;
    case view::GameMark::None:
      break;
  }
  return std::nullopt;
}

/// The text of one printed cell: the main view's, except the row number (the participant's
/// place in the table) and an absence, which the paper leaves blank.
std::string cellText(const data::Table& table, const view::Grid& cells, int line, int column) {
  const int row = view::rowOfLine(line);
  if (column == view::kNumberColumn)
    return view::isLowerLine(line) ? std::string() : text::format("%3d", row + 1);
  const int round = view::roundOfColumn(column);
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
  widths.insert(widths.end(), view::kSummaryColumns, kColumnWidth);
  return widths;
}

int gridLineCount(int participants, int linesPerPage) {
  const int rows =
      std::min(std::max(0, linesPerPage) / view::kLinesPerRow, std::max(0, participants));
  return view::lineCountOfRows(rows);
}

std::optional<view::Rgb> gridCellFill(const data::Table& table, const data::Register& players,
                                      int row, int round, bool lowerLine) {
  if (!table.validRow(row) || !table.validRound(round)) return std::nullopt;
  const view::GameMark mark = view::gameMark(table, players, row, round);
  if (!lowerLine || mark == view::GameMark::Bye) return printedColour(mark);
  // The lower line marks only the even games that the row opens.
  const bool opens = table.opponentRow(row, round) >= 0 && table.handicap[row][round] == 0 &&
                     table.side[row][round] == data::kSideFirst;
  return opens ? std::optional(kFirstMoveFill) : std::nullopt;
}

bool gridColumnRuleIsThin(const data::Table& table, int column) {
  if (column == 0) return true;
  if (!data::isClass(table.tableClass, data::TableClass::ThreeDan)) return false;
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
  const std::vector<int> x = columnEdges(m, widths);
  const int columns = static_cast<int>(x.size()) - 1;
  std::vector<std::string> headings;
  for (const view::Column& column : cells.columns) headings.push_back(column.header);
  int y = drawHeadingRow(c, m, x, headings, 0);
  const int left = x.front();
  const int right = x.back();

  const int lines = gridLineCount(table.rows(), m.linesPerPage);
  for (int line = 0; line < lines; ++line) {
    const int row = view::rowOfLine(line);
    const bool lower = view::isLowerLine(line);
    for (int i = 0; i < columns; ++i) {
      const Rect cell{x[i], y, x[i + 1], y + lh};
      if (auto fill = gridCellFill(table, players, row, view::roundOfColumn(i), lower))
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
      const int top = y - view::kLinesPerRow * lh;
      c.drawLine(left, top, right + 1, top, row == 0 ? m.thinPen : kHairline);
    }
  }

  c.drawText(m.leftMargin, y + lh, text::sj(texts::kLegend), std::nullopt);
}

}  // namespace toq::reports::print
