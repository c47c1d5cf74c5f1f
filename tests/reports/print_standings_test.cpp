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

// The texts drawn at `x`, page after page, top to bottom.
std::vector<std::string> drawnAt(const RecordingCanvas& canvas, int x) {
  std::vector<std::string> texts;
  for (const auto& page : canvas.pages) {
    std::multimap<int, std::string> byY;
    for (const auto& t : page.texts)
      if (t.x == x && t.clip) byY.emplace(t.y, text::toUtf8(t.text));
    for (const auto& [y, text] : byY) texts.push_back(text);
  }
  return texts;
}

TEST(PrintStandings, PlacesInRankOrderWithTheKeyThatBrokeEachTie) {
  reports::test::FixedClock clock;
  std::set<std::string> keysSeen;
  for (const auto& [amateurs, draws] : {std::pair{12, false}, {17, true}, {30, false}, {30, true}})
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
      SCOPED_TRACE(::testing::Message() << amateurs << " players, seed " << seed);
      auto t =
          toq::testing::generateField({.amateurs = amateurs, .games = 4, .draws = draws}, seed);
      ASSERT_EQ(toq::testing::playRounds(*t, 4, seed, draws), 4);
      t->table.title = cp("春の将棋大会");
      const StandingsList list = standingsList(t->table, t->players);
      ASSERT_EQ(static_cast<int>(list.lines.size()), t->table.participantCount);
      test::Run run(test::kWidth, test::kHeight);
      PrintJob job(Layout::Standings, t->table, t->players,
                   documentTitle(t->table, Layout::Standings), ScreenResolution{96, 96});
      job.setStandings(list, standingsCaption(t->table, list));
      printDocument(job, run.canvas, run.ui);
      EXPECT_NE(run.canvas.findText(0, cp("春の将棋大会  最終成績（全4回戦）")), nullptr);
      EXPECT_NE(run.canvas.findText(static_cast<int>(run.canvas.pages.size()) - 1,
                                    cp("同点の順位は ソルコフ → 勝者得点 → 修正勝者得点 → "
                                       "直接対決 → 表の順 で決めています。")),
                nullptr);

      // The names as drawn are the ranks 1..N; each key is the one the standings block says
      // broke the tie with the next place.
      const DeviceMeasures& m = job.measures();
      std::vector<std::string> names =
          drawnAt(run.canvas, m.leftMargin + m.across(40) + m.cellInset);
      std::erase(names, "氏　名");
      ASSERT_EQ(names.size(), list.lines.size());
      for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const int row = list.lines[i].row;
        EXPECT_EQ(t->table.standings[row][3].rank, static_cast<int>(i) + 1);
        EXPECT_EQ(names[i], text::toUtf8(t->players.FindPlayer(t->table.participants[row])->name));
        if (i + 1 == list.lines.size()) break;
        const std::string expected = firstDifference(t->table.standings[row][3],
                                                     t->table.standings[list.lines[i + 1].row][3]);
        const std::string key = text::toUtf8(list.lines[i].decidedBy);
        if (expected == "直接対決か表の順")
          EXPECT_TRUE(key == "直接対決" || key == "表の順") << key;
        else
          EXPECT_EQ(key, expected);
        if (!key.empty()) keysSeen.insert(key);
      }
    }
  // The cases between them break ties at every key of the ranking.
  for (const char* key : {"ソルコフ", "勝者得点", "修正勝者得点"})
    EXPECT_TRUE(keysSeen.count(key)) << key;
  EXPECT_TRUE(keysSeen.count("直接対決") || keysSeen.count("表の順"));
}

}  // namespace
}  // namespace toq::reports::print
