#pragma once
// Shared helpers of the report tests: CP932 literals, a fixed clock, a scratch folder.

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "pairing/date_stamp.h"
#include "reports/report_text.h"
#include "support/builders.h"
#include "text/cp932.h"

namespace toq::reports::test {

/// A literal text in CP932.
inline std::string cp(std::string_view utf8) {
  return text::sj(utf8);
}

/// Lines in CP932 joined with CR LF, each ending in CR LF.
inline std::string crlf(std::initializer_list<std::string_view> utf8Lines) {
  std::string out;
  for (auto line : utf8Lines) out += cp(line) + "\r\n";
  return out;
}

/// Replaces the clock for the life of the object with one that reads 6 December 2026,
/// 16:11:05 local time, whatever the machine's time zone.
class FixedClock {
 public:
  FixedClock() : saved_(pairing::currentClock()) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 6;
    tm.tm_hour = 16;
    tm.tm_min = 11;
    tm.tm_sec = 5;
    tm.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    pairing::currentClock() = [when] { return when; };
  }
  ~FixedClock() { pairing::currentClock() = saved_; }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;

 private:
  pairing::Clock saved_;
};

/// The stamp the fixed clock gives.
inline pairing::DateStamp fixedStamp() {
  return {"2026/12/06(日)", "16:11:05", "26Dec061611"};
}

/// A head with a fixed file name, so that composed reports do not depend on the machine.
inline ReportHead fixedHead(std::string_view fileNameUtf8) {
  return ReportHead{cp(fileNameUtf8), fixedStamp()};
}

/// A fresh folder removed with the object.
class ScratchDir {
 public:
  ScratchDir() : path_(toq::testing::makeTempDir()) {}
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace toq::reports::test
