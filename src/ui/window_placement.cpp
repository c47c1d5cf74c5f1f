#include "ui/window_placement.h"

#include <QMainWindow>
#include <QStringList>

namespace toq::ui {

QString formatRect(const QRect& rect) {
  return QString::asprintf("%04d %04d %04d %04d", rect.left(), rect.top(), rect.x() + rect.width(),
                           rect.y() + rect.height());
}

std::optional<QRect> parseRect(const QString& text) {
  const QStringList parts = text.split(' ', Qt::SkipEmptyParts);
  if (parts.size() != 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].toInt(&ok);
    if (!ok) return std::nullopt;
  }
  if (v[2] <= v[0] || v[3] <= v[1]) return std::nullopt;
  return QRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

Placement restorePlacement(const StoredPlacement& stored, const QList<QRect>& screens) {
  QRect desktop;
  for (const QRect& s : screens) desktop = desktop.united(s);
  const int desktopRight = desktop.x() + desktop.width();
  const int desktopBottom = desktop.y() + desktop.height();

  Placement p;
  if (auto rect = parseRect(stored.rect)) {
    p.normal = *rect;
    if (!desktop.isEmpty()) {
      if (p.normal.left() >= desktopRight) p.normal.moveLeft(kDefaultRect.left());
      if (p.normal.top() >= desktopBottom) p.normal.moveTop(kDefaultRect.top());
      bool onSomeScreen = false;
      for (const QRect& s : screens) onSomeScreen = onSomeScreen || s.intersects(p.normal);
      if (!onSomeScreen) p.normal.moveTopLeft(kDefaultRect.topLeft());
    }
  } else {
    p.normal = kDefaultRect;
    if (!desktop.isEmpty()) {
      const int right = std::min(kDefaultRect.x() + kDefaultRect.width(), desktopRight);
      const int bottom = std::min(kDefaultRect.y() + kDefaultRect.height(), desktopBottom);
      p.normal.setWidth(std::max(1, right - p.normal.x()));
      p.normal.setHeight(std::max(1, bottom - p.normal.y()));
    }
  }
  p.minimised = stored.icon != 0;
  p.maximised = stored.max != 0;
  return p;
}

StoredPlacement savePlacement(const Placement& placement) {
  StoredPlacement s;
  s.rect = formatRect(placement.normal);
  s.icon = placement.minimised ? 1 : 0;
  s.max = placement.maximised ? 1 : 0;
  return s;
}

Placement placementOf(const QMainWindow& window) {
  Placement p;
  const Qt::WindowStates state = window.windowState();
  p.minimised = state.testFlag(Qt::WindowMinimized);
  p.maximised = state.testFlag(Qt::WindowMaximized);
  // The rectangle's corner is the frame's (the title bar's) corner, its size the inside's.
  const QPoint frameOffset = window.geometry().topLeft() - window.pos();
  const bool normal = !(p.minimised || p.maximised) || !window.normalGeometry().isValid();
  p.normal = normal ? QRect(window.pos(), window.size())
                    : window.normalGeometry().translated(-frameOffset);
  return p;
}

void applyPlacement(QMainWindow& window, const Placement& placement) {
  // move() places the frame, so that a window at (10, 10) shows its title bar.
  window.resize(placement.normal.size());
  window.move(placement.normal.topLeft());
  Qt::WindowStates state = Qt::WindowNoState;
  if (placement.maximised) state |= Qt::WindowMaximized;
  if (placement.minimised) state |= Qt::WindowMinimized;
  window.setWindowState(state);
}

}  // namespace toq::ui
