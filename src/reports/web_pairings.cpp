// The pairings of the web page: the round list's content as a table.

#include "reports/html_text.h"
#include "reports/records.h"
#include "reports/round_list.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "text/format.h"
#include "view/game_mark.h"

namespace toq::reports {

namespace {

std::string nameOf(const std::vector<std::string>& names, int row) {
  return rowNameHtml(names, row);
}

// A player's cell: the row number, the side label when sides are drawn, the name.
std::string playerCell(const data::Table& table, const std::vector<std::string>& names, int round,
                       int row, bool sidesDrawn, bool handicapGame) {
  std::string cell = element("span", text::format("%d", row + 1), "no");
  if (sidesDrawn)
    cell += element("span", htmlFromCp932(sideLabel(table.side[row][round], handicapGame)), "side");
  return element("td", cell + nameOf(names, row));
}

std::string pairLine(const data::Table& table, const std::vector<std::string>& names, int round,
                     int row, int opponent, int board) {
  // The round list reads the sides and the handicap from the pair's first row.
  const bool sidesDrawn = table.side[row][round] != data::kSideUndecided;
  const bool handicapGame = table.handicap[row][round] != 0;
  std::string line = "<tr>" + element("td", text::format("%d", board), "n");
  line += playerCell(table, names, round, row, sidesDrawn, handicapGame);
  line += element("td", escapeHtml(web_texts::kVersus), "vs");
  line += playerCell(table, names, round, opponent, sidesDrawn, handicapGame);
  line += element("td", htmlFromCp932(handicapName(table.handicap[row][round])));
  line += element(
      "td",
      view::secondMeeting(table, row, round) ? escapeHtml(web_texts::kSecondGame) : std::string(),
      "mark");
  return line + "</tr>\n";
}

std::string undecidedLine(const std::vector<std::string>& names, int row) {
  return "<tr>" + element("td", "", "n") +
         element("td", element("span", text::format("%d", row + 1), "no") + nameOf(names, row)) +
         "<td class=\"undecided\" colspan=\"4\">" + escapeHtml(web_texts::kUndecided) +
         "</td></tr>\n";
}

}  // namespace

std::string rowNameHtml(const std::vector<std::string>& names, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < names.size() ? htmlFromCp932(names[row])
                                                                  : std::string();
}

std::string sittingOutLine(std::string_view label, const std::vector<int>& rows,
                           const std::vector<std::string>& names) {
  if (rows.empty()) return {};
  std::string list;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) list += escapeHtml(web_texts::kNameSeparator);
    list += element("span", text::format("%d", rows[i] + 1), "no") + rowNameHtml(names, rows[i]);
  }
  return element("p", escapeHtml(label) + list, "out") + "\n";
}

std::string pairingsSection(const data::Table& table, const std::vector<std::string>& names,
                            int round) {
  std::string out = "<section id=\"pairings\">\n";
  if (round < 0 || round >= roundsOf(table)) {
    out += element("h2", escapeHtml(web_texts::kPairingsTitleNone)) + "\n";
    out += element("p", escapeHtml(web_texts::kNoPairings), "none") + "\n";
    return out + "</section>\n";
  }
  out += element("h2", escapeHtml(text::format(web_texts::kPairingsTitle, round + 1))) + "\n";
  out += "<div class=\"scroll\">\n<table class=\"list pairings\">\n<thead><tr>";
  for (std::string_view header : web_texts::kPairingHeaders)
    out += element("th", escapeHtml(header));
  out += "</tr></thead>\n<tbody>\n";
  std::vector<int> byes;
  std::vector<int> absent;
  int board = 0;
  for (int row = 0; row < rowsOf(table); ++row) {
    const int code = table.opponent[row][round];
    if (code == data::kBye) {
      byes.push_back(row);
      continue;
    }
    if (code == data::kAbsent) {
      absent.push_back(row);
      continue;
    }
    // Not paired yet; an opponent code that names no row reads the same.
    const int opponent = opponentOf(table, row, round);
    if (opponent < 0)
      out += undecidedLine(names, row);
    else if (opponent >= row)
      out += pairLine(table, names, round, row, opponent, ++board);
  }
  out += "</tbody>\n</table>\n</div>\n";
  out += sittingOutLine(web_texts::kByes, byes, names);
  out += sittingOutLine(web_texts::kAbsences, absent, names);
  return out + "</section>\n";
}

}  // namespace toq::reports
