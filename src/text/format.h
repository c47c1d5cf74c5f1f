#pragma once
// printf-style formatting into a std::string; the file formats and messages are defined
// with printf widths ("%02d", "%-20s"), which count bytes.

#include <string>

namespace toq::text {

/// Formats like std::snprintf and returns the whole result, whatever its length.
[[gnu::format(printf, 1, 2)]] std::string format(const char* fmt, ...);

}  // namespace toq::text
