#include "reports/print/page_header.h"

#include "reports/print/print_texts.h"
#include "reports/print/reception_list.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports::print {

std::string pageHeaderText(Layout layout, const pairing::DateStamp& stamp,
                           std::string_view documentTitle) {
  std::string header = text::sj(stamp.longDate) + " " + text::sj(stamp.longTime);
  header += std::string(16, ' ');
  switch (layout) {
    case Layout::PlayerList:
      header += text::sj(texts::kPlayerListTitle);
      break;
    case Layout::Grid:
    case Layout::Standings:
      header += "  ";
      header += documentTitle;
      break;
    case Layout::ReceptionList:
      header += text::sj(kReceptionListTitle) + "  " + std::string(documentTitle);
      break;
    case Layout::Chart:
    case Layout::Slips:
      break;
  }
  return header;
}

void drawPageHeader(const PageContext& page, std::string_view headerText) {
  const DeviceMeasures& m = page.measures;
  page.fonts.select(page.canvas, FontRole::Base);
  page.canvas.drawText(m.leftMargin, m.topMargin, headerText, std::nullopt);
  if (page.pageCount > 1)
    page.canvas.drawText(m.printableWidth - m.mmAcross(30), m.topMargin,
                         text::format(texts::kPageNumber, page.page, page.pageCount), std::nullopt);
}

}  // namespace toq::reports::print
