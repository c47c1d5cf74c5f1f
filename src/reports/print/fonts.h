#pragma once
// The seven fonts of a print job: created when the job begins, deleted when it ends.

#include <array>

#include "reports/print/canvas.h"

namespace toq::reports::print {

enum class FontRole {
  Base,           ///< "ＭＳ 明朝" 8 pt: page header, player list, coloured grid
  Small,          ///< "ＭＳ 明朝" 9 pt: chart's number label, opponents, teachers
  Medium,         ///< "ＭＳ 明朝" 10 pt: chart's first-move mark
  Label,          ///< "ＭＳ ゴシック" 13 pt: chart's round labels and numbers
  VerticalName,   ///< "@ＭＳ ゴシック" 13 pt at 270°: chart's names, top to bottom
  VerticalLabel,  ///< "@ＭＳ 明朝" 13 pt at 270°: the chart's "氏　名"
  Title,          ///< "ＭＳ ゴシック" 19 pt: the chart's title
};
inline constexpr int kFontRoles = 7;

/// The font of a role on a device with `dpiY` pixels per inch down: its height is the
/// character height of the point size, as a negative number.
FontRequest fontSpec(FontRole role, int dpiY);

class JobFonts {
 public:
  void create(Canvas& canvas);
  void release(Canvas& canvas);
  bool created() const { return created_; }
  FontId operator[](FontRole role) const { return ids_[static_cast<int>(role)]; }

  /// Selects the role's font and returns its text height.
  int select(Canvas& canvas, FontRole role) const;

 private:
  std::array<FontId, kFontRoles> ids_{};
  bool created_ = false;
};

}  // namespace toq::reports::print
