// The round list's lines: undecided sides, side labels, handicap names, second meetings,
// unpaired rows and rows that sit out, and what foreign codes become.

#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/round_list.h"

namespace toq::reports {
namespace {

using test::cp;

class RoundList : public ::testing::Test {
 protected:
  void SetUp() override {
    t = toq::testing::makeTournament(3);
    t->addParticipant(cp("佐藤 一郎"), 1800);
    t->addParticipant(cp("鈴木 花子"), 1500);
    t->addParticipant("Watanabe Kenichiro Long", 1700);
    t->addParticipant(cp("高橋"), 1600);
  }
  // The lines after the head and the title line.
  std::string body(int round) {
    const std::string all =
        composeRoundList(t->table, t->players, round, test::fixedHead("x.txt"), t->ui);
    const std::string head = test::crlf({"x.txt", "", "2026/12/06(日) 16:11:05", "V0.60"});
    EXPECT_EQ(all.substr(0, head.size()), head);
    std::string rest = all.substr(head.size());
    const std::size_t eol = rest.find("\r\n");
    title = rest.substr(0, eol);
    return rest.substr(eol + 2);
  }
  std::unique_ptr<toq::testing::Tournament> t;
  std::string title;
};

TEST_F(RoundList, UndecidedSidesUseTheWiderSecondColumn) {
  t->table.setPair(0, 0, 2);
  t->table.setPair(0, 1, 3);
  EXPECT_EQ(body(0), cp(" 1.     佐藤 一郎            対  3.     Watanabe Kenichiro Long 平手\r\n"
                        " 2.     鈴木 花子            対  4.     高橋             平手\r\n"));
  EXPECT_EQ(title, cp("-------- 1回戦組み合わせ ---------"));
}

TEST_F(RoundList, HandicapGamesShowGiverAndReceiverAndTheHandicapName) {
  const int codes[] = {1, 2, 3, 4, 5, 7, 10};
  const char* names[] = {"香落ち",   "角落ち",   "飛車落ち", "飛香落ち",
                         "二枚落ち", "四枚落ち", "六枚落ち"};
  t->table.setPair(0, 0, 1);
  t->table.setPair(0, 2, 3);
  t->table.opponent[2][0] = data::kBye;  // leaves only the first pair (row 3 then names row 2)
  t->table.opponent[3][0] = data::kBye;
  for (int i = 0; i < 7; ++i) {
    t->table.handicap[0][0] = static_cast<std::int16_t>(codes[i]);
    t->table.handicap[1][0] = static_cast<std::int16_t>(-codes[i]);
    t->table.side[0][0] = data::kSideSecond;
    t->table.side[1][0] = data::kSideFirst;
    EXPECT_EQ(body(0), cp(std::string(" 1. (上)佐藤 一郎            対  2. (下)鈴木 花子      ") +
                          names[i] + "\r\n"));
  }
  // Read from the receiver's row the labels stay by side code; an unknown code names nothing.
  t->table.handicap[0][0] = 6;
  t->table.side[0][0] = data::kSideFirst;
  t->table.side[1][0] = 9;
  EXPECT_EQ(body(0), cp(" 1. (下)佐藤 一郎            対  2. (未)鈴木 花子      \r\n"));
  t->table.side[0][0] = 0;
  t->table.handicap[0][0] = 0;
  EXPECT_EQ(body(0), cp(" 1. (未)佐藤 一郎            対  2. (未)鈴木 花子      平手\r\n"));
}

TEST_F(RoundList, UnpairedRowsAreUndecidedAndRowsThatSitOutAreLeftOut) {
  t->table.opponent[0][1] = data::kBye;
  t->table.opponent[1][1] = data::kAbsent;
  t->table.opponent[3][1] = 55;  // a code from a damaged file: shown as not paired
  EXPECT_EQ(body(1), cp(" 3. Watanabe Kenichiro Long  *** 未定 ***\r\n"
                        " 4. 高橋                  *** 未定 ***\r\n"));
  EXPECT_EQ(title, cp("-------- 2回戦組み合わせ ---------"));
}

TEST_F(RoundList, SecondMeetingIsMarkedOnTheLaterGameOnly) {
  t->table.setPair(0, 0, 3);
  t->table.setPair(0, 1, 2);
  t->table.setPair(1, 0, 1);
  t->table.setPair(1, 2, 3);
  t->table.setPair(2, 3, 0);  // the pair's first row is row 0 even though row 3 was set first
  t->table.setPair(2, 1, 2);
  EXPECT_EQ(
      body(2),
      cp(" 1.     佐藤 一郎            対  4.     高橋             平手　＊２局目\r\n"
         " 2.     鈴木 花子            対  3.     Watanabe Kenichiro Long 平手　＊２局目\r\n"));
  const std::string round1 = body(1);
  EXPECT_EQ(round1.find(cp("＊２局目")), std::string::npos);
}

TEST_F(RoundList, MissingPlayerGetsTheLookupMessageAndAnEmptyName) {
  t->table.participants[3] = 999;
  t->table.setPair(0, 2, 3);
  const std::string lines = body(0);
  EXPECT_NE(lines.find(cp(" 3.     Watanabe Kenichiro Long 対  4.     " + std::string(17, ' ') +
                          "平手\r\n")),
            std::string::npos);
  ASSERT_FALSE(t->ui.errors().empty());
  EXPECT_EQ(t->ui.errors().back(), "IndexToName error index=999 kishi_suu=4");
}

TEST_F(RoundList, RoundsOutsideTheTableComposeNoPairs) {
  t->table.setPair(0, 0, 1);
  EXPECT_EQ(body(7), "");
  EXPECT_EQ(body(-3), "");
}

}  // namespace
}  // namespace toq::reports
