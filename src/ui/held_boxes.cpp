#include "ui/held_boxes.h"

#include <utility>

namespace toq::ui {

HeldBoxes::Hold::~Hold() {
  if (--boxes_.holds_ == 0) boxes_.show();
}

void HeldBoxes::box(Kind kind, std::string_view text, std::string_view caption) {
  waiting_.push_back({kind, std::string(text), std::string(caption)});
  if (holds_ == 0) show();
}

void HeldBoxes::show() {
  // A box may end in another command's boxes (its event loop runs the venue's jobs): those
  // are shown after these.
  std::vector<Box> boxes = std::exchange(waiting_, {});
  for (const Box& b : boxes) {
    switch (b.kind) {
      case Kind::Error:
        ui_.errorBox(b.text, b.caption);
        break;
      case Kind::Warning:
        ui_.warningBox(b.text, b.caption);
        break;
      case Kind::Information:
        ui_.informationBox(b.text, b.caption);
        break;
    }
  }
}

void HeldBoxes::errorBox(std::string_view text, std::string_view caption) {
  box(Kind::Error, text, caption);
}

void HeldBoxes::warningBox(std::string_view text, std::string_view caption) {
  box(Kind::Warning, text, caption);
}

void HeldBoxes::informationBox(std::string_view text, std::string_view caption) {
  box(Kind::Information, text, caption);
}

bool HeldBoxes::askYesNo(std::string_view text, std::string_view caption) {
  show();
  return ui_.askYesNo(text, caption);
}

bool HeldBoxes::askYesNoDefaultNo(std::string_view text, std::string_view caption) {
  show();
  return ui_.askYesNoDefaultNo(text, caption);
}

services::Services::Answer HeldBoxes::askYesNoCancel(std::string_view text,
                                                     std::string_view caption) {
  show();
  return ui_.askYesNoCancel(text, caption);
}

int HeldBoxes::openWithViewer(const std::filesystem::path& file) {
  show();
  return ui_.openWithViewer(file);
}

}  // namespace toq::ui
