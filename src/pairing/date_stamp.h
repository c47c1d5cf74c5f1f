#pragma once
// Date and time texts for file names and report heads.

#include <chrono>
#include <functional>
#include <string>

namespace toq::pairing {

/// The three texts of one moment (UTF-8; the weekday is a kanji).
struct DateStamp {
  std::string longDate;  ///< "2026/12/06(日)"
  std::string longTime;  ///< "16:11:05"
  std::string compact;   ///< "26Dec061611"
};

/// The stamp of a local calendar time given as seconds since 1970-01-01 00:00 local time
/// (negative before). Valid for every year the machine can represent, 2038 and later included.
DateStamp makeDateStampAt(long long localSecondsSinceEpoch);

/// The clock the reports and logs read; tests replace it to get stable files.
using Clock = std::function<std::chrono::system_clock::time_point()>;
Clock& currentClock();

/// The stamp of the current local time (through currentClock()).
DateStamp makeDateStamp();

}  // namespace toq::pairing
