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

}  // namespace toq::cli
