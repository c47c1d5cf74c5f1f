#include "server/pages.h"

#include "pairing/date_stamp.h"
#include "pairing/standings.h"
#include "reports/html_text.h"
#include "reports/records.h"
#include "reports/standings_list.h"
#include "reports/texts.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "server/answers.h"
#include "server/guard_texts.h"
#include "server/page_scripts.h"
#include "server/player_finder.h"
#include "server/server.h"
#include "server/sha256.h"
#include "server/texts.h"
#include "text/format.h"
#include "view/grid.h"

namespace toq::server {

namespace wt = reports::web_texts;
using reports::element;
using reports::escapeHtml;

namespace {

// Rules of the served pages besides the web page's own: the result marks and the links.
constexpr std::string_view kServedStyle = R"css(
.list .res{margin-left:.35em;font-weight:bold}
.meta .live{color:#2f6b2f}
.meta .live.stale{color:#a00000;font-weight:bold}
.finder input{font-size:1.2em;width:100%;box-sizing:border-box;padding:.4em;margin:.4em 0}
.found{list-style:none;padding:0;margin:0 0 .6em;font-size:1.15em}
.found li{padding:.3em 0;border-bottom:1px solid #ddd}
)css";

// Rules of the prize-giving standings: on a screen, in print, and on the display the first
// places large.
constexpr std::string_view kPrizeStyle = R"css(
.prize .rule{margin:.6em 0;font-size:.9em;color:#444}
.prize td.key{color:#23306a;font-size:.85em}
.prize td.aff{color:#555}
@media print{nav,.meta .live,#page,noscript{display:none}body{font-size:11pt}
.prize .scroll{overflow:visible}.prize tr{break-inside:avoid}}
)css";

// What a page is made of.
struct Frame {
  std::string title;  ///< escaped
  std::string bodyAttributes;
  std::string style;
  std::string top;     ///< before the header, kept when the page reads its lists again
  std::string header;  ///< the header's content
  std::string main;
  std::string_view script;
  std::uint64_t version = 0;
  std::string_view base;  ///< the section's paths begin with it
};

Page compose(const Frame& f) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<meta name=\"referrer\" content=\"no-referrer\">\n";
  html += "<meta name=\"generator\" content=\"" + escapeHtml(wt::kGenerator) +
          escapeHtml(reports::texts::kVersion) + "\">\n";
  html += element("title", f.title) + "\n";
  html += "<style>" + f.style + "</style>\n</head>\n";
  html += "<body" + f.bodyAttributes + " data-version=\"" + std::to_string(f.version) +
          "\" data-base=\"" + escapeHtml(f.base) + "\">\n";
  html += f.top;
  html += "<header>\n" + f.header + "</header>\n";
  html += "<main>\n" + f.main + "</main>\n";
  html += "<noscript>" + element("p", escapeHtml(texts::kScriptNeeded), "note") + "</noscript>\n";
  html += "<script>" + std::string(f.script) + "</script>\n</body>\n</html>\n";
  return {std::move(html), pagePolicy(f.script)};
}

std::string link(std::string_view href, std::string_view label) {
  return "<a href=\"" + std::string(href) + "\">" + escapeHtml(label) + "</a>";
}

std::string span(const std::string& html, std::string_view cls = {}) {
  return element("span", html, cls);
}

// "自動で更新されます": the page's script adds when it last heard from the server, or says
// that it has not for a while.
std::string liveNote() {
  return "<span id=\"live\" class=\"live\">" + escapeHtml(texts::kLive) + "</span>";
}

std::vector<std::string> rowNames(const edit::Workspace& ws) {
  const data::Table& t = ws.table;
  std::vector<std::string> names(static_cast<std::size_t>(t.rows()));
  for (int row = 0; row < t.rows(); ++row)
    if (const data::Player* p = ws.players.FindPlayer(t.participants[row])) names[row] = p->name;
  return names;
}

// The head of the list pages: title, moment, size, the round of the standings.
std::string listHeader(const data::Table& t, int m, const std::string& title,
                       const std::string& nav) {
  const pairing::DateStamp stamp = pairing::makeDateStamp();
  std::string out = element("h1", title) + "\n<p class=\"meta\">";
  out += span(escapeHtml(text::format(wt::kStamp, stamp.longDate.c_str(), stamp.longTime.c_str())));
  out += span(escapeHtml(text::format(wt::kRounds, t.rounds(), t.rows())));
  out += span(escapeHtml(m >= 0 ? text::format(wt::kStandingsAfter, m + 1)
                                : std::string(wt::kNoRoundComplete)));
  out += liveNote();
  out += "<span id=\"page\"></span></p>\n";
  return out + nav;
}

std::string boardsHeader(const std::string& title, std::string_view what) {
  return element("h1", title) + "\n<p class=\"meta\">" + span(escapeHtml(what)) +
         "<span id=\"round\"></span><span id=\"open\"></span></p>\n";
}

// The search field, the status line, the boards and the dialog box of the board pages.
std::string boardsMain(std::string_view lead, const std::string& tools) {
  std::string out = tools;
  out += element("p", escapeHtml(lead), "lead") + "\n";
  const std::string search = escapeHtml(texts::kSearch);
  out += "<input id=\"search\" type=\"search\" autocomplete=\"off\" placeholder=\"" + search +
         "\" aria-label=\"" + search + "\">\n";
  out += "<p id=\"note\" class=\"status\" role=\"status\"></p>\n";
  out += "<div id=\"boards\" class=\"boards\"></div>\n";
  out +=
      "<div id=\"overlay\" class=\"overlay\" hidden=\"\"><div id=\"box\" class=\"box\" "
      "role=\"dialog\" aria-modal=\"true\"></div></div>\n";
  return out;
}

// The last round's last result is in: the day's standings are final.
bool finished(const data::Table& t) {
  const int rounds = reports::roundsOf(t);
  return rounds > 0 && t.LastCompletedRound() >= rounds - 1;
}

// The final standings as the display shows them instead of the pairings.
std::string finalStandings(edit::Workspace& ws, std::string_view id) {
  const reports::StandingsList list = reports::standingsList(ws.table, ws.players);
  return reports::prizeStandingsSection(list, reports::standingsCaption(ws.table, list), id);
}

// The display's lists: the latest pairings and the standings, or the final standings alone.
std::string displayLists(edit::Workspace& ws) {
  data::Table& t = ws.table;
  if (finished(t)) return finalStandings(ws, "final");
  const int m = reports::standingsRound(t, ws.players);
  const std::vector<std::string> names = rowNames(ws);
  return livePairingsSection(t, names, t.LastPairedRound()) +
         reports::standingsSection(t, names, m, pairing::winRateMode(t, ws.players)) +
         readingOrderSection(ws);
}

}  // namespace

std::string pagePolicy(std::string_view script) {
  return "default-src 'none'; script-src " + scriptHashSource(script) +
         "; style-src 'unsafe-inline'; connect-src 'self'; img-src 'self'; base-uri 'none'; "
         "form-action 'none'; frame-ancestors 'none'";
}

std::string_view dataPolicy() {
  return "default-src 'none'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

Page homePage(edit::Workspace& ws, std::uint64_t version, bool resultDesk, std::string_view base) {
  data::Table& t = ws.table;
  // The grid computes the standings of the last complete round into the table; the lists
  // below read that block.
  const view::Grid grid = view::tableGrid(t, ws.players);
  const int m = reports::standingsRound(t, ws.players);
  const std::vector<std::string> names = rowNames(ws);
  std::string colourRules;
  const std::string chart = reports::chartSection(grid, colourRules);

  Frame f;
  f.title = escapeHtml(eventTitle(t));
  f.style = std::string(reports::pageStyle()) + colourRules + std::string(kServedStyle);
  const std::string b(base);
  std::string nav = "<nav>" + link("#pairings", wt::kNavPairings) +
                    link("#standings", wt::kNavStandings) + link("#chart", wt::kNavChart) +
                    link(b + "/display", texts::kLinkDisplay) +
                    link(b + "/standings", texts::kLinkStandings);
  if (resultDesk) nav += link(b + "/desk", texts::kLinkDesk);
  f.header = listHeader(t, m, f.title, nav + "</nav>\n");
  f.main = "<div class=\"lists\">\n" + livePairingsSection(t, names, t.LastPairedRound()) +
           reports::standingsSection(t, names, m, grid.winRateMode) + "</div>\n" + chart;
  f.top = finderBox();
  static const std::string script = std::string(scripts::live()) + std::string(finderScript());
  f.script = script;
  f.version = version;
  f.base = base;
  return compose(f);
}

Page displayPage(edit::Workspace& ws, std::uint64_t version, std::string_view base) {
  data::Table& t = ws.table;
  Frame f;
  f.title = escapeHtml(eventTitle(t));
  f.bodyAttributes = " class=\"display\"";
  f.style = std::string(reports::pageStyle()) + std::string(kServedStyle) +
            std::string(kPrizeStyle) + std::string(scripts::displayStyle());
  f.main = displayLists(ws);
  f.header = listHeader(t, reports::standingsRound(t, ws.players), f.title, {});
  f.script = scripts::display();
  f.version = version;
  f.base = base;
  return compose(f);
}

Page standingsPage(edit::Workspace& ws, std::uint64_t version, std::string_view base) {
  data::Table& t = ws.table;
  const reports::StandingsList list = reports::standingsList(t, ws.players);
  Frame f;
  f.title = escapeHtml(eventTitle(t));
  f.style =
      std::string(reports::pageStyle()) + std::string(kServedStyle) + std::string(kPrizeStyle);
  const std::string b(base);
  const std::string nav = "<nav>" + link(b + "/", texts::kLinkPublic) +
                          link(b + "/display", texts::kLinkDisplay) + "</nav>\n";
  f.header = listHeader(t, list.round, f.title, nav);
  f.main = reports::prizeStandingsSection(list, reports::standingsCaption(t, list), "standings");
  f.script = scripts::live();
  f.version = version;
  f.base = base;
  return compose(f);
}

Page deskPage(const edit::Workspace& ws, std::uint64_t version, std::string_view base) {
  Frame f;
  f.title = escapeHtml(eventTitle(ws.table));
  f.bodyAttributes = " data-mode=\"desk\"";
  f.style = std::string(reports::pageStyle()) + std::string(scripts::boardsStyle());
  f.header = boardsHeader(f.title, texts::kDeskTitle);
  f.main = boardsMain(texts::kDeskLead, {});
  f.script = scripts::boards();
  f.version = version;
  f.base = base;
  return compose(f);
}

Page adminPage(const edit::Workspace& ws, std::uint64_t version, bool resultDesk,
               std::string_view base) {
  Frame f;
  f.title = escapeHtml(eventTitle(ws.table));
  f.bodyAttributes = " data-mode=\"admin\"";
  f.style = std::string(reports::pageStyle()) + std::string(scripts::boardsStyle());
  f.header = boardsHeader(f.title, texts::kAdminTitle);
  std::string tools = "<div class=\"tools\"><button id=\"prev\" type=\"button\">" +
                      escapeHtml(texts::kPreviousRound) +
                      "</button><button id=\"next\" type=\"button\">" +
                      escapeHtml(texts::kNextRound) +
                      "</button><button id=\"pair\" type=\"button\" class=\"primary\">" +
                      escapeHtml(texts::kPairNext) +
                      "</button><span id=\"pairWhy\" class=\"why\" hidden=\"\"></span>"
                      "<span id=\"complete\" class=\"complete\" hidden=\"\">" +
                      escapeHtml(texts::kAllResultsIn) +
                      "</span><span id=\"locked\" class=\"locked\" hidden=\"\">" +
                      escapeHtml(texts::kLocked) + "</span></div>\n";
  const std::string b(base);
  tools += "<div class=\"tools\">" + link(b + "/", texts::kLinkPublic) +
           link(b + "/display", texts::kLinkDisplay) +
           link(b + "/standings", texts::kLinkStandings);
  if (resultDesk) tools += link(b + "/desk", texts::kLinkDesk);
  tools += "</div>\n";
  tools += "<section id=\"disagreements\" class=\"disagreements\" hidden=\"\"><h2>" +
           escapeHtml(texts::kDisagreements) +
           "</h2><ul id=\"disagreement-list\"></ul></section>\n";
  tools += "<section class=\"changes\"><h2>" + escapeHtml(texts::kLatestChanges) +
           "</h2><ul id=\"change-list\"></ul></section>\n";
  f.main = boardsMain(texts::kAdminLead, tools);
  f.script = scripts::boards();
  f.version = version;
  f.base = base;
  return compose(f);
}

SectionPart displayPart(edit::Workspace& ws, int section) {
  data::Table& t = ws.table;
  const int m = reports::standingsRound(t, ws.players);
  const std::vector<std::string> names = rowNames(ws);
  SectionPart part;
  part.name = eventTitle(t);
  std::string html =
      finished(t) ? finalStandings(ws, "final")
                  : livePairingsSection(t, names, t.LastPairedRound()) +
                        reports::standingsSection(t, names, m, pairing::winRateMode(t, ws.players));
  // Each list says whose it is, and its anchors stay unique on the page.
  const std::string title = "<h2>" + escapeHtml(part.name) + "　";
  const std::string n = std::to_string(section + 1);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"<h2>", title},
                                 {"id=\"pairings\"", "id=\"pairings-" + n + "\""},
                                 {"id=\"standings\"", "id=\"standings-" + n + "\""},
                                 {"id=\"final\"", "id=\"final-" + n + "\""}})
    for (std::size_t at = 0; (at = html.find(from, at)) != std::string::npos; at += to.size())
      html.replace(at, from.size(), to);
  part.html = std::move(html);
  return part;
}

Page venuePage(const std::vector<SectionPart>& sections, std::uint64_t version) {
  Frame f;
  f.title = escapeHtml(texts::kVenueTitle);
  f.style = std::string(reports::pageStyle()) + std::string(kServedStyle);
  f.header = element("h1", f.title) + "\n<p class=\"meta\">" + liveNote() + "</p>\n<nav>" +
             link("/display", texts::kLinkDisplay) + "</nav>\n";
  std::string list = "<section id=\"sections\">\n<ul class=\"sections\">\n";
  for (std::size_t i = 0; i < sections.size(); ++i)
    list += "<li>" + link(sectionPrefix(static_cast<int>(i)) + "/", sections[i].name) + "</li>\n";
  f.main = list + "</ul>\n</section>\n";
  f.script = scripts::live();
  f.version = version;
  return compose(f);
}

Page venueDisplayPage(const std::vector<SectionPart>& sections, std::uint64_t version) {
  Frame f;
  f.title = escapeHtml(texts::kVenueTitle);
  f.bodyAttributes = " class=\"display\"";
  f.style = std::string(reports::pageStyle()) + std::string(kServedStyle) +
            std::string(kPrizeStyle) + std::string(scripts::displayStyle());
  f.header = element("h1", f.title) + "\n<p class=\"meta\">" + liveNote() +
             "<span id=\"page\"></span></p>\n";
  for (const SectionPart& s : sections) f.main += s.html;
  f.script = scripts::display();
  f.version = version;
  return compose(f);
}

}  // namespace toq::server
