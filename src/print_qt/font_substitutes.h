#pragma once
// The Windows faces the program asks for ("ＭＳ 明朝", "ＭＳ ゴシック" and their vertical
// "@" forms) stand for the IPA fonts where they are missing. The window's list, the printed
// pages and toq-cli's PDF all ask for the same names.

namespace toq::print_qt {

/// Registers the substitutes with Qt's font database; the requested names stay as they are.
/// Registering them again changes nothing.
void installFontSubstitutes();

}  // namespace toq::print_qt
