#include <gtest/gtest.h>

#include <string>

#include "text/cp932.h"
#include "text/format.h"

namespace toq {
namespace {

using text::cutAtCharBoundary;
using text::toCp932;
using text::toUtf8;

TEST(Cp932, RoundTripsOfKanjiKanaAndSymbols) {
  for (const char* s :
       {"羽生善治", "ｶﾀｶﾅ ﾃｽﾄ", "女流王座", "①№㈱", "髙橋﨑", "ABC 123", "先　後", "～－"}) {
    auto sj = toCp932(s);
    ASSERT_TRUE(sj) << s;
    EXPECT_EQ(toUtf8(*sj), s);
  }
  EXPECT_EQ(*toCp932("将棋"), "\x8F\xAB\x8A\xFB");
  EXPECT_EQ(*toCp932("ｱ"), "\xB1");       // half-width katakana: one byte
  EXPECT_EQ(*toCp932("～"), "\x81\x60");  // FULLWIDTH TILDE
  EXPECT_EQ(*toCp932("－"), "\x81\x7C");  // FULLWIDTH HYPHEN-MINUS
  // The variants typed on other systems land on the same codes and read back as CP932's own.
  EXPECT_EQ(*toCp932("\u301C"), "\x81\x60");  // WAVE DASH
  EXPECT_EQ(*toCp932("\u2212"), "\x81\x7C");  // MINUS SIGN
  EXPECT_EQ(toUtf8("\x81\x60\x81\x7C"), "～－");
}

TEST(Cp932, RefusesWhatCp932CannotHold) {
  for (const char* s : {"😀", "a😀b", "\u4E02", "\u3402", "\u2014", "\u00A6", "𠮷野家"})
    EXPECT_FALSE(toCp932(s)) << s;
  EXPECT_FALSE(toCp932("\xC3"));          // truncated UTF-8
  EXPECT_FALSE(toCp932("\xED\xA0\x80"));  // a surrogate
  EXPECT_EQ(toUtf8("\x80"), "\uFFFD");
  EXPECT_EQ(toUtf8("A\x81"), "A\uFFFD");  // lead byte at the very end
}

TEST(Cp932, CutNeverSplitsACharacter) {
  const std::string s = *toCp932("aｱ将棋b");  // 1 + 1 + 2 + 2 + 1 bytes
  EXPECT_EQ(cutAtCharBoundary(s, 0), "");
  EXPECT_EQ(cutAtCharBoundary(s, 2), s.substr(0, 2));
  EXPECT_EQ(cutAtCharBoundary(s, 3), s.substr(0, 2));  // would split 将
  EXPECT_EQ(cutAtCharBoundary(s, 4), s.substr(0, 4));
  EXPECT_EQ(cutAtCharBoundary(s, 5), s.substr(0, 4));
  EXPECT_EQ(cutAtCharBoundary(s, 100), s);
  // Every cut of a long mixed text is valid CP932 and as long as it may be.
  std::string mixed;
  for (int i = 0; i < 100; ++i) mixed += *toCp932(i % 3 ? "歩" : "ﾄ");
  for (std::size_t n = 0; n <= mixed.size(); ++n) {
    auto cut = cutAtCharBoundary(mixed, n);
    ASSERT_LE(cut.size(), n);
    ASSERT_GE(cut.size() + 1, n < mixed.size() ? n : mixed.size());
    ASSERT_TRUE(toCp932(toUtf8(cut))) << n;
    ASSERT_EQ(toUtf8(cut).find("\uFFFD"), std::string::npos) << n;
  }
}

TEST(Cp932, PaddingCountsBytes) {
  const std::string name = *toCp932("歩ｱ");  // three bytes
  EXPECT_EQ(text::padRight(name, 6), name + "   ");
  EXPECT_EQ(text::padLeft(name, 6), "   " + name);
  EXPECT_EQ(text::padRight(name, 2), name);  // never cuts
  EXPECT_EQ(text::padLeft(name, 3), name);
  EXPECT_EQ(text::padRight(name, 6), text::format("%-6s", name.c_str()));
  EXPECT_EQ(text::padLeft(name, 6), text::format("%6s", name.c_str()));
}

TEST(Cp932, SpacesAndWords) {
  const std::string name = *toCp932("山田　太郎 二世");
  EXPECT_EQ(text::squeeze(name), *toCp932("山田太郎二世"));
  EXPECT_EQ(text::firstWord(name), *toCp932("山田"));
  // 0x81 0x40 inside "\x88\x81\x40" is no full-width space: the 0x81 there is a trail byte.
  const std::string tricky = std::string("\x88\x81") + "@";
  EXPECT_EQ(text::squeeze(tricky), tricky);
  EXPECT_TRUE(text::containsAtBoundary(*toCp932("プロ女流"), *toCp932("女流")));
}

TEST(Format, PrintfWidthsAndLongResults) {
  EXPECT_EQ(text::format("%02d,%02d,%02d,%02d,%02d", -1, -10, 7, 10, 0), "-1,-10,07,10,00");
  EXPECT_EQ(text::format("%2d, %2d, %2d, ", 5, 12, 123), " 5, 12, 123, ");
  EXPECT_EQ(text::format("%04d", -1), "-001");
  std::string big(1000, 'z');
  EXPECT_EQ(text::format("[%s]", big.c_str()), "[" + big + "]");
}

}  // namespace
}  // namespace toq
