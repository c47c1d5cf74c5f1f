#pragma once
// A text as a QR code image, black modules on white with a quiet zone, for the screen and
// for print.

#include <QImage>
#include <QString>

namespace toq::ui {

/// Each module `scale` pixels wide; a null image when this build has no QR encoder or the text
/// does not fit a QR code.
QImage qrImage(const QString& text, int scale = 4);

}  // namespace toq::ui
