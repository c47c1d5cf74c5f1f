// The printed reception list: every applicant in register order, on as many pages as the
// player list, each row with a box to tick and an empty note.

#include <gtest/gtest.h>

#include "print_fixture.h"
#include "text/cp932.h"

namespace toq::reports::print {
namespace {

using reports::test::cp;

TEST(PrintReceptionList, EveryApplicantInRegisterOrderWithABoxToTick) {
  reports::test::FixedClock clock;
  auto t = toq::testing::makeTournament();
  for (int i = 1; i <= 70; ++i) t->addPlayer("Entry" + std::to_string(i), 1500 + i);
  auto run = test::runJob(Layout::ReceptionList, *t);
  ASSERT_EQ(run->pages, 2);
  const std::string head =
      cp("2026/12/06(日) 16:11:05") + std::string(16, ' ') + cp("受付名簿  event.tai");
  EXPECT_NE(run->canvas.findText(0, head), nullptr);
  const auto* first = run->text(1, "Entry1");
  const auto* sixtieth = run->text(1, "Entry60");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(sixtieth, nullptr);
  EXPECT_LT(first->y, sixtieth->y);
  EXPECT_NE(run->text(2, "Entry70"), nullptr);
  // Four sides of a box on each row, besides the list's rules.
  EXPECT_GE(run->page(1).lines.size(), 60u * 4);
}

}  // namespace
}  // namespace toq::reports::print
