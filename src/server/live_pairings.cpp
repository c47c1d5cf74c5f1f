// The pairings of the served pages: the web page's pairings with each player's result.

#include "reports/html_text.h"
#include "reports/records.h"
#include "reports/round_list.h"
#include "reports/web_texts.h"
#include "server/pages.h"
#include "text/format.h"
#include "view/cells.h"
#include "view/game_mark.h"

namespace toq::server {

namespace wt = reports::web_texts;
using reports::element;
using reports::escapeHtml;
using reports::htmlFromCp932;

namespace {

std::string nameOf(const std::vector<std::string>& names, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < names.size() ? htmlFromCp932(names[row])
                                                                  : std::string();
}

// A player's cell: row number, side label when sides are drawn, name, result mark.
std::string playerCell(const data::Table& table, const std::vector<std::string>& names, int round,
                       int row, bool sidesDrawn, bool handicapGame) {
  std::string cell = element("span", text::format("%d", row + 1), "no");
  if (sidesDrawn)
    cell += element("span", htmlFromCp932(reports::sideLabel(table.side[row][round], handicapGame)),
                    "side");
  cell += nameOf(names, row);
  if (const std::string mark = view::resultMark(table.result[row][round]); !mark.empty())
    cell += element("span", htmlFromCp932(mark), "res");
  return element("td", cell);
}

std::string pairLine(const data::Table& table, const std::vector<std::string>& names, int round,
                     int row, int opponent, int board) {
  // As the round list: sides and handicap are read from the pair's first row.
  const bool sidesDrawn = table.side[row][round] != data::kSideUndecided;
  const bool handicapGame = table.handicap[row][round] != 0;
  std::string line = "<tr>" + element("td", text::format("%d", board), "n");
  line += playerCell(table, names, round, row, sidesDrawn, handicapGame);
  line += element("td", escapeHtml(wt::kVersus), "vs");
  line += playerCell(table, names, round, opponent, sidesDrawn, handicapGame);
  line += element("td", htmlFromCp932(reports::handicapName(table.handicap[row][round])));
  line += element(
      "td", view::secondMeeting(table, row, round) ? escapeHtml(wt::kSecondGame) : std::string(),
      "mark");
  return line + "</tr>\n";
}

std::string undecidedLine(const std::vector<std::string>& names, int row) {
  return "<tr>" + element("td", "", "n") +
         element("td", element("span", text::format("%d", row + 1), "no") + nameOf(names, row)) +
         "<td class=\"undecided\" colspan=\"4\">" + escapeHtml(wt::kUndecided) + "</td></tr>\n";
}

std::string sittingOut(std::string_view label, const std::vector<int>& rows,
                       const std::vector<std::string>& names) {
  if (rows.empty()) return {};
  std::string list;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) list += escapeHtml(wt::kNameSeparator);
    list += element("span", text::format("%d", rows[i] + 1), "no") + nameOf(names, rows[i]);
  }
  return element("p", escapeHtml(label) + list, "out") + "\n";
}

}  // namespace

std::string livePairingsSection(const data::Table& table, const std::vector<std::string>& names,
                                int round) {
  std::string out = "<section id=\"pairings\">\n";
  if (round < 0 || round >= table.rounds()) {
    out += element("h2", escapeHtml(wt::kPairingsTitleNone)) + "\n";
    out += element("p", escapeHtml(wt::kNoPairings), "none") + "\n";
    return out + "</section>\n";
  }
  out += element("h2", escapeHtml(text::format(wt::kPairingsTitle, round + 1))) + "\n";
  out += "<div class=\"scroll\">\n<table class=\"list pairings\">\n<thead><tr>";
  for (std::string_view header : wt::kPairingHeaders) out += element("th", escapeHtml(header));
  out += "</tr></thead>\n<tbody>\n";
  std::vector<int> byes;
  std::vector<int> absent;
  int board = 0;
  for (int row = 0; row < table.rows(); ++row) {
    const int code = table.opponent[row][round];
    if (code == data::kBye) {
      byes.push_back(row);
    } else if (code == data::kAbsent) {
      absent.push_back(row);
    } else if (const int opponent = table.opponentRow(row, round); opponent < 0) {
      out += undecidedLine(names, row);
    } else if (opponent >= row) {
      out += pairLine(table, names, round, row, opponent, ++board);
    }
  }
  out += "</tbody>\n</table>\n</div>\n";
  out += sittingOut(wt::kByes, byes, names);
  out += sittingOut(wt::kAbsences, absent, names);
  return out + "</section>\n";
}

}  // namespace toq::server
