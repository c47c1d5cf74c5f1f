// Date and time texts. The calendar arithmetic is done here on 64-bit integers, so that the
// weekday and the time come out right for every date, not only those a 32-bit time_t holds;
// the C library is asked for the local offset alone.
#include "pairing/date_stamp.h"

#include <ctime>
#include <limits>

#include "text/format.h"

namespace toq::pairing {
namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr const char* kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

long long floorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
long long floorMod(long long a, long long b) {
  const long long r = a % b;
  return (r != 0 && (r < 0) != (b < 0)) ? r + b : r;
}

/// A date of the proleptic Gregorian calendar.
struct CivilDate {
  long long year;
  int month;  ///< 1..12
  int day;    ///< 1..31
};

/// The date of a day counted from 1970-01-01 (negative before).
CivilDate civilFromDays(long long days) {
  const long long z = days + 719468;  // days from 0000-03-01
  const long long era = floorDiv(z, 146097);
  const long long doe = z - era * 146097;                                       // 0..146096
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0..399
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // 0..365
  const long long mp = (5 * doy + 2) / 153;                                     // March = 0
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

/// Days from 1970-01-01 to a date (the inverse of civilFromDays).
long long daysFromCivil(long long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = floorDiv(year, 400);
  const long long yoe = year - era * 400;
  const long long mp = month > 2 ? month - 3 : month + 9;
  const long long doy = (153 * mp + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

/// Seconds to add to a UTC time to get local time there; 0 (UTC) when the C library cannot say.
long long localOffset(long long utcSeconds) {
  if (utcSeconds < static_cast<long long>(std::numeric_limits<std::time_t>::min()) ||
      utcSeconds > static_cast<long long>(std::numeric_limits<std::time_t>::max()))
    return 0;
  const std::time_t t = static_cast<std::time_t>(utcSeconds);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0) return 0;
#else
  if (localtime_r(&t, &local) == nullptr) return 0;
#endif
  const long long localSeconds =
      daysFromCivil(1900LL + local.tm_year, local.tm_mon + 1, local.tm_mday) * kSecondsPerDay +
      local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
  const long long offset = localSeconds - utcSeconds;
  // No zone is more than a day away from UTC; anything else is a broken answer.
  return (offset > -kSecondsPerDay && offset < kSecondsPerDay) ? offset : 0;
}

}  // namespace

DateStamp makeDateStampAt(long long localSecondsSinceEpoch) {
  const long long days = floorDiv(localSecondsSinceEpoch, kSecondsPerDay);
  const long long secondOfDay = floorMod(localSecondsSinceEpoch, kSecondsPerDay);
  const CivilDate date = civilFromDays(days);
  const int weekday = static_cast<int>(floorMod(days + 4, 7));  // 1970-01-01 was a Thursday
  const int hour = static_cast<int>(secondOfDay / 3600);
  const int minute = static_cast<int>(secondOfDay / 60 % 60);
  const int second = static_cast<int>(secondOfDay % 60);

  DateStamp stamp;
  stamp.longDate =
      text::format("%4lld/%02d/%02d(%s)", date.year, date.month, date.day, kWeekdays[weekday]);
  stamp.longTime = text::format("%02d:%02d:%02d", hour, minute, second);
  stamp.compact = text::format("%02d%3s%02d%02d%02d", static_cast<int>(floorMod(date.year, 100)),
                               kMonths[date.month - 1], date.day, hour, minute);
  return stamp;
}

Clock& currentClock() {
  static Clock clock = [] { return std::chrono::system_clock::now(); };
  return clock;
}

DateStamp makeDateStamp() {
  const Clock& clock = currentClock();
  const auto now = clock ? clock() : std::chrono::system_clock::now();
  const long long utc = std::chrono::floor<std::chrono::seconds>(now.time_since_epoch()).count();
  return makeDateStampAt(utc + localOffset(utc));
}

}  // namespace toq::pairing
