// The web page: parsed back, its wall chart cell by cell against the view layer, escaping,
// standings order, pairings, an event without a complete round, full capacity, and the write.

#include "reports/web_page.h"

#include <gtest/gtest.h>

#include <map>

#include "report_fixture.h"
#include "reports/html_text.h"
#include "reports/report_files.h"
#include "support/html_check.h"
#include "view/grid.h"

namespace toq::reports {
namespace {

using data::kAbsent;
using data::kBye;
using data::kDraw;
using data::kLoss;
using data::kWin;
using test::cp;
using toq::testing::HtmlDocument;
using toq::testing::HtmlNode;
using toq::testing::parseHtml;

// The page of a tournament, parsed; the test fails at once when it is not well formed.
HtmlDocument page(toq::testing::Tournament& t) {
  HtmlDocument doc = parseHtml(composeWebPage(t.table, t.players, test::fixedStamp(), t.ui));
  EXPECT_TRUE(doc.ok()) << doc.error;
  return doc;
}

// The texts of every cell of each row of a table's body (or of its head).
std::vector<std::vector<std::string>> rowTexts(const HtmlNode* table, const char* part = "tbody") {
  std::vector<std::vector<std::string>> rows;
  if (!table) return rows;
  for (const HtmlNode* group : table->childElements(part))
    for (const HtmlNode* tr : group->childElements("tr")) {
      std::vector<std::string> cells;
      for (const HtmlNode& cell : tr->children)
        if (!cell.tag.empty()) cells.push_back(cell.textContent());
      rows.push_back(std::move(cells));
    }
  return rows;
}

const HtmlNode* tableIn(const HtmlDocument& doc, std::string_view section) {
  const HtmlNode* s = doc.root.byId(section);
  if (!s) return nullptr;
  const auto tables = s->all("table");
  return tables.empty() ? nullptr : tables.front();
}

// The colours a browser gives a chart cell: the page's ".chart td.CLASS" rules for the cell's
// classes over the ".chart td" text colour.
struct Shown {
  std::string background;
  std::string foreground;
};

Shown shownColours(const HtmlNode& td, const std::map<std::string, std::string>& rules) {
  Shown shown;
  auto declared = [&](const std::string& selector, std::string_view property) -> std::string {
    auto it = rules.find(selector);
    if (it == rules.end()) return {};
    const std::string key = std::string(property) + ":#";
    const std::size_t at = it->second.find(key);
    return at == std::string::npos ? std::string() : it->second.substr(at + key.size(), 6);
  };
  shown.foreground = declared(".chart td", "color");
  for (const std::string& cls : td.classes()) {
    const std::string selector = ".chart td." + cls;
    if (std::string b = declared(selector, "background"); !b.empty()) {
      EXPECT_TRUE(shown.background.empty()) << "two backgrounds on one cell";
      shown.background = b;
    }
    if (std::string f = declared(selector, "color"); !f.empty()) shown.foreground = f;
  }
  return shown;
}

// A CP932 text as the page shows it: UTF-8, with control characters (which no HTML page may
// hold) shown as U+FFFD.
std::string asShown(std::string_view cp932) {
  std::string out;
  for (char c : text::toUtf8(cp932)) {
    const bool control =
        (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
    out += control ? std::string("\xEF\xBF\xBD") : std::string(1, c);
  }
  return out;
}

// Every header and cell of the page's wall chart against the view layer's grid of the table.
void expectChartIsTheView(toq::testing::Tournament& t) {
  const HtmlDocument doc = page(t);
  const view::Grid grid = view::tableGrid(t.table, t.players);
  std::map<std::string, std::string> rules;
  const auto styles = doc.root.all("style");
  ASSERT_EQ(styles.size(), 1u);
  for (auto& [selector, declarations] : toq::testing::cssRules(styles[0]->textContent()))
    rules[selector] = declarations;

  const HtmlNode* chart = tableIn(doc, "chart");
  ASSERT_NE(chart, nullptr);
  const auto head = rowTexts(chart, "thead");
  ASSERT_EQ(head.size(), 1u);
  ASSERT_EQ(head[0].size(), grid.columns.size());
  for (std::size_t c = 0; c < grid.columns.size(); ++c)
    EXPECT_EQ(head[0][c], asShown(grid.columns[c].header));

  const auto groups = chart->childElements("tbody");
  ASSERT_EQ(static_cast<int>(groups.size()) * 2, grid.rowCount());
  int line = 0;
  for (const HtmlNode* group : groups)
    for (const HtmlNode* tr : group->childElements("tr")) {
      const auto cells = tr->childElements("td");
      ASSERT_EQ(static_cast<int>(cells.size()), grid.columnCount()) << "line " << line;
      for (int c = 0; c < grid.columnCount(); ++c) {
        const view::Cell& want = grid.at(line, c);
        const Shown shown = shownColours(*cells[c], rules);
        EXPECT_EQ(cells[c]->textContent(), asShown(want.text)) << line << "," << c;
        EXPECT_EQ(shown.background, hexColour(want.background)) << line << "," << c;
        EXPECT_EQ(shown.foreground, hexColour(want.foreground)) << line << "," << c;
      }
      ++line;
    }
  EXPECT_EQ(line, grid.rowCount());
}

// Rows 0-2 a professional on three boards, row 3 a woman professional, rows 4-8 amateurs.
std::unique_ptr<toq::testing::Tournament> professionalField() {
  auto t = toq::testing::makeTournament(4);
  t->addParticipant(cp("北島 九段"), 2400, 3, true);
  t->addParticipant(cp("女流 森"), 2000, 1, true, true);
  for (const char* n : {"青木", "井上", "上田", "江藤", "小川"}) t->addParticipant(cp(n), 1500);
  auto& table = t->table;
  // Round 1: amateurs against the boards, a bye, an absent board, a draw among amateurs.
  t->play(0, 4, 0, kWin);
  t->play(0, 5, 3, kLoss);
  t->play(0, 6, 1, kLoss);
  t->play(0, 7, 8, kDraw);
  table.opponent[2][0] = kAbsent;
  // Round 2: a second game against the same professional (on another board), handicaps, sides.
  t->play(1, 4, 1, kLoss);
  t->play(1, 5, 0, kWin);
  t->play(1, 6, 3, kWin);
  t->play(1, 7, 2, kLoss);
  table.opponent[8][1] = kBye;
  table.handicap[5][1] = -2;
  table.handicap[0][1] = 2;
  table.side[7][1] = data::kSideFirst;
  table.side[2][1] = data::kSideSecond;
  // Round 3 paired, one result missing (blue lower line).
  t->play(2, 4, 5, kWin);
  table.setPair(2, 6, 0);
  table.opponent[1][2] = kBye;
  table.opponent[2][2] = kBye;
  table.opponent[3][2] = kBye;
  t->play(2, 7, 8, kLoss);
  return t;
}

std::unique_ptr<toq::testing::Tournament> amateurField() {
  auto t = toq::testing::makeTournament(3);
  for (const char* n : {"A", "B", "C", "D", "E"}) t->addParticipant(n, 1500);
  t->play(0, 0, 1, kWin);
  t->play(0, 2, 3, kDraw);
  t->table.opponent[4][0] = kBye;
  t->play(1, 0, 2, kLoss);
  t->play(1, 4, 1, kWin);
  t->table.opponent[3][1] = kBye;
  t->table.setPair(2, 0, 1);  // a second meeting, not played yet
  return t;
}

TEST(WebPage, EveryChartCellHasTheViewsTextAndColours) {
  expectChartIsTheView(*professionalField());
  expectChartIsTheView(*amateurField());
  auto empty = toq::testing::makeTournament(2);
  expectChartIsTheView(*empty);
}

TEST(WebPage, HeadNamesTheEventTheStampAndTheStandingsRound) {
  auto t = amateurField();
  t->table.filePath = "/events/spring.tai";
  const HtmlDocument doc = page(*t);
  const auto html = doc.root.childElements("html");
  ASSERT_EQ(html.size(), 1u);
  EXPECT_EQ(*html[0]->attribute("lang"), "ja");
  EXPECT_EQ(doc.root.all("title")[0]->textContent(), "spring");
  EXPECT_EQ(doc.root.all("h1")[0]->textContent(), "spring");
  const std::string meta = doc.root.all("header")[0]->textContent();
  for (const char* part :
       {"spring.tai", "2026/12/06(日) 16:11:05", "全3回戦・5名", "2回戦終了時点"})
    EXPECT_NE(meta.find(part), std::string::npos) << part;
  // Self-contained: no script, no stylesheet link, no image or frame.
  for (const char* tag : {"script", "link", "img", "iframe", "object"})
    EXPECT_TRUE(doc.root.all(tag).empty()) << tag;
  // The import's placeholder title does not replace the file's name, nor names a table that
  // has no file.
  t->table.title = cp("test");
  EXPECT_EQ(page(*t).root.all("h1")[0]->textContent(), "spring");
  t->table.filePath.clear();
  EXPECT_EQ(page(*t).root.all("h1")[0]->textContent(), "対戦表");
}

TEST(WebPage, NamesAndTitlesAreEscapedAndHostileBytesCannotBreakTheMarkup) {
  auto t = toq::testing::makeTournament(2);
  t->addParticipant("<b>A&amp;\"B'</b>", 1500);
  // A lead byte before '<', a lone lead byte at the end, a control character, a byte that is
  // no CP932 at all.
  t->addParticipant("\x81<script>x</script>\x82", 1500);
  t->addParticipant(std::string("C\x01\x7F", 3) + "\xFF", 1500);
  t->addParticipant("D", 1500);
  t->table.title = "</title><style>&";
  t->play(0, 0, 1, kWin);
  t->play(0, 2, 3, kLoss);
  const HtmlDocument doc = page(*t);
  ASSERT_TRUE(doc.ok());
  for (const char* tag : {"b", "script"}) EXPECT_TRUE(doc.root.all(tag).empty()) << tag;
  EXPECT_EQ(doc.root.all("style").size(), 1u);
  EXPECT_EQ(doc.root.all("title")[0]->textContent(), "</title><style>&");
  t->table.title.clear();  // the file then names the event
  t->table.filePath = "/events/<i>&\"'.tai";
  const HtmlDocument named = page(*t);
  EXPECT_EQ(named.root.all("h1")[0]->textContent(), "<i>&\"'");
  EXPECT_TRUE(named.root.all("i").empty());

  // Ranks: A, D (equal in every tie-break, later row), then the two losers.
  const auto standings = rowTexts(tableIn(doc, "standings"));
  ASSERT_EQ(standings.size(), 4u);
  EXPECT_EQ(standings[0][1], "<b>A&amp;\"B'</b>");
  EXPECT_EQ(standings[2][1], "\xEF\xBF\xBD<script>x</script>\xEF\xBF\xBD");
  EXPECT_EQ(standings[3][1], "C\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  // The chart shows the same names as the view, replaced bytes and all.
  expectChartIsTheView(*t);
}

TEST(WebPage, StandingsInRankOrderWithSharedRanks) {
  // Win-rate mode (A plays on two boards): B, C and E share rank 2, D and F rank 5.
  auto t = toq::testing::makeTournament(3);
  const int a = t->addPlayer("A", 1500, 2);
  t->table.AddParticipant(a, t->ui);
  for (const char* n : {"B", "C", "D", "E", "F"}) t->addParticipant(n, 1500);
  t->play(0, 0, 1, kWin);
  t->play(0, 2, 3, kWin);
  t->play(0, 4, 5, kWin);
  t->play(1, 0, 2, kWin);
  t->play(1, 1, 4, kWin);
  t->play(1, 3, 5, kDraw);
  const auto rate = rowTexts(tableIn(page(*t), "standings"));
  const std::vector<std::vector<std::string>> wantRate = {
      {"1", "A", "2-0", "1.00", "2"},   {"2", "B", "1-1", "0.50", "2"},
      {"2", "C", "1-1", "0.50", "2"},   {"2", "E", "1-1", "0.50", "2"},
      {"5", "D", "0-1-1", "0.00", "1"}, {"5", "F", "0-1-1", "0.00", "1"}};
  EXPECT_EQ(rate, wantRate);

  // Score mode: every rank once, ordered by score, Solkoff and the further tie-breaks.
  auto s = amateurField();
  const auto score = rowTexts(tableIn(page(*s), "standings"));
  const std::vector<std::vector<std::string>> wantScore = {{"1", "C", "1-0-1", "1.5", "1.0", "0.0"},
                                                           {"2", "A", "1-1", "1.5", "0.0", "0.0"},
                                                           {"3", "E", "1-0", "0.0", "0.0", "0.0"},
                                                           {"4", "D", "0-0-1", "1.5", "0.0", "0.0"},
                                                           {"5", "B", "0-2", "2.0", "0.0", "0.0"}};
  EXPECT_EQ(score, wantScore);
}

TEST(WebPage, BoardGroupsStandAsOnePlayerInTheStandings) {
  // The professional's three boards count as one player; 小川 has no decided game.
  const std::vector<std::vector<std::string>> want = {{"1", "北島 九段", "3面 計 3-2", "0.60", "5"},
                                                      {"2", "女流 森", "1-1", "0.50", "2"},
                                                      {"2", "青木", "1-1", "0.50", "2"},
                                                      {"2", "井上", "1-1", "0.50", "2"},
                                                      {"2", "上田", "1-1", "0.50", "2"},
                                                      {"6", "江藤", "0-1-1", "0.00", "1"},
                                                      {"7", "小川", "0-0-1", "", "0"}};
  EXPECT_EQ(rowTexts(tableIn(page(*professionalField()), "standings")), want);
}

TEST(WebPage, PairingsOfTheLatestRoundHaveTheRoundListsContent) {
  auto t = professionalField();
  t->table.side[4][2] = data::kSideSecond;
  t->table.side[5][2] = data::kSideFirst;
  t->table.opponent[6][2] = data::kUnpaired;
  t->table.opponent[0][2] = data::kUnpaired;
  t->table.opponent[3][2] = kAbsent;
  const HtmlDocument doc = page(*t);
  EXPECT_EQ(doc.root.byId("pairings")->all("h2")[0]->textContent(), "3回戦の組み合わせ");
  const std::vector<std::vector<std::string>> want = {
      {"", "1北島 九段", "未定"},
      {"1", "5後青木", "対", "6先井上", "平手", ""},
      {"", "7上田", "未定"},
      {"2", "8江藤", "対", "9小川", "平手", "２局目"}};
  EXPECT_EQ(rowTexts(tableIn(doc, "pairings")), want);
  std::vector<std::string> out;
  for (const HtmlNode* p : doc.root.byId("pairings")->all("p")) out.push_back(p->textContent());
  EXPECT_EQ(out, (std::vector<std::string>{"抜け番：2北島 九段、3北島 九段", "休場：4女流 森"}));

  // Round 2: the handicap game shows the giver and receiver and the handicap's name; a second
  // game against a player on another board is marked.
  for (int row = 0; row < 9; ++row) t->table.clearEntries(row, 2, 3);
  t->table.side[0][1] = data::kSideSecond;
  t->table.side[5][1] = data::kSideFirst;
  const auto round2 = rowTexts(tableIn(page(*t), "pairings"));
  ASSERT_EQ(round2.size(), 4u);
  EXPECT_EQ(round2[0],
            (std::vector<std::string>{"1", "1上北島 九段", "対", "6下井上", "角落ち", ""}));
  EXPECT_EQ(round2[1],
            (std::vector<std::string>{"2", "2北島 九段", "対", "5青木", "平手", "２局目"}));
}

TEST(WebPage, AnEventWithoutACompleteRoundSaysSoInsteadOfStandings) {
  auto t = toq::testing::makeTournament(3);
  for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n, 1500);
  t->table.setPair(0, 0, 1);
  t->play(0, 2, 3, kWin);
  const HtmlDocument doc = page(*t);
  const HtmlNode* standings = doc.root.byId("standings");
  ASSERT_NE(standings, nullptr);
  EXPECT_TRUE(standings->all("table").empty());
  EXPECT_EQ(standings->all("p")[0]->textContent(),
            "終了した回戦がまだないため、成績はありません。");
  EXPECT_NE(doc.root.all("header")[0]->textContent().find("終了した回戦はまだありません"),
            std::string::npos);
  EXPECT_EQ(rowTexts(tableIn(doc, "pairings")).size(), 2u);
  expectChartIsTheView(*t);

  // Nothing paired at all: a line instead of the pairings too.
  auto none = toq::testing::makeTournament(3);
  for (const char* n : {"A", "B"}) none->addParticipant(n, 1500);
  const HtmlDocument empty = page(*none);
  EXPECT_EQ(empty.root.byId("pairings")->all("p")[0]->textContent(),
            "組み合わせはまだありません。");
  EXPECT_TRUE(empty.root.byId("pairings")->all("table").empty());
}

TEST(WebPage, NinetyNineRowsAndThirtyTwoRounds) {
  auto t = toq::testing::makeTournament(data::kMaxRounds);
  for (int i = 0; i < data::kMaxParticipants; ++i)
    t->addParticipant("P" + std::to_string(i + 1), 1200 + i * 10, 1, i % 17 == 0, i % 34 == 0);
  // Every round one row sits out in turn and the others play in a rotated order; the last
  // round stays without results.
  const int n = data::kMaxParticipants;
  for (int r = 0; r < data::kMaxRounds; ++r) {
    const int out = n - 1 - r;
    t->table.opponent[out][r] = kBye;
    std::vector<int> rows;
    for (int k = 0; k < n; ++k)
      if (const int row = (k + 3 * r) % n; row != out) rows.push_back(row);
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) {
      if (r + 1 < data::kMaxRounds)
        t->play(r, rows[i], rows[i + 1], (i / 2 + r) % 3 == 0 ? kDraw : kWin);
      else
        t->table.setPair(r, rows[i], rows[i + 1]);
    }
  }
  expectChartIsTheView(*t);
  const HtmlDocument doc = page(*t);
  EXPECT_EQ(rowTexts(tableIn(doc, "standings")).size(), 99u);
  EXPECT_EQ(rowTexts(tableIn(doc, "pairings")).size(), 49u);
  EXPECT_EQ(doc.root.byId("standings")->all("h2")[0]->textContent(), "成績（31回戦終了時点）");
}

TEST(WebPage, WrittenSafelyWithABackupAndAMessageWhenItCannotBe) {
  test::ScratchDir dir;
  auto t = amateurField();
  t->table.filePath = dir.path() / "event.tai";
  const std::filesystem::path target = webPagePath(t->table);
  EXPECT_EQ(target, dir.path() / "event.html");
  ASSERT_EQ(writeWebPage(t->table, t->players, target, t->ui), kReportShown);
  const std::string first = toq::testing::readFile(target);
  EXPECT_TRUE(parseHtml(first).ok());

  t->play(2, 0, 1, kWin);
  t->play(2, 2, 4, kLoss);
  ASSERT_EQ(writeWebPage(t->table, t->players, target, t->ui), kReportShown);
  EXPECT_EQ(toq::testing::readFile(dir.path() / "event.html.bak"), first);
  EXPECT_NE(toq::testing::readFile(target), first);
  EXPECT_TRUE(t->ui.errors().empty());

  const std::filesystem::path nowhere = dir.path() / "missing" / "event.html";
  EXPECT_EQ(writeWebPage(t->table, t->players, nowhere, t->ui), kReportWriteError);
  EXPECT_EQ(t->ui.errors(), (std::vector<std::string>{"Webページを保存できませんでした(" +
                                                      pathUtf8(nowhere) + ")。"}));
  EXPECT_TRUE(webPagePath(data::Table()).empty());
}

TEST(WebPage, APlayerTheRegisterLacksIsReportedOnce) {
  auto t = amateurField();
  t->table.participants[1] = 999;
  const HtmlDocument doc = page(*t);
  EXPECT_EQ(t->ui.errors(), (std::vector<std::string>{"IndexToName error index=999 kishi_suu=5"}));
  EXPECT_EQ(rowTexts(tableIn(doc, "standings"))[4][1], "");
}

}  // namespace
}  // namespace toq::reports
