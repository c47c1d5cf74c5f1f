// Which member of Commands runs each command of the command table (view/command_table.h), the
// undo step it makes, and the one place where every command runs: its questions first, then
// its change through the edit layer's door, with the window's one reaction to what changed.
#include "edit/command_door.h"
#include "edit/edit_texts.h"
#include "edit/reception_texts.h"
#include "ui/commands.h"
#include "ui/main_window.h"

namespace toq::ui {

std::span<const Commands::Handler> Commands::handlers() {
  using enum view::Command;
  namespace texts = edit::texts;
  namespace steps = edit::steps;
  static constexpr Handler kHandlers[] = {
      {OpenTable, &Commands::openTable, edit::StepRule::newDocument()},
      {ImportNameList, &Commands::importNameList,
       edit::StepRule{texts::kLabelImport, nullptr, true}},
      {SaveTableAs, &Commands::saveTableAs},
      {MakeRatingData, &Commands::noAction},
      {SaveCsv, &Commands::saveCsv},
      {SaveWebPage, &Commands::saveWebPage},
      {SavePdf, &Commands::savePdf},
      {Venue, &Commands::venue},
      {PrintFormat2, &Commands::togglePrintFormat2},
      {Print, &Commands::print},
      {PrintPreview, &Commands::printPreview},
      {PrintSetup, &Commands::printSetup},
      {PrintSlips, &Commands::printSlips},
      {SaveSlipsPdf, &Commands::saveSlipsPdf},
      {Exit, &Commands::exitProgram},
      {Settings, &Commands::settingsSheet},
      {PrintSettings, &Commands::noAction},
      {ShowRoundList, &Commands::showRoundList},
      {ShowResults, &Commands::showResults},
      {ShowStandings, &Commands::showStandings},
      {ShowRatingData, &Commands::showRatingData},
      {ToolBar, &Commands::toggleToolBar},
      {StatusBar, &Commands::toggleStatusBar},
      {TableFont, &Commands::tableFont},
      {ShowLotteryConditions, &Commands::noAction},
      {AnalyseLottery, &Commands::noAction},
      {NewTable, &Commands::newTable},
      {AddParticipant, &Commands::addParticipant, edit::StepRule{texts::kLabelAddParticipant}},
      {RemoveParticipant, &Commands::removeParticipant,
       edit::StepRule{texts::kLabelRemoveParticipant}},
      {CancelLatestRound, &Commands::cancelLatestRound,
       edit::StepRule{nullptr, steps::cancelRound}},
      {CancelAllPairings, &Commands::cancelAllPairings, edit::StepRule{texts::kLabelCancelAll}},
      {ChangeNumberOfGames, &Commands::changeNumberOfGames,
       edit::StepRule{texts::kLabelNumberOfGames}},
      {ExchangeByes, &Commands::exchangeByes, edit::StepRule{texts::kLabelExchangeByes}},
      {SetOpponent, &Commands::setOpponent, edit::StepRule{texts::kLabelOpponent}},
      {SetBye, &Commands::setBye, edit::StepRule{texts::kLabelBye}},
      {CancelPairing, &Commands::cancelPairing, edit::StepRule{texts::kLabelCancelPairing}},
      {EnterResult, &Commands::enterResult, edit::StepRule{nullptr, steps::result}},
      {RandomResults, &Commands::randomResults, edit::StepRule{texts::kLabelRandomResults}},
      {RepeatedTest, &Commands::repeatedTest, edit::StepRule{texts::kLabelRepeatedTest}},
      {RegisterPlayer, &Commands::registerPlayer, edit::StepRule{texts::kLabelRegisterPlayer}},
      {EditPlayer, &Commands::editPlayer, edit::StepRule{texts::kLabelEditPlayer}},
      {DeletePlayers, &Commands::deletePlayers, edit::StepRule{texts::kLabelDeletePlayers}},
      {Manual, &Commands::manual},
      {About, &Commands::about},
      {EditRowPlayer, &Commands::editRowPlayer, edit::StepRule{texts::kLabelEditPlayer}},
      {HandicapAndResult, &Commands::handicapAndResult,
       edit::StepRule{texts::kLabelHandicapAndResult}},
      {Handicap, &Commands::handicap, edit::StepRule{texts::kLabelHandicap}},
      {Pair, &Commands::pair, edit::StepRule{nullptr, steps::pairing}},
      {SitOut, &Commands::sitOut, edit::StepRule{texts::kLabelSitOut}},
      {Withdraw, &Commands::withdraw, edit::StepRule{texts::kLabelWithdraw}},
      {TakeBackAbsence, &Commands::takeBackAbsence, edit::StepRule{texts::kLabelTakeBackAbsence}},
      {SortByRating, &Commands::sortByRating, edit::StepRule{texts::kLabelSortByRating}},
      {NewDocument, &Commands::newDocument},
      {OpenDocument, &Commands::openDocument},
      {SaveDocument, &Commands::saveDocument},
      {Cut, &Commands::noAction},
      {Copy, &Commands::copyCells},
      {Paste, &Commands::noAction},
      {Undo, &Commands::undo, edit::StepRule{}},
      {Redo, &Commands::redo, edit::StepRule{}},
      {History, &Commands::history, edit::StepRule{nullptr, edit::steps::restore}},
      {ResultSheet, &Commands::resultSheet, edit::StepRule{nullptr, steps::resultSheet}},
      {ExplainPairing, &Commands::explainPairing},
      {ExplainBoard, &Commands::explainBoard},
      {Lock, &Commands::setLock, edit::StepRule{nullptr, steps::lock}},
      {ResultKey, &Commands::enterResultKey, edit::StepRule{nullptr, steps::result}},
      {ImportEntries, &Commands::importEntries, edit::StepRule{texts::kLabelImportEntries}},
      {Reception, &Commands::reception},
      {PrintReceptionList, &Commands::printReceptionList},
      {SaveReceptionListPdf, &Commands::saveReceptionListPdf},
      {PrintStandings, &Commands::printStandings},
      {SaveStandingsPdf, &Commands::saveStandingsPdf},
  };
  return kHandlers;
}

void Commands::run(view::Command command) {
  runAt(command, {});
}

void Commands::runAt(view::Command command, const CellKey& at) {
  for (const Handler& h : handlers())
    if (h.command == command) {
      runThroughDoor(h, at);
      return;
    }
}

Prepared Commands::prepare(const Handler& handler, const CellKey& key) {
  const edit::Passed look = edit::lookAtFiles(ws_, ui_);
  if (look.changes.any() || look.changes.document) window_.showChanges(look.changes);
  return handler.prepare ? (this->*handler.prepare)() : (this->*handler.prepareOnCell)(key);
}

edit::Outcome Commands::runThroughDoor(const Handler& handler, const CellKey& key) {
  std::function<edit::Outcome()> change;
  if (handler.prepare || handler.prepareOnCell) {
    Prepared asked = prepare(handler, key);
    if (!asked.change) {
      window_.updateCommandStates();
      return asked.stoppedWith;
    }
    change = std::move(asked.change);
  } else if (handler.change) {
    change = [&] { return (this->*handler.change)(); };
  } else if (handler.onCell) {
    change = [&] { return (this->*handler.onCell)(key); };
  } else {
    // A command that changes nothing shows what the files hold now, outside any pass: its
    // dialog may stay open while the venue's results arrive.
    const edit::Passed look = edit::lookAtFiles(ws_, ui_);
    window_.showChanges(look.changes);
    (this->*handler.show)();
    window_.updateCommandStates();
    return {};
  }
  return pass(handler.step, change).outcome;
}

edit::Passed Commands::pass(const edit::StepRule& step,
                            const std::function<edit::Outcome()>& change,
                            const std::function<void()>& before) {
  // What the pass has to say is shown once the window shows its change.
  const HeldBoxes::Hold hold(boxes_);
  const edit::Passed passed = edit::runCommand(ws_, ui_, step, change, journal::Who::window());
  if (before) before();
  window_.showChanges(passed.changes);
  return passed;
}

void Commands::resultKey(int row, int round, int result) {
  // The key's handler asks nothing: its pass is the whole command.
  for (const Handler& h : handlers())
    if (h.command == view::Command::ResultKey) {
      const edit::Outcome o = pass(h.step, [&] {
                                return enterResultKey({row, round, result});
                              }).outcome;
      if (o.done() || o.changed) goOnFromResult(row, round);
      return;
    }
}

}  // namespace toq::ui
