#pragma once
// Shared helpers of the print layout tests: a 600-dpi recording canvas the size of an A4
// landscape page's printable area, and a whole job run on it.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string_view>

#include "report_fixture.h"
#include "reports/print/print_job.h"
#include "support/builders.h"
#include "support/recording_canvas.h"
#include "support/recording_services.h"

namespace toq::reports::print::test {

using reports::test::cp;

inline constexpr int kDpi = 600;
/// A4 landscape less 5 mm on every side, at 600 dpi.
inline constexpr int kWidth = 6780;
/// Tall enough for exactly 60 body lines of the 8-point base font.
inline constexpr int kHeight = 5908;

/// A job run from begin to end on a recording canvas.
struct Run {
  Run(int width, int height) : canvas(kDpi, kDpi, width, height) {}
  RecordingCanvas canvas;
  services::RecordingServices ui;
  DeviceMeasures measures;
  int pages = 0;

  const RecordingCanvas::Page& page(int n) const { return canvas.pages.at(n - 1); }
  const RecordingCanvas::Text* text(int pageNumber, std::string_view utf8) const {
    return canvas.findText(pageNumber - 1, cp(utf8));
  }
};

/// The widest line drawn between the two points, or none.
inline const RecordingCanvas::Line* findLine(const RecordingCanvas::Page& page, int x1, int y1,
                                             int x2, int y2) {
  const RecordingCanvas::Line* found = nullptr;
  for (const auto& l : page.lines)
    if (l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2 && (!found || l.width > found->width))
      found = &l;
  return found;
}

/// A line expected on a page.
struct ExpectedLine {
  int x1, y1, x2, y2, width;
};

/// Checks that every expected line was drawn with its width.
inline void expectLines(const RecordingCanvas::Page& page,
                        std::initializer_list<ExpectedLine> lines) {
  for (const ExpectedLine& e : lines) {
    const auto* line = findLine(page, e.x1, e.y1, e.x2, e.y2);
    ASSERT_NE(line, nullptr) << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2;
    EXPECT_EQ(line->width, e.width) << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2;
  }
}

inline std::unique_ptr<Run> runJob(Layout layout, toq::testing::Tournament& t, int width = kWidth,
                                   int height = kHeight) {
  auto run = std::make_unique<Run>(width, height);
  PrintJob job(layout, t.table, t.players, cp("event.tai"), ScreenResolution{96, 96});
  printDocument(job, run->canvas, run->ui);
  run->measures = job.measures();
  run->pages = static_cast<int>(run->canvas.pages.size());
  return run;
}

}  // namespace toq::reports::print::test
