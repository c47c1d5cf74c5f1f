// Printing, the print preview, the printer setup and the PDF: not built yet.
#include "ui/commands.h"

namespace toq::ui {

namespace {

void notYet(services::Services& ui) {
  ui.statusMessage("この機能はまだ使えません。");
}

}  // namespace

void Commands::print() {
  notYet(ui_);
}
void Commands::printPreview() {
  notYet(ui_);
}
void Commands::printSetup() {
  notYet(ui_);
}
void Commands::savePdf() {
  notYet(ui_);
}

}  // namespace toq::ui
