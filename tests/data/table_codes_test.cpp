// The rules beside the table's codes: the opponent's result and side, the comparison of two
// tables that undo relies on, and the event's name.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "data/table.h"
#include "text/cp932.h"

namespace toq::data {
namespace {

TEST(TableCodes, TheOpponentHoldsTheOppositeResultAndSide) {
  const std::pair<int, int> results[] = {{kWin, kLoss},    {kLoss, kWin},
                                         {kDraw, kDraw},   {kResultNone, kResultNone},
                                         {7, kResultNone}, {-1, kResultNone}};
  for (auto [own, other] : results) EXPECT_EQ(oppositeResult(own), other) << own;
  const std::pair<int, int> sides[] = {{kSideFirst, kSideSecond},
                                       {kSideSecond, kSideFirst},
                                       {kSideUndecided, kSideUndecided},
                                       {0, kSideUndecided},
                                       {3, kSideUndecided}};
  for (auto [own, other] : sides) EXPECT_EQ(oppositeSide(own), other) << own;
}

TEST(TableCodes, SameContentsSeesEveryStoredFieldButNotTheStandings) {
  auto a = std::make_unique<Table>();
  auto b = std::make_unique<Table>(*a);
  b->standings[3][4].score = 9;
  EXPECT_TRUE(sameContents(*a, *b));
  const std::function<void(Table&)> changes[] = {
      [](Table& t) { t.title = "x"; },
      [](Table& t) { t.filePath = "x.tai"; },
      [](Table& t) { t.tableClass = 5; },
      [](Table& t) { t.participantCount = 1; },
      [](Table& t) { t.numberOfGames = 3; },
      [](Table& t) { t.participants[99] = 4; },  // an unused slot counts too
      [](Table& t) { t.opponent[99][31] = 0; },
      [](Table& t) { t.side[0][0] = kSideFirst; },
      [](Table& t) { t.handicap[5][5] = -2; },
      [](Table& t) { t.result[1][2] = kDraw; },
      [](Table& t) { t.lockFlag = 1; },
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    *b = *a;
    changes[i](*b);
    EXPECT_FALSE(sameContents(*a, *b)) << i;
  }
}

TEST(TableCodes, TheEventIsNamedByItsTitleOrElseByItsFile) {
  auto t = std::make_unique<Table>();
  EXPECT_EQ(eventName(*t), "");
  t->SetTableFile(std::filesystem::path(u8"/events/春季将棋大会.tai"));
  EXPECT_EQ(text::toUtf8(eventName(*t)), "春季将棋大会");
  t->title = "test";  // the import's placeholder
  EXPECT_EQ(text::toUtf8(eventName(*t)), "春季将棋大会");
  t->title = text::sj("名人戦");
  EXPECT_EQ(text::toUtf8(eventName(*t)), "名人戦");
  t->filePath.clear();
  t->title = "test";
  EXPECT_EQ(eventName(*t), "");
}

}  // namespace
}  // namespace toq::data
