// The commands of the menu "対局者データ" and the context menu on the player register: register,
// edit and delete players.
#include "edit/players.h"
#include "ui/commands.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace toq::ui {

Prepared Commands::registerPlayer() {
  const std::optional<edit::PlayerForm> form =
      PlayerDialog::ask(edit::newPlayerForm(), ui_, &window_);
  if (!form) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([this, form = *form] { return edit::registerPlayer(ws_, ui_, form); });
}

Prepared Commands::editPlayerAt(int position) {
  const std::optional<edit::PlayerForm> initial = edit::playerForm(ws_, position);
  if (!initial) return Prepared::stop(edit::Stop::NothingToDo);
  const std::optional<edit::PlayerForm> form = PlayerDialog::ask(*initial, ui_, &window_);
  if (!form) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to(
      [this, position, form = *form] { return edit::editPlayer(ws_, ui_, position, form); });
}

Prepared Commands::editPlayer() {
  const int line = view_.selectedRow();
  if (line < 0) return Prepared::stop(edit::Stop::NothingToDo);
  return editPlayerAt(view::positionOfLine(line));
}

Prepared Commands::editRowPlayer() {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  return editPlayerAt(edit::playerPositionOfRow(ws_, k));
}

Prepared Commands::deletePlayers() {
  std::vector<int> positions;
  for (int line : view_.selectedLines()) positions.push_back(view::positionOfLine(line));
  if (positions.empty()) return Prepared::stop(edit::Stop::NothingToDo);
  return askFirst<edit::DeleteQuestion, std::optional<int>>(
      [this, positions](const auto& choose) {
        return edit::deletePlayers(ws_, ui_, positions, choose);
      },
      [this](const edit::DeleteQuestion& q) -> std::optional<int> {
        const int agreed = edit::askEachDeletion(ui_)(q).value_or(0);
        if (agreed == 0) return std::nullopt;
        return agreed;
      });
}

}  // namespace toq::ui
