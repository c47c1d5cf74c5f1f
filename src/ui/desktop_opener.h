#pragma once
// Hands a file to the desktop's own viewer (the browser for the manual) and says when none
// took it. On Linux the opener (xdg-open) starts detached and "succeeds" whether or not it
// finds a viewer: its exit status is awaited and a failure reported afterwards.

#include <QObject>
#include <QString>
#include <functional>

namespace toq::ui {

/// Opens `file` with the desktop's viewer; `failed` is called (on the GUI thread, maybe later)
/// when no viewer could be started.
void openWithDesktop(QObject* owner, const QString& file, std::function<void()> failed);

}  // namespace toq::ui
