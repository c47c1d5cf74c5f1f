// The standings of the web page: the ranked rows in rank order with their tie-break values.

#include <algorithm>
#include <utility>

#include "reports/html_text.h"
#include "reports/records.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "text/format.h"
#include "view/cells.h"

namespace toq::reports {

namespace {

// Half-points as points: 5 gives "2.5".
std::string points(int halfPoints) {
  return text::format("%.1f", halfPoints * 0.5);
}

std::string recordText(const Record& r) {
  return r.draws > 0 ? text::format("%d-%d-%d", r.wins, r.losses, r.draws)
                     : text::format("%d-%d", r.wins, r.losses);
}

std::string cell(std::string_view html, std::string_view cls = {}) {
  return element("td", html, cls);
}

// The name, with the mark of a withdrawn player.
std::string nameCell(const data::Table& table, const std::vector<std::string>& names, int row) {
  if (static_cast<std::size_t>(row) >= names.size()) return cell(std::string());
  const std::string mark = view::withdrawnMark(table, row);
  return cell(htmlFromCp932(names[row]) +
              (mark.empty() ? std::string() : "（" + htmlFromCp932(mark) + "）"));
}

// Score mode: the record, Solkoff score and rank cells as the main view shows them, then the
// further tie-breaks.
std::string scoreLine(const data::Table& table, const std::vector<std::string>& names, int m,
                      int row) {
  const view::StandingsCells shown = view::standingsCells(table, row, m, false);
  const data::StandingsEntry& e = table.standings[row][m];
  return "<tr>" + cell(htmlFromCp932(shown.rank), "n") + nameCell(table, names, row) +
         cell(htmlFromCp932(shown.record.first), "n") +
         cell(htmlFromCp932(shown.rateOrSolkoff), "n") + cell(points(e.beaten), "n") +
         cell(points(e.trimmed), "n") + "</tr>\n";
}

// Win-rate mode: one line per player, with the record and rate of the whole board group.
std::string rateLine(const data::Table& table, const std::vector<std::string>& names, int m,
                     int row) {
  const Record group = groupRecord(table, row, m, +1);
  std::string record = recordText(group);
  if (group.rows > 1) record = text::format(web_texts::kBoards, group.rows, record.c_str());
  return "<tr>" + cell(text::format("%d", table.standings[row][m].rank), "n") +
         nameCell(table, names, row) + cell(escapeHtml(record), "n") +
         cell(escapeHtml(winRateText(group)), "n") +
         cell(text::format("%d", group.wins + group.losses), "n") + "</tr>\n";
}

template <std::size_t N>
std::string headerRow(const std::string_view (&headers)[N]) {
  std::string out = "<thead><tr>";
  for (std::string_view header : headers) out += element("th", escapeHtml(header));
  return out + "</tr></thead>\n";
}

}  // namespace

std::string standingsSection(const data::Table& table, const std::vector<std::string>& names, int m,
                             bool winRateMode) {
  std::string out = "<section id=\"standings\">\n";
  if (m < 0 || m >= data::kMaxRounds) {
    out += element("h2", escapeHtml(web_texts::kStandingsTitleNone)) + "\n";
    out += element("p", escapeHtml(web_texts::kNoStandings), "none") + "\n";
    return out + "</section>\n";
  }
  out += element("h2", escapeHtml(text::format(web_texts::kStandingsTitle, m + 1))) + "\n";

  // Rank order; rows that share a rank keep the table's order.
  std::vector<std::pair<int, int>> ranked;
  for (int row = 0; row < rowsOf(table); ++row)
    if (const int rank = table.standings[row][m].rank; rank > 0) ranked.emplace_back(rank, row);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  out += "<div class=\"scroll\">\n<table class=\"list standings\">\n";
  out += winRateMode ? headerRow(web_texts::kRateHeaders) : headerRow(web_texts::kScoreHeaders);
  out += "<tbody>\n";
  for (const auto& [rank, row] : ranked)
    out += winRateMode ? rateLine(table, names, m, row) : scoreLine(table, names, m, row);
  out += "</tbody>\n</table>\n</div>\n";
  out +=
      element("p", escapeHtml(winRateMode ? web_texts::kRateNote : web_texts::kScoreNote), "note") +
      "\n";
  return out + "</section>\n";
}

}  // namespace toq::reports
