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
#include "ui/question_first.h"
#include "view/layout.h"

namespace toq::ui {

Prepared Commands::addParticipant() {
  return askFirst<std::vector<edit::ParticipantChoice>, std::vector<int>>(
      [this](const auto& choose) { return edit::addParticipants(ws_, ui_, choose); },
      [this](const std::vector<edit::ParticipantChoice>& choices) {
        return AddParticipantDialog::choose(choices, &window_);
      });
}

Prepared Commands::removeParticipant() {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  return askQuestionFirst(
      ui_, [this, k](services::Services& ui) { return edit::removeParticipant(ws_, ui, k); });
}

Prepared Commands::cancelLatestRound() {
  return askQuestionFirst(
      ui_, [this](services::Services& ui) { return edit::cancelLatestRound(ws_, ui); });
}

Prepared Commands::cancelAllPairings() {
  return askQuestionFirst(
      ui_, [this](services::Services& ui) { return edit::cancelAllPairings(ws_, ui); });
}

Prepared Commands::changeNumberOfGames() {
  return askFirst<edit::GamesQuestion, std::optional<int>>(
      [this](const auto& choose) { return edit::changeNumberOfGames(ws_, ui_, choose); },
      [this](const edit::GamesQuestion& d) { return NumberOfGamesDialog::ask(d, ui_, &window_); });
}

edit::Outcome Commands::exchangeByes() {
  const std::vector<int> lines = view_.selectedLines();
  if (lines.size() != 2) return edit::stopped(edit::Stop::NothingToDo);
  return edit::exchangeByes(ws_, ui_, view::rowOfLine(lines[0]), view::rowOfLine(lines[1]));
}

Prepared Commands::randomResults() {
  return askQuestionFirst(ui_,
                          [this](services::Services& ui) { return edit::randomResults(ws_, ui); });
}

}  // namespace toq::ui
