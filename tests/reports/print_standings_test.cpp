// The printed standings for the prize-giving: every place in the standings' own order, the
// event's name on top, the rule under the list, and beside each place that tied on points the
// key that placed it before the next one.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "print_fixture.h"
#include "reports/standings_list.h"
#include "support/simulate.h"
#include "text/cp932.h"

namespace toq::reports::print {
namespace {

using reports::test::cp;

// The first key of the ranking in which the two rows differ, as the list names it.
std::string firstDifference(const data::StandingsEntry& a, const data::StandingsEntry& b) {
  if (a.score != b.score) return {};
  if (a.solkoff != b.solkoff) return "ソルコフ";
  if (a.beaten != b.beaten) return "勝者得点";
  if (a.trimmed != b.trimmed) return "修正勝者得点";
  return "直接対決か表の順";
}

// The texts drawn in the name column, page after page, top to bottom.
std::vector<std::string> drawnNames(const RecordingCanvas& canvas, int nameX) {
  std::vector<std::string> names;
  for (const auto& page : canvas.pages) {
    std::multimap<int, std::string> byY;
    for (const auto& t : page.texts)
      if (t.x == nameX && t.clip && t.text != cp("氏　名")) byY.emplace(t.y, t.text);
    for (const auto& [y, name] : byY) names.push_back(name);
  }
  return names;
}

bool drawn(const RecordingCanvas& canvas, const std::string& cp932) {
  for (int page = 0; page < static_cast<int>(canvas.pages.size()); ++page)
    if (canvas.findText(page, cp932)) return true;
  return false;
}

TEST(PrintStandings, PlacesInRankOrderWithTheKeyThatBrokeEachTie) {
  reports::test::FixedClock clock;
  std::set<std::string> keysSeen;
  struct Case {
    int amateurs;
    bool draws;
  };
  for (const Case c : {Case{12, false}, Case{17, true}, Case{30, false}, Case{30, true}}) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
      SCOPED_TRACE(::testing::Message() << c.amateurs << " players, seed " << seed);
      auto t =
          toq::testing::generateField({.amateurs = c.amateurs, .games = 4, .draws = c.draws}, seed);
      ASSERT_EQ(toq::testing::playRounds(*t, 4, seed, c.draws), 4);
      t->table.title = cp("春の将棋大会");
      StandingsList list = standingsList(t->table, t->players);
      ASSERT_EQ(list.round, 3);
      ASSERT_EQ(static_cast<int>(list.lines.size()), t->table.participantCount);

      test::Run run(test::kWidth, test::kHeight);
      PrintJob job(Layout::Standings, t->table, t->players,
                   documentTitle(t->table, Layout::Standings), ScreenResolution{96, 96});
      job.setStandings(list, standingsCaption(t->table, list));
      printDocument(job, run.canvas, run.ui);
      EXPECT_NE(run.canvas.findText(0, cp("春の将棋大会  最終成績（全4回戦）")), nullptr);

      // The places as drawn are the standings' ranks 1..N in order.
      const int nameX =
          job.measures().leftMargin + job.measures().across(40) + job.measures().cellInset;
      const std::vector<std::string> names = drawnNames(run.canvas, nameX);
      ASSERT_EQ(names.size(), list.lines.size());
      for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const int row = list.lines[i].row;
        EXPECT_EQ(t->table.standings[row][3].rank, static_cast<int>(i) + 1);
        const data::Player* p = t->players.FindPlayer(t->table.participants[row]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(names[i], p->name);
        if (i + 1 == list.lines.size()) continue;
        const std::string expected = firstDifference(t->table.standings[row][3],
                                                     t->table.standings[list.lines[i + 1].row][3]);
        const std::string key = text::toUtf8(list.lines[i].decidedBy);
        if (expected == "直接対決か表の順")
          EXPECT_TRUE(key == "直接対決" || key == "表の順") << key;
        else
          EXPECT_EQ(key, expected);
        if (!key.empty()) {
          keysSeen.insert(key);
          EXPECT_TRUE(drawn(run.canvas, list.lines[i].decidedBy)) << key;
        }
      }
      EXPECT_NE(run.canvas.findText(static_cast<int>(run.canvas.pages.size()) - 1,
                                    cp("同点の順位は ソルコフ → 勝者得点 → 修正勝者得点 → "
                                       "直接対決 → 表の順 で決めています。")),
                nullptr);
    }
  }
  // The cases between them break ties at every key of the ranking.
  for (const char* key : {"ソルコフ", "勝者得点", "修正勝者得点"})
    EXPECT_TRUE(keysSeen.count(key)) << key;
  EXPECT_TRUE(keysSeen.count("直接対決") || keysSeen.count("表の順"));
}

}  // namespace
}  // namespace toq::reports::print
