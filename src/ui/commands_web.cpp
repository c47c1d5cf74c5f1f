// The event as a web page: not built yet.
#include "ui/commands.h"

namespace toq::ui {

namespace {

void notYet(services::Services& ui) {
  ui.statusMessage("この機能はまだ使えません。");
}

}  // namespace

void Commands::saveWebPage() {
  notYet(ui_);
}

}  // namespace toq::ui
