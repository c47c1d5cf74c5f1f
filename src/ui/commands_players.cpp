// The commands of the menu "対局者データ" and the context menu on the player register: register,
// edit and delete players.
#include "edit/players.h"
#include "ui/commands.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace toq::ui {

void Commands::registerPlayer() {
  const std::optional<edit::PlayerForm> form =
      PlayerDialog::ask(edit::newPlayerForm(), ui_, &window_);
  if (!form) return;
  if (!edit::registerPlayer(ws_, ui_, *form).changed) return;
  view_.refreshPlayers();
  window_.updateCommandStates();
}

void Commands::editPlayerAt(int position) {
  const std::optional<edit::PlayerForm> initial = edit::playerForm(ws_, position);
  if (!initial) return;
  const std::optional<edit::PlayerForm> form = PlayerDialog::ask(*initial, ui_, &window_);
  if (!form) return;
  if (!edit::editPlayer(ws_, ui_, position, *form).changed) return;
  // The name shows in both lists.
  view_.refreshPlayers();
  view_.refreshTable();
}

void Commands::editPlayer() {
  const int line = view_.selectedRow();
  if (line >= 0) editPlayerAt(view::positionOfLine(line));
}

void Commands::editRowPlayer() {
  const int k = selectedParticipant();
  if (k >= 0) editPlayerAt(edit::playerPositionOfRow(ws_, k));
}

void Commands::deletePlayers() {
  std::vector<int> positions;
  for (int line : view_.selectedLines()) positions.push_back(view::positionOfLine(line));
  if (positions.empty()) return;
  edit::deletePlayers(ws_, ui_, positions);
  view_.refreshPlayers();
  window_.updateCommandStates();
}

}  // namespace toq::ui
