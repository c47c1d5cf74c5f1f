#pragma once
// The Windows faces the program asks for ("ＭＳ 明朝", "ＭＳ ゴシック" and their vertical
// "@" forms) stand for the IPA fonts where they are missing.

namespace toq::ui {

/// Registers the substitutes with Qt's font database; the requested names stay as they are.
void installFontSubstitutes();

}  // namespace toq::ui
