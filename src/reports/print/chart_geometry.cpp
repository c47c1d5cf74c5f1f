#include "reports/print/chart_geometry.h"

#include <algorithm>

namespace toq::reports::print {

using data::TableClass;

namespace {

/// The sizes of a class: column widths in layout units (fixed, or fitted to the page: the
/// printable width less `spareUnits`, shared by the columns and the label column), row
/// heights in screen pixels.
struct ClassSizes {
  TableClass tableClass;
  double columnUnits;  ///< 0: fitted
  double labelUnits;   ///< 0: as wide as a participant's column
  double spareUnits;
  int numberRow;
  int nameRow;
  int roundRow;
};

constexpr ClassSizes kSizes[] = {
    {TableClass::A, 220, 140, 0, 32, 220, 70},  {TableClass::B1, 190, 140, 0, 32, 200, 55},
    {TableClass::B2, 150, 140, 0, 26, 160, 42}, {TableClass::C1, 0, 0, 150, 26, 150, 42},
    {TableClass::C2, 0, 0, 200, 26, 140, 42},   {TableClass::ThreeDan, 0, 0, 150, 26, 118, 30},
};

const ClassSizes& sizesOf(TableClass layoutClass) {
  for (const ClassSizes& s : kSizes)
    if (s.tableClass == layoutClass) return s;
  return kSizes[3];
}

// Screen pixels of the teacher's strip at the bottom of a 三段 name row.
constexpr int kTeacherStrip = 18;

double leftOffsetUnits(TableClass layoutClass) {
  return layoutClass == TableClass::B1 ? 30 : layoutClass > TableClass::B1 ? 20 : 100;
}

}  // namespace

TableClass chartClass(int tableClass) {
  for (const ClassSizes& s : kSizes)
    if (data::isClass(tableClass, s.tableClass)) return s.tableClass;
  return TableClass::C1;
}

int chartPages(int tableClass) {
  return data::isClass(tableClass, TableClass::C2) ? 2 : 1;
}

namespace {

ChartGeometry geometryOfClass(const DeviceMeasures& m, TableClass layoutClass, int participants,
                              int rounds, int page) {
  ChartGeometry g;
  g.layoutClass = layoutClass;
  const ClassSizes& s = sizesOf(g.layoutClass);
  const int n = std::max(0, participants);
  g.rounds = std::max(0, rounds);

  const int half = n / 2;
  if (g.layoutClass == TableClass::C2) {
    g.first = page == 2 ? half : 0;
    g.shown = page == 2 ? n - half : half;
  } else {
    g.shown = n;
  }

  if (s.columnUnits > 0) {
    g.columnWidth = m.unitsAcross(s.columnUnits);
    g.labelWidth = m.unitsAcross(s.labelUnits);
  } else {
    const int columns = g.layoutClass == TableClass::C2 ? half + 2 : n + 1;
    g.columnWidth = std::max(0, (m.printableWidth - m.unitsAcross(s.spareUnits)) / columns);
    g.labelWidth = g.columnWidth;
  }

  g.numberRow = m.down(s.numberRow);
  g.nameRow = m.down(s.nameRow);
  // More rounds than the labels run to share the height of the full chart.
  g.roundRow = g.rounds <= kChartFullHeightRounds
                   ? m.down(s.roundRow)
                   : m.down(static_cast<double>(s.roundRow) * kChartFullHeightRounds / g.rounds);
  if (g.layoutClass == TableClass::ThreeDan) g.teacherStrip = m.down(kTeacherStrip);

  g.left = m.leftMargin + m.unitsAcross(leftOffsetUnits(g.layoutClass));
  const double topUnits = g.layoutClass == TableClass::ThreeDan ? 73
                          : g.layoutClass > TableClass::B1      ? 240
                                                                : 260;
  g.top = m.bodyTop() + m.unitsDown(topUnits);

  g.titleX = g.left;
  if (g.layoutClass > TableClass::B1) g.titleX += m.unitsAcross(500);
  if (g.layoutClass == TableClass::ThreeDan) g.titleX += m.unitsAcross(300);
  g.titleY = g.top - m.unitsDown(g.layoutClass == TableClass::ThreeDan ? 110 : 180);
  return g;
}

}  // namespace

ChartGeometry chartGeometry(const DeviceMeasures& m, int tableClass, int participants, int rounds,
                            int page) {
  const TableClass layoutClass = chartClass(tableClass);
  ChartGeometry g = geometryOfClass(m, layoutClass, participants, rounds, page);
  // Fixed columns for more participants than the class is meant for would lose the first
  // participants and the labels past the paper's right edge.
  const bool fixed = sizesOf(layoutClass).columnUnits > 0;
  if (fixed && (g.right() > m.printableWidth || g.bottom() > m.printableHeight))
    g = geometryOfClass(m, TableClass::C1, participants, rounds, page);
  return g;
}

}  // namespace toq::reports::print
