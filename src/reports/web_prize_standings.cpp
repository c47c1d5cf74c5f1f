// The standings for the prize-giving as HTML, for the /standings page and the display's final
// standings: the same list the printed standings read.

#include "reports/html_text.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "text/format.h"

namespace toq::reports {

namespace {

constexpr std::string_view kLeadHeadings[3] = {"順位", "氏名", "所属"};

std::string placeLine(const StandingsLine& line) {
  const std::string cls = line.rank <= 3 ? " class=\"top" + std::to_string(line.rank) + "\"" : "";
  std::string out = "<tr" + cls + ">" + element("td", std::to_string(line.rank), "n") +
                    element("td", htmlFromCp932(line.name), "name") +
                    element("td", htmlFromCp932(line.affiliation), "aff");
  for (const std::string& v : line.values) out += element("td", htmlFromCp932(v), "n");
  return out + element("td", htmlFromCp932(line.decidedBy), "key") + "</tr>\n";
}

}  // namespace

std::string prizeStandingsSection(const StandingsList& list, std::string_view caption,
                                  std::string_view id) {
  std::string out = "<section id=\"" + escapeHtml(id) + "\" class=\"prize\">\n";
  out += element("h2", escapeHtml(caption)) + "\n";
  if (list.round < 0) {
    out += element("p", escapeHtml(web_texts::kNoStandings), "none") + "\n";
    return out + "</section>\n";
  }
  out += "<div class=\"scroll\">\n<table class=\"list standings prize\">\n<thead><tr>";
  for (std::string_view h : kLeadHeadings) out += element("th", escapeHtml(h));
  for (std::string_view h : list.headings) out += element("th", escapeHtml(h));
  out += "</tr></thead>\n<tbody>\n";
  for (const StandingsLine& line : list.lines) out += placeLine(line);
  out += "</tbody>\n</table>\n</div>\n";
  return out + element("p", escapeHtml(list.rule), "rule") + "\n</section>\n";
}

}  // namespace toq::reports
