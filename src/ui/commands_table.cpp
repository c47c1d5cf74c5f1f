// The commands of the menu "対戦表" on the whole table: participants, whole rounds, the number
// of games, exchanging byes and the random results.
#include "edit/add_participants.h"
#include "edit/participants.h"
#include "edit/results.h"
#include "edit/rounds.h"
#include "ui/commands.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/number_of_games_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "view/layout.h"

namespace toq::ui {

void Commands::addParticipant() {
  const edit::Outcome o =
      edit::addParticipants(ws_, ui_, [this](const std::vector<edit::ParticipantChoice>& choices) {
        return AddParticipantDialog::choose(choices, &window_);
      });
  if (o.changed) afterTableChange();
}

void Commands::removeParticipant() {
  const int k = selectedParticipant();
  if (k < 0) return;
  if (edit::removeParticipant(ws_, ui_, k).changed) afterTableChange();
}

void Commands::cancelLatestRound() {
  if (edit::cancelLatestRound(ws_, ui_).changed) afterTableChange();
}

void Commands::cancelAllPairings() {
  if (!edit::cancelAllPairings(ws_, ui_).changed) return;
  view_.enableControlsForMode();  // the lock flag was cleared too
  afterTableChange();
}

void Commands::changeNumberOfGames() {
  const edit::Outcome o = edit::changeNumberOfGames(ws_, ui_, [this](const edit::GamesQuestion& d) {
    return NumberOfGamesDialog::ask(d, ui_, &window_);
  });
  if (o.changed) afterTableChange();
}

void Commands::exchangeByes() {
  const std::vector<int> lines = view_.selectedLines();
  if (lines.size() != 2) return;
  if (edit::exchangeByes(ws_, ui_, view::rowOfLine(lines[0]), view::rowOfLine(lines[1])).changed)
    afterTableChange();
}

void Commands::randomResults() {
  if (edit::randomResults(ws_, ui_).changed) afterTableChange();
}

}  // namespace toq::ui
