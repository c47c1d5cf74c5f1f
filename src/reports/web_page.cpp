#include "reports/web_page.h"

#include "data/safe_write.h"
#include "reports/html_text.h"
#include "reports/records.h"
#include "reports/report_files.h"
#include "reports/texts.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "text/format.h"
#include "text/paths.h"
#include "view/grid.h"

namespace toq::reports {

namespace {

// The event's name, or a word for a table with neither a title nor a file.
std::string pageTitle(const data::Table& table) {
  const std::string name = data::eventName(table);
  return name.empty() ? escapeHtml(web_texts::kUntitled) : htmlFromCp932(name);
}

std::string span(const std::string& html) {
  return element("span", html);
}

std::string head(const data::Table& table, const pairing::DateStamp& stamp, int m,
                 const std::string& title, const std::string& colourRules) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<meta name=\"generator\" content=\"" + escapeHtml(web_texts::kGenerator) +
         escapeHtml(texts::kVersion) + "\">\n";
  out += element("title", title) + "\n";
  out += "<style>" + std::string(pageStyle()) + colourRules + "</style>\n</head>\n<body>\n";

  out += "<header>\n" + element("h1", title) + "\n<p class=\"meta\">";
  if (!table.filePath.empty()) out += span(escapeHtml(pathUtf8(table.filePath.filename())));
  out += span(
      escapeHtml(text::format(web_texts::kStamp, stamp.longDate.c_str(), stamp.longTime.c_str())));
  out += span(escapeHtml(text::format(web_texts::kRounds, roundsOf(table), rowsOf(table))));
  out += span(escapeHtml(m >= 0 ? text::format(web_texts::kStandingsAfter, m + 1)
                                : std::string(web_texts::kNoRoundComplete)));
  out += "</p>\n<nav>";
  out += "<a href=\"#pairings\">" + escapeHtml(web_texts::kNavPairings) + "</a>";
  out += "<a href=\"#standings\">" + escapeHtml(web_texts::kNavStandings) + "</a>";
  out += "<a href=\"#chart\">" + escapeHtml(web_texts::kNavChart) + "</a>";
  return out + "</nav>\n</header>\n";
}

}  // namespace

std::string composeWebPage(data::Table& table, const data::Register& players,
                           const pairing::DateStamp& stamp, services::Services& ui) {
  const view::Grid grid = view::tableGrid(table, players);
  for (int number : grid.missingPlayers) players.IndexToName(number, ui);
  // The standings of the last complete round, computed into the table's block, which the lists
  // below read.
  const int m = standingsRound(table, players);

  std::vector<std::string> names(static_cast<std::size_t>(rowsOf(table)));
  for (int row = 0; row < rowsOf(table); ++row)
    if (const data::Player* p = players.FindPlayer(table.participants[row])) names[row] = p->name;

  std::string colourRules;
  const std::string chart = chartSection(grid, colourRules);
  std::string page = head(table, stamp, m, pageTitle(table), colourRules);
  // The two lists stand side by side where the screen is wide enough.
  page += "<main>\n<div class=\"lists\">\n";
  page += pairingsSection(table, names, table.LastPairedRound());
  page += standingsSection(table, names, m, grid.winRateMode);
  page += "</div>\n" + chart;
  page += "</main>\n</body>\n</html>\n";
  return page;
}

std::filesystem::path webPagePath(const data::Table& table) {
  if (table.filePath.empty()) return {};
  std::filesystem::path path = table.filePath;
  return path.replace_extension(text::pathFromUtf8(web_texts::kExtension));
}

int writeWebPage(data::Table& table, const data::Register& players,
                 const std::filesystem::path& path, services::Services& ui) {
  const std::string page = composeWebPage(table, players, pairing::makeDateStamp(), ui);
  if (path.empty() || data::writeFileSafely(path, page) != 0) {
    ui.errorBox(text::format(web_texts::kNotSaved, pathUtf8(path).c_str()));
    return kReportWriteError;
  }
  return kReportShown;
}

}  // namespace toq::reports
