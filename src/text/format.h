#pragma once
// printf-style formatting into a std::string; the file formats and messages are defined
// with printf widths ("%02d", "%-20s"), which count bytes.

#include <string>

namespace toq::text {

/// Formats like std::snprintf and returns the whole result, whatever its length.
[[gnu::format(printf, 1, 2)]] std::string format(const char* fmt, ...);

/// The local time now, formatted like std::strftime ("%Y%m%d-%H%M%S").
std::string localTimeNow(const char* strftimeFormat);

}  // namespace toq::text
