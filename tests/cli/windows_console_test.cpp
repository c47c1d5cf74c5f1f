// The Windows console's output holds back a UTF-8 sequence cut by a flush until its end comes.

#include "cli/windows_console.h"

#include <gtest/gtest.h>

#include <string>

namespace toq::cli {
namespace {

TEST(CompleteUtf8Length, HoldsBackOnlyASequenceCutAtTheEnd) {
  const std::string ka = "\xE3\x81\x8B";        // か, three bytes
  const std::string face = "\xF0\x9F\x98\x80";  // four bytes
  struct Case {
    std::string bytes;
    std::size_t whole;
  };
  for (const Case& c : {
           Case{"", 0},
           Case{"abc", 3},
           Case{"a" + ka, 4},
           Case{"a" + ka.substr(0, 1), 1},
           Case{"a" + ka.substr(0, 2), 1},
           Case{ka + face.substr(0, 3), 3},
           Case{ka + face, 7},
           Case{"\xC3\xA9", 2},
           Case{"x\xC3", 1},
           // Bytes no sequence can hold are let through for the conversion to mark.
           Case{"\x80\x80\x80\x80", 4},
           Case{"a\x80", 2},
           Case{"a" + ka + "\x80", 5},
       })
    EXPECT_EQ(completeUtf8Length(c.bytes), c.whole) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace toq::cli
