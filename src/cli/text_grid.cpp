#include "cli/text_grid.h"

#include <algorithm>

#include "text/cp932.h"

namespace toq::cli {

std::string layOutColumns(const std::vector<GridLine>& lines,
                          const std::vector<bool>& rightAligned) {
  std::vector<std::size_t> widths;
  for (const GridLine& line : lines) {
    if (widths.size() < line.size()) widths.resize(line.size(), 0);
    for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
  }
  std::string result;
  for (const GridLine& line : lines) {
    std::string cp932;
    for (std::size_t c = 0; c < line.size(); ++c) {
      if (c > 0) cp932 += ' ';
      const bool right = c < rightAligned.size() && rightAligned[c];
      cp932 += right ? text::padLeft(line[c], widths[c]) : text::padRight(line[c], widths[c]);
    }
    cp932.erase(cp932.find_last_not_of(' ') + 1);
    result += text::toUtf8(cp932);
    result += '\n';
  }
  return result;
}

std::vector<GridLine> gridLines(const view::Grid& grid) {
  std::vector<GridLine> lines;
  lines.reserve(grid.lines.size() + 1);
  GridLine header;
  for (const view::Column& column : grid.columns) header.push_back(column.header);
  lines.push_back(std::move(header));
  for (const auto& cells : grid.lines) {
    GridLine line;
    for (const view::Cell& cell : cells) line.push_back(cell.text);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace toq::cli
