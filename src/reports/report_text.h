#pragma once
// Building a report in memory: CP932 lines ending in CR LF, and the head the reports share.

#include <string>
#include <string_view>
#include <utility>

#include "pairing/date_stamp.h"

namespace toq::reports {

/// What a report's head names: its own file and the moment it was written.
struct ReportHead {
  std::string fileName;      ///< the full report file name, CP932
  pairing::DateStamp stamp;  ///< long date and long time (UTF-8, as the stamp gives them)
};

/// A report's bytes as they are composed; every line ends in CR LF.
class ReportText {
 public:
  /// Appends CP932 bytes to the current line.
  ReportText& put(std::string_view cp932) {
    bytes_ += cp932;
    return *this;
  }
  /// Appends a system text given in UTF-8.
  ReportText& putText(std::string_view utf8);
  /// Ends the current line.
  ReportText& endLine() {
    bytes_ += "\r\n";
    return *this;
  }
  /// Appends CP932 bytes and ends the line.
  ReportText& line(std::string_view cp932) { return put(cp932).endLine(); }

  /// The date line: an empty line, then the long date, one blank, the long time.
  ReportText& dateLines(const pairing::DateStamp& stamp);
  /// The head of the round list, the results table and the standings report: the file name,
  /// the date lines and the version.
  ReportText& head(const ReportHead& head);

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

}  // namespace toq::reports
