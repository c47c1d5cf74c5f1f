#pragma once
// Where the vertical league chart goes on a page: its columns, rows and title, by table class.

#include "data/table.h"
#include "reports/print/measures.h"

namespace toq::reports::print {

/// Round rows keep their height up to this many rounds; beyond, they share that height.
inline constexpr int kChartFullHeightRounds = 19;

/// The class whose sizes the chart of a table of `tableClass` uses when it fits the page. The
/// chart has sizes for Ａ級 to Ｃ級２組 (Ｃ級２組 on two pages) and 三段 (with a strip for the
/// teacher under each name); every other class is printed with the sizes of Ｃ級１組, which fit
/// any number of participants across the page. A class of fixed sizes (Ａ級 to Ｂ級２組) whose
/// chart would run off the printable area is printed with them too.
data::TableClass chartClass(int tableClass);
/// Pages of the chart: two for Ｃ級２組, else one.
int chartPages(int tableClass);

/// The chart of one page, in printer pixels. Participant columns run from right to left: the
/// first participant of the page stands next to the label column, which closes the grid on
/// the right.
struct ChartGeometry {
  data::TableClass layoutClass = data::TableClass::C1;
  int first = 0;  ///< table row of the page's first participant
  int shown = 0;  ///< participants on the page
  int rounds = 0;
  int left = 0;         ///< the grid's left edge
  int top = 0;          ///< the grid's top edge
  int columnWidth = 0;  ///< a participant's column
  int labelWidth = 0;   ///< the label column
  int numberRow = 0;    ///< heights of the rows, from the top
  int nameRow = 0;
  int roundRow = 0;
  int teacherStrip = 0;  ///< 三段: the bottom of the name row that holds the teacher
  int titleX = 0;
  int titleY = 0;

  int labelLeft() const { return left + shown * columnWidth; }
  int right() const { return labelLeft() + labelWidth; }
  /// Left edge of the column of the page's participant at `position` (0 = the page's first).
  int columnLeft(int position) const { return left + (shown - 1 - position) * columnWidth; }
  int nameTop() const { return top + numberRow; }
  int roundTop(int round) const { return nameTop() + nameRow + round * roundRow; }
  int bottom() const { return roundTop(rounds); }
};

/// The geometry of page `page` (from 1) of the chart of a table with this class, participant
/// count and number of rounds.
ChartGeometry chartGeometry(const DeviceMeasures& m, int tableClass, int participants, int rounds,
                            int page);

}  // namespace toq::reports::print
