#include "reports/print/fonts.h"

#include <string>

#include "reports/print/print_texts.h"

namespace toq::reports::print {

namespace {

struct RoleFont {
  std::string_view face;
  int points;
  int escapement;
};

constexpr RoleFont kRoleFonts[kFontRoles] = {
    {texts::kMincho, 8, 0},
    {texts::kMincho, 9, 0},
    {texts::kMincho, 10, 0},
    {texts::kGothic, 13, 0},
    {texts::kVerticalGothic, 13, 2700},
    {texts::kVerticalMincho, 13, 2700},
    {texts::kGothic, 19, 0},
};

}  // namespace

FontRequest fontSpec(FontRole role, int dpiY) {
  const RoleFont& f = kRoleFonts[static_cast<int>(role)];
  FontRequest request;
  request.face = std::string(f.face);
  request.height = -(dpiY * f.points / 72);
  request.escapement = f.escapement;
  return request;
}

void JobFonts::create(Canvas& canvas) {
  for (int r = 0; r < kFontRoles; ++r)
    ids_[r] = canvas.createFont(fontSpec(static_cast<FontRole>(r), canvas.dpiY()));
  created_ = true;
}

void JobFonts::release(Canvas& canvas) {
  if (!created_) return;
  for (FontId id : ids_) canvas.deleteFont(id);
  created_ = false;
}

int JobFonts::select(Canvas& canvas, FontRole role) const {
  canvas.selectFont((*this)[role]);
  return canvas.textHeight();
}

}  // namespace toq::reports::print
