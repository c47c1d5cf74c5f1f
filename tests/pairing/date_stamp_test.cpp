#include "pairing/date_stamp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace toq::pairing {
namespace {

// Seconds since 1970-01-01 00:00 for the moments below (taken from date -u).
constexpr long long k20261206_161105 = 1796573465;
constexpr long long k20400315_093045 = 2215416645;
constexpr long long k19650704_235959 = -141782401;
constexpr long long k20000229_120000 = 951825600;
constexpr long long k21000301_000000 = 4107542400;
constexpr long long k19000101_000000 = -2208988800;
constexpr long long k99991231_235900 = 253402300740;

TEST(DateStamp, TextsOfOneMoment) {
  const DateStamp s = makeDateStampAt(k20261206_161105);
  EXPECT_EQ(s.longDate, "2026/12/06(日)");
  EXPECT_EQ(s.longTime, "16:11:05");
  EXPECT_EQ(s.compact, "26Dec061611");
}

TEST(DateStamp, WeekdayAndTimeBeyond2038AndBefore1970) {
  DateStamp s = makeDateStampAt(k20400315_093045);
  EXPECT_EQ(s.longDate, "2040/03/15(木)");
  EXPECT_EQ(s.longTime, "09:30:45");
  EXPECT_EQ(s.compact, "40Mar150930");

  s = makeDateStampAt(k19650704_235959);
  EXPECT_EQ(s.longDate, "1965/07/04(日)");
  EXPECT_EQ(s.longTime, "23:59:59");
  EXPECT_EQ(s.compact, "65Jul042359");

  s = makeDateStampAt(-1);
  EXPECT_EQ(s.longDate, "1969/12/31(水)");
  EXPECT_EQ(s.longTime, "23:59:59");

  s = makeDateStampAt(k19000101_000000);
  EXPECT_EQ(s.longDate, "1900/01/01(月)");
  EXPECT_EQ(s.compact, "00Jan010000");

  s = makeDateStampAt(k99991231_235900);
  EXPECT_EQ(s.longDate, "9999/12/31(金)");
  EXPECT_EQ(s.longTime, "23:59:00");
}

TEST(DateStamp, LeapDaysOfTheGregorianCalendar) {
  EXPECT_EQ(makeDateStampAt(k20000229_120000).longDate, "2000/02/29(火)");
  EXPECT_EQ(makeDateStampAt(k20000229_120000 + 86400).longDate, "2000/03/01(水)");
  // 2100 is no leap year: the day before 1 March is 28 February.
  EXPECT_EQ(makeDateStampAt(k21000301_000000).longDate, "2100/03/01(月)");
  EXPECT_EQ(makeDateStampAt(k21000301_000000 - 1).longDate, "2100/02/28(日)");
  EXPECT_EQ(makeDateStampAt(k21000301_000000 - 1).longTime, "23:59:59");
}

TEST(DateStamp, ExtremeValuesGiveTextsWithoutFailing) {
  for (long long t :
       {std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(), 0LL}) {
    const DateStamp s = makeDateStampAt(t);
    EXPECT_FALSE(s.longDate.empty());
    EXPECT_EQ(s.longTime.size(), 8u);
  }
  EXPECT_EQ(makeDateStampAt(0).longDate, "1970/01/01(木)");
}

#ifndef _WIN32  // gmtime_r, setenv and tzset are POSIX

// The calendar agrees with the C library wherever a 64-bit time_t reaches, years 1 to 9999.
TEST(DateStamp, AgreesWithTheCLibraryOverTenThousandYears) {
  if (sizeof(std::time_t) < 8) GTEST_SKIP() << "time_t is 32-bit here";
  std::mt19937_64 gen(7);
  std::uniform_int_distribution<long long> pick(-62135596800LL, k99991231_235900);
  static const char* const kDays[7] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int n = 0; n < 20000; ++n) {
    const long long t = pick(gen);
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    ASSERT_NE(gmtime_r(&tt, &tm), nullptr);
    char date[64];
    std::snprintf(date, sizeof date, "%4d/%02d/%02d(%s)", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, kDays[tm.tm_wday]);
    char time[16];
    std::strftime(time, sizeof time, "%H:%M:%S", &tm);
    const DateStamp s = makeDateStampAt(t);
    ASSERT_EQ(s.longDate, date) << t;
    ASSERT_EQ(s.longTime, time) << t;
  }
}

/// Sets the zone and the clock for one test and puts both back afterwards.
class LocalClock : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) savedZone_ = tz;
    savedClock_ = currentClock();
  }
  void TearDown() override {
    if (savedZone_)
      setenv("TZ", savedZone_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
    currentClock() = savedClock_;
  }
  static void useZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  static void stopClockAt(long long utcSeconds) {
    currentClock() = [utcSeconds] {
      return std::chrono::system_clock::time_point(std::chrono::seconds(utcSeconds));
    };
  }

 private:
  std::optional<std::string> savedZone_;
  Clock savedClock_;
};

TEST_F(LocalClock, StampOfTheClockInLocalTime) {
  useZone("JST-9");
  stopClockAt(k20261206_161105 - 9 * 3600);  // 07:11:05 UTC is 16:11:05 in Tokyo
  DateStamp s = makeDateStamp();
  EXPECT_EQ(s.longDate, "2026/12/06(日)");
  EXPECT_EQ(s.longTime, "16:11:05");
  EXPECT_EQ(s.compact, "26Dec061611");

  // The local offset can move the date across midnight, also after 2038 and before 1970.
  stopClockAt(k20400315_093045 + 15 * 3600);
  EXPECT_EQ(makeDateStamp().longDate, "2040/03/16(金)");
  EXPECT_EQ(makeDateStamp().longTime, "09:30:45");
  stopClockAt(k19650704_235959);
  EXPECT_EQ(makeDateStamp().longDate, "1965/07/05(月)");
  EXPECT_EQ(makeDateStamp().longTime, "08:59:59");
}

TEST_F(LocalClock, WesternZoneAndMissingClock) {
  useZone("EST5");
  stopClockAt(k20000229_120000);
  EXPECT_EQ(makeDateStamp().longTime, "07:00:00");
  EXPECT_EQ(makeDateStamp().longDate, "2000/02/29(火)");

  currentClock() = nullptr;  // falls back on the system clock instead of failing
  EXPECT_EQ(makeDateStamp().longTime.size(), 8u);
}

#endif

}  // namespace
}  // namespace toq::pairing
