// The commands of the menu "対局者データ" and the context menu on the player register: register,
// edit and delete players.
#include "edit/players.h"
#include "ui/commands.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace toq::ui {

edit::Outcome Commands::registerPlayer() {
  const std::optional<edit::PlayerForm> form =
      PlayerDialog::ask(edit::newPlayerForm(), ui_, &window_);
  if (!form) return edit::stopped(edit::Stop::Declined);
  return edit::registerPlayer(ws_, ui_, *form);
}

edit::Outcome Commands::editPlayerAt(int position) {
  const std::optional<edit::PlayerForm> initial = edit::playerForm(ws_, position);
  if (!initial) return edit::stopped(edit::Stop::NothingToDo);
  const std::optional<edit::PlayerForm> form = PlayerDialog::ask(*initial, ui_, &window_);
  if (!form) return edit::stopped(edit::Stop::Declined);
  return edit::editPlayer(ws_, ui_, position, *form);
}

edit::Outcome Commands::editPlayer() {
  const int line = view_.selectedRow();
  if (line < 0) return edit::stopped(edit::Stop::NothingToDo);
  return editPlayerAt(view::positionOfLine(line));
}

edit::Outcome Commands::editRowPlayer() {
  const int k = selectedParticipant();
  if (k < 0) return edit::stopped(edit::Stop::NothingToDo);
  return editPlayerAt(edit::playerPositionOfRow(ws_, k));
}

edit::Outcome Commands::deletePlayers() {
  std::vector<int> positions;
  for (int line : view_.selectedLines()) positions.push_back(view::positionOfLine(line));
  if (positions.empty()) return edit::stopped(edit::Stop::NothingToDo);
  return edit::deletePlayers(ws_, ui_, positions);
}

}  // namespace toq::ui
