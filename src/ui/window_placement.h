#pragma once
// Where and how the main window reopens: the stored normal rectangle, minimised and maximised
// states, checked against the screens that exist now.

#include <QList>
#include <QRect>
#include <optional>

#include "ui/app_settings.h"

class QMainWindow;

namespace toq::ui {

/// The rectangle a first start uses: left 10, top 10, right 700, bottom 600. Stored and applied
/// rectangles place the window's frame at their corner and give its inside their size.
inline constexpr QRect kDefaultRect{10, 10, 690, 590};

/// "%04d %04d %04d %04d" of left, top, right, bottom (right and bottom exclusive).
QString formatRect(const QRect& rect);
/// The four numbers of a stored rectangle, split at the spaces (so -1920 or 12000 read back as
/// written); none when the text does not hold four integers.
std::optional<QRect> parseRect(const QString& text);

/// How the window is to be shown.
struct Placement {
  QRect normal;            ///< the normal (restored) rectangle
  bool minimised = false;  ///< shown minimised
  bool maximised = false;  ///< shown maximised, or restored maximised from minimised
};

/// The placement from the stored values and the screens' geometries. A left or top edge beyond
/// the desktop's right or bottom edge moves to 10 with the size kept; a rectangle that would
/// lie wholly outside every screen opens at (10, 10) with its size; with nothing stored the
/// default rectangle is cut to the desktop.
Placement restorePlacement(const StoredPlacement& stored, const QList<QRect>& screens);

/// The values to store for a placement.
StoredPlacement savePlacement(const Placement& placement);

/// The window's current placement, and applying one to it.
Placement placementOf(const QMainWindow& window);
void applyPlacement(QMainWindow& window, const Placement& placement);

}  // namespace toq::ui
