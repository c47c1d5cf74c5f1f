// Plans changing during the day, from the menu "対戦表" and the row's context menu: a
// participant sitting out a round or withdrawing, taking either back, and the rows put in
// rating order before round 1.
#include "edit/absences.h"
#include "edit/guards.h"
#include "edit/rating_order.h"
#include "text/format.h"
#include "ui/commands.h"
#include "ui/dialogs/absence_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"

namespace toq::ui {

namespace {

constexpr const char* kSitOutTitle = "休場 — %s";
constexpr const char* kWithdrawTitle = "棄権 — %s";
constexpr const char* kTakeBackTitle = "休場・棄権の取り消し — %s";
constexpr const char* kSitOutLabel = "休場する回戦：";
constexpr const char* kWithdrawLabel = "この回戦から棄権：";
constexpr const char* kTakeBackLabel = "この回戦から取り消し：";

}  // namespace

Prepared Commands::absence(bool fromOn, bool takeBack) {
  const int k = selectedParticipant();
  if (k < 0) return Prepared::stop(edit::Stop::NothingToDo);
  const std::string name = edit::rowNameUtf8(ws_, k, ui_);
  const char* title = takeBack ? kTakeBackTitle : fromOn ? kWithdrawTitle : kSitOutTitle;
  const char* label = takeBack ? kTakeBackLabel : fromOn ? kWithdrawLabel : kSitOutLabel;
  const int next = ws_.table.FirstUnpairedRound();
  const std::optional<int> round = AbsenceDialog::ask(
      text::format(title, name.c_str()), label, ws_.table.rounds(), next < 0 ? 0 : next, &window_);
  if (!round) return Prepared::stop(edit::Stop::Declined);
  // Taking back a single round only where it is one; from a round on otherwise.
  const edit::AbsenceRequest asked{k, *round, fromOn || takeBack, takeBack};
  edit::PairedGame game = edit::PairedGame::Keep;
  if (const auto question = edit::pairedGameQuestion(ws_, asked, ui_)) {
    using Answer = services::Services::Answer;
    if (!fromOn) {
      // Sitting out a paired round can only take its game out.
      if (!ui_.askYesNo(*question)) return Prepared::stop(edit::Stop::Declined);
      game = edit::PairedGame::TakeOut;
    } else {
      const Answer answer = ui_.askYesNoCancel(*question);
      if (answer == Answer::Cancel) return Prepared::stop(edit::Stop::Declined);
      game = answer == Answer::Yes ? edit::PairedGame::Keep : edit::PairedGame::TakeOut;
    }
  }
  return Prepared::to([this, asked, game] { return edit::setAbsence(ws_, ui_, asked, game); });
}

Prepared Commands::sitOut() {
  return absence(false, false);
}

Prepared Commands::withdraw() {
  return absence(true, false);
}

Prepared Commands::takeBackAbsence() {
  return absence(true, true);
}

Prepared Commands::sortByRating() {
  return Prepared::to([this] { return edit::sortByRating(ws_, ui_); });
}

}  // namespace toq::ui
