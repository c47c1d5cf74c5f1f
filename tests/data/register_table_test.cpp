#include <gtest/gtest.h>

#include "support/builders.h"
#include "text/cp932.h"

namespace toq {
namespace {

TEST(Register, NumbersAndLookups) {
  auto t = testing::makeTournament();
  auto& r = t->players;
  EXPECT_EQ(t->addPlayer("A"), 1);
  data::Player p;
  p.number = 4;
  p.name = "D";
  r.AddPlayer(p);
  EXPECT_EQ(t->addPlayer("B"), 2);
  EXPECT_EQ(r.NextFreeNumber(), 3);
  r.RemovePlayer(2);
  EXPECT_EQ(r.IndexToName(2, t->ui), "B");
  EXPECT_EQ(r.IndexToName(9, t->ui), "");
  ASSERT_EQ(t->ui.errors().size(), 1u);
  EXPECT_EQ(t->ui.errors()[0], "IndexToName error index=9 kishi_suu=2");
}

TEST(Register, FullRegisterRefuses) {
  data::Register r;
  for (int i = 0; i < data::kMaxPlayers; ++i) ASSERT_EQ(r.AddPlayer(data::Player{}), 0);
  EXPECT_EQ(r.AddPlayer(data::Player{}), -2);
  EXPECT_EQ(r.count(), data::kMaxPlayers);
}

TEST(Register, ShortNameAndSameName) {
  auto t = testing::makeTournament();
  auto& r = t->players;
  int a = t->addPlayer(text::sj("羽生　善治"));
  int b = t->addPlayer("Taro Yamada");
  int c = t->addPlayer(text::sj("女流名人"));
  EXPECT_EQ(r.IndexToShortName(a, t->ui), text::sj("羽生"));
  EXPECT_EQ(r.IndexToShortName(b, t->ui), "Taro");
  EXPECT_EQ(r.IndexToShortName(c, t->ui), text::sj("女流名人"));
  EXPECT_TRUE(r.SameNameExists(text::sj("羽生 善治"), 2));
  EXPECT_FALSE(r.SameNameExists(text::sj("羽生 善治"), 1));
  data::Player w;
  w.name = text::sj("女流名人");
  data::MarkWomanProfessional(w);
  EXPECT_EQ(w.womanProfessional, 1);
}

TEST(Register, AffiliationsCompareWithoutSpacesAtTheEnds) {
  // "ａ@" ends in the bytes of "　".
  for (auto [typed, key] : {std::pair{" 　青山道場　 ", "青山道場"},
                            {"青山 道場", "青山 道場"},
                            {"　 ", ""},
                            {"ａ@", "ａ@"}})
    EXPECT_EQ(data::affiliationKey(text::sj(typed)), text::sj(key)) << typed;
  // The register's equality, and so the undo history's snapshots, take the field in.
  auto t = testing::makeTournament();
  t->addPlayer("A");
  data::Register other = t->players;
  other.at(1).affiliation = text::sj("青山道場");
  EXPECT_FALSE(other == t->players);
}

TEST(Table, ParticipantsAndQueries) {
  auto t = testing::makeTournament(4);
  for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
  auto& tb = t->table;
  EXPECT_EQ(tb.FirstUnpairedRound(), 0);
  EXPECT_EQ(tb.LastPairedRound(), -1);
  t->play(0, 0, 1, data::kWin);
  t->play(0, 2, 3, data::kDraw);
  tb.setPair(1, 0, 2);
  tb.opponent[1][1] = data::kBye;
  tb.opponent[3][1] = data::kBye;
  EXPECT_EQ(tb.LastPairedRound(), 1);
  EXPECT_EQ(tb.FirstUnpairedRound(), 2);
  EXPECT_EQ(tb.LastCompletedRound(), 0);
  EXPECT_EQ(tb.OpenGames(1), 1);
  EXPECT_EQ(tb.ResultsCompleteBefore(2), -1);
  t->setResult(1, 0, data::kLoss);
  EXPECT_EQ(tb.ResultsCompleteBefore(2), 1);
  tb.RemoveParticipant(0);
  EXPECT_EQ(tb.participantCount, 3);
  EXPECT_EQ(tb.opponent[0][0], 1);  // entries stay at their row
  for (int i = 0; i < 96; ++i) ASSERT_EQ(tb.AddParticipant(1, t->ui), 0);
  EXPECT_EQ(tb.AddParticipant(1, t->ui), -1);
  EXPECT_EQ(t->ui.errors().back(), "最大登録人数です。");
}

// Every query that asks whether a game has its result agrees: a code outside loss, draw and
// win (only a damaged or hand-edited file holds one) is a missing result, like 0.
TEST(Table, ResultCodesOutsideTheSetAreMissingInEveryQuery) {
  struct Case {
    std::int16_t code;
    bool counts;
  };
  for (const Case c : {Case{data::kResultNone, false}, Case{4, false}, Case{9, false},
                       Case{-1, false}, Case{-32768, false}, Case{32767, false},
                       Case{data::kLoss, true}, Case{data::kDraw, true}, Case{data::kWin, true}}) {
    auto t = testing::makeTournament(3);
    for (int i = 0; i < 4; ++i) t->addParticipant("P" + std::to_string(i));
    auto& tb = t->table;
    t->play(0, 0, 1, data::kWin);
    t->play(0, 2, 3, data::kDraw);
    t->play(1, 0, 1, data::kWin);
    tb.result[1][1] = c.code;  // one row of a game
    tb.setPair(1, 2, 3);
    tb.result[2][1] = c.code;  // both rows of the other
    tb.result[3][1] = c.code;
    EXPECT_EQ(data::hasResult(c.code), c.counts) << c.code;
    EXPECT_EQ(tb.FirstIncompleteRound(), c.counts ? 2 : 1) << c.code;
    EXPECT_EQ(tb.LastCompletedRound(), c.counts ? 1 : 0) << c.code;
    EXPECT_EQ(tb.ResultsCompleteBefore(2), c.counts ? 1 : -1) << c.code;
    EXPECT_EQ(tb.OpenGames(1), c.counts ? 0 : 1) << c.code;  // three rows, halved
  }
}

}  // namespace
}  // namespace toq
