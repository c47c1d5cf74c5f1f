// The wall chart of the web page: the main view's table mode, cell by cell, as the view layer
// decided it, with the legend of its colours.

#include <set>
#include <tuple>

#include "reports/html_text.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "view/layout.h"

namespace toq::reports {

using view::Rgb;

namespace {

// The columns before the rounds (number and name) stay in view while the rounds scroll sideways.
constexpr std::string_view kStickyClasses[view::kFirstRoundColumn] = {"s0", "s1"};
// Rounds whose chart a printed page holds at the usual size.
constexpr int kRoundsAtUsualPrintSize = 20;

bool sticky(int column) {
  return column >= 0 && column < view::kFirstRoundColumn;
}

struct RgbLess {
  bool operator()(const Rgb& a, const Rgb& b) const {
    return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
  }
};

std::string backgroundClass(Rgb colour) {
  return "c-" + hexColour(colour);
}

std::string textClass(Rgb colour) {
  return "t-" + hexColour(colour);
}

std::string cellClasses(int column, const view::Cell& cell) {
  std::string classes;
  if (sticky(column)) classes.append(kStickyClasses[column]).append(" ");
  classes += backgroundClass(cell.background);
  if (cell.foreground != view::kBlack) classes.append(" ").append(textClass(cell.foreground));
  return classes;
}

std::string swatch(Rgb colour, std::string_view meaning) {
  return "<li><span class=\"swatch\" style=\"background:#" + hexColour(colour) + "\"></span>" +
         escapeHtml(meaning) + "</li>";
}

std::string legend() {
  std::string out = "<ul class=\"legend\">";
  out += swatch(view::kGreen, web_texts::kLegendPro);
  out += swatch(view::kPink, web_texts::kLegendWoman);
  out += swatch(view::kYellow, web_texts::kLegendSecond);
  out += swatch(view::kGrey, web_texts::kLegendBye);
  out += "<li><span style=\"color:#" + hexColour(view::kBlue) + "\">" +
         escapeHtml(web_texts::kLegendBlueLabel) + "</span>" + escapeHtml(web_texts::kLegendBlue) +
         "</li>";
  out += "</ul>\n";
  out += element("p", escapeHtml(web_texts::kMarks), "note") + "\n";
  return out;
}

}  // namespace

std::string chartSection(const view::Grid& grid, std::string& colourRules) {
  std::set<Rgb, RgbLess> backgrounds;
  std::set<Rgb, RgbLess> foregrounds;
  const int columns = grid.columnCount();

  std::string out = "<section id=\"chart\">\n";
  out += element("h2", escapeHtml(web_texts::kChartTitle)) + "\n";
  // More rounds than an A4 landscape page holds at the usual size print smaller.
  out += grid.columnCount() > view::tableColumnCount(kRoundsAtUsualPrintSize)
             ? "<div class=\"scroll\">\n<table class=\"chart many-rounds\">\n<thead><tr>"
             : "<div class=\"scroll\">\n<table class=\"chart\">\n<thead><tr>";
  for (int c = 0; c < columns; ++c)
    out += element("th", htmlFromCp932(grid.columns[c].header), sticky(c) ? kStickyClasses[c] : "");
  out += "</tr></thead>\n";
  for (int line = 0; line < grid.rowCount(); ++line) {
    // A participant's two lines form one row group, which a printed page never splits.
    const bool upper = !view::isLowerLine(line);
    if (upper) out += "<tbody>";
    out += upper ? "<tr class=\"u\">" : "<tr class=\"v\">";
    for (int c = 0; c < columns; ++c) {
      const view::Cell& cell = grid.at(line, c);
      backgrounds.insert(cell.background);
      if (cell.foreground != view::kBlack) foregrounds.insert(cell.foreground);
      out += element("td", htmlFromCp932(cell.text), cellClasses(c, cell));
    }
    out += "</tr>";
    if (!upper || line + 1 == grid.rowCount()) out += "</tbody>\n";
  }
  out += "</table>\n</div>\n";
  out += legend();
  out += "</section>\n";

  colourRules = ".chart td{color:#" + hexColour(view::kBlack) + "}\n";
  for (Rgb colour : backgrounds)
    colourRules +=
        ".chart td." + backgroundClass(colour) + "{background:#" + hexColour(colour) + "}\n";
  for (Rgb colour : foregrounds)
    colourRules += ".chart td." + textClass(colour) + "{color:#" + hexColour(colour) + "}\n";
  return out;
}

}  // namespace toq::reports
