#pragma once
// The Windows faces the program asks for ("ＭＳ 明朝", "ＭＳ ゴシック" and their vertical
// "@" forms). On Windows they are asked for by their English names, which every Windows knows
// whatever its language, and Yu Mincho / Yu Gothic stand in where a Windows lacks them; the
// IPA fonts stand for them where both are missing (Linux, Wine). The window's list, the printed
// pages and toq-cli's PDF all ask for the same names.

#include <QString>

namespace toq::print_qt {

/// Registers the substitutes with Qt's font database; the requested names stay as they are.
/// Registering them again changes nothing.
void installFontSubstitutes();

/// The name this platform's font database knows a face by: on Windows "ＭＳ 明朝" is
/// "MS Mincho", "ＭＳ ゴシック" "MS Gothic" (and the proportional forms likewise); any other
/// face, and every face elsewhere, as given.
QString platformFace(const QString& face);

}  // namespace toq::print_qt
