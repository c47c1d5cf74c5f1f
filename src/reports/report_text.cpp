#include "reports/report_text.h"

#include "reports/texts.h"
#include "text/cp932.h"

namespace toq::reports {

ReportText& ReportText::putText(std::string_view utf8) {
  return put(text::sj(utf8));
}

ReportText& ReportText::dateLines(const pairing::DateStamp& stamp) {
  endLine();
  putText(stamp.longDate).put(" ").putText(stamp.longTime);
  return endLine();
}

ReportText& ReportText::head(const ReportHead& head) {
  line(head.fileName);
  dateLines(head.stamp);
  return putText(texts::kVersion).endLine();
}

}  // namespace toq::reports
