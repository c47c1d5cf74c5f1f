// The explanation of a pairing: why each board of a round was paired so, and whether the
// program made it.
#include "ui/commands.h"
#include "ui/dialogs/explanation_dialog.h"
#include "ui/main_window.h"

namespace toq::ui {

void Commands::explainPairing() {
  ExplanationDialog dialog(ws_.table, ws_.players, ui_, &window_);
  dialog.exec();
}

void Commands::explainBoard() {
  int row = -1;
  int round = -1;
  if (!clickedRoundCell(row, round)) return;
  ExplanationDialog dialog(ws_.table, ws_.players, ui_, &window_, row, round);
  dialog.exec();
}

}  // namespace toq::ui
