#pragma once
// Where the vertical league chart goes on a page: its columns, rows and title, by table class.

#include "reports/print/measures.h"

namespace toq::reports::print {

/// Table classes the chart has sizes for; every other class is printed with the sizes of
/// Ｃ級１組, which fit any number of participants across the page. A class of fixed sizes
/// (Ａ級 to Ｂ級２組) whose chart would run off the printable area is printed with them too.
inline constexpr int kClassA = 2;         ///< Ａ級
inline constexpr int kClassB1 = 3;        ///< Ｂ級１組
inline constexpr int kClassB2 = 4;        ///< Ｂ級２組
inline constexpr int kClassC1 = 5;        ///< Ｃ級１組
inline constexpr int kClassC2 = 6;        ///< Ｃ級２組: two pages
inline constexpr int kClassThreeDan = 8;  ///< 三段: a strip for the teacher under each name
/// Round rows keep their height up to this many rounds; beyond, they share that height.
inline constexpr int kChartFullHeightRounds = 19;

/// The class whose sizes the chart of a table of `tableClass` uses when it fits the page.
int chartClass(int tableClass);
/// Pages of the chart: two for Ｃ級２組, else one.
int chartPages(int tableClass);

/// The chart of one page, in printer pixels. Participant columns run from right to left: the
/// first participant of the page stands next to the label column, which closes the grid on
/// the right.
struct ChartGeometry {
  int layoutClass = kClassC1;
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

/// Width the chart needs right of the printable area's left edge, in screen pixels; 0 for
/// the classes whose columns are fitted to the page.
double chartNaturalWidth(int tableClass, int participants);

}  // namespace toq::reports::print
