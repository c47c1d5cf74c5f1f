#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/int_scan.h"
#include "data/line_reader.h"

namespace toq {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> out;
  data::LineReader reader(text);
  std::string_view line;
  while (reader.next(line)) out.emplace_back(line);
  return out;
}

TEST(LineReader, CrLfAndLfReadAlikeAndLongLinesStayWhole) {
  using V = std::vector<std::string>;
  EXPECT_EQ(linesOf("a\r\nb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(linesOf("a\r\n\r\n\nb\r"), (V{"a", "", "", "b"}));
  EXPECT_EQ(linesOf(""), V{});
  EXPECT_EQ(linesOf("x\r\ry\n"), (V{"x\r\ry"}));  // only the CR of the line end goes
  // A NUL stays in its line, for the file readers to refuse.
  EXPECT_EQ(linesOf(std::string("ab\0cd\nz", 7)), (V{std::string("ab\0cd", 5), "z"}));
  std::string longLine(10000, 'n');
  EXPECT_EQ(linesOf(longLine + "\r\nnext\r\n"), (V{longLine, "next"}));
}

TEST(IntScan, LikeScanfButClampedAndBounded) {
  std::size_t pos = 0;
  EXPECT_EQ(data::scanInt("  \t-12,", pos), -12);
  EXPECT_EQ(pos, 6u);
  pos = 0;
  EXPECT_EQ(data::scanInt("+7", pos), 7);
  pos = 0;
  EXPECT_EQ(data::scanInt("99999999999999999999999", pos), INT_MAX);
  pos = 0;
  EXPECT_EQ(data::scanInt("-99999999999999999999999", pos), INT_MIN);
  for (std::string_view bad : {"", "  ", "-", "- 1", "x1", ","}) {
    pos = 0;
    EXPECT_FALSE(data::scanInt(bad, pos)) << bad;
    EXPECT_EQ(pos, 0u);
  }
  pos = 5;  // past the end is no integer, not a read out of range
  EXPECT_FALSE(data::scanInt("12", pos));

  EXPECT_EQ(data::clampToInt16(40000), 32767);
  EXPECT_EQ(data::clampToInt16(-40000), -32768);
  EXPECT_EQ(data::clampToInt16(-10), -10);

  using V = std::vector<int>;
  EXPECT_EQ(data::scanIntList("1, 2,3,4,5,6,7,8,9,10,11", 0, 9), (V{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(data::scanIntList("1500,x,3", 0, 9), V{1500});
  EXPECT_EQ(data::scanIntList("1500 ,3", 0, 9), V{1500});  // the comma must follow at once
  EXPECT_EQ(data::scanIntList("12", 7, 9), V{});
}

}  // namespace
}  // namespace toq
