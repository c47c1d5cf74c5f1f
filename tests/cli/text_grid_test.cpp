#include "cli/text_grid.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "text/cp932.h"

namespace toq::cli {
namespace {

using text::sj;

TEST(TextGrid, ColumnsAlignByDisplayWidth) {
  // A double-byte character is two columns wide: padding counts CP932 bytes.
  std::string out = layOutColumns({{sj("氏名"), "x"}, {"ab", sj("漢字")}, {"", ""}});
  EXPECT_EQ(out, "氏名 x\nab   漢字\n\n");
}

TEST(TextGrid, GridLinesAreTheHeaderThenEveryLine) {
  auto t = testing::makeTournament(2);
  t->addParticipant("A");
  t->addParticipant("B");
  t->play(0, 0, 1, data::kWin);
  auto lines = gridLines(view::tableGrid(t->table, t->players));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0][0], "No.");
  EXPECT_EQ(lines[1][1], "A");
  EXPECT_EQ(lines[1][2], "B");
  EXPECT_EQ(lines[3][2], "A");
}

}  // namespace
}  // namespace toq::cli
