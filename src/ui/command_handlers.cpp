// Which member of Commands runs each command of the command table (view/command_table.h), the
// undo step it makes, and the one place where every command runs.
#include <QCheckBox>

#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/history.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"

namespace toq::ui {

std::span<const Commands::Handler> Commands::handlers() {
  using enum view::Command;
  namespace texts = edit::texts;
  static constexpr Handler kHandlers[] = {
      {OpenTable, &Commands::openTable},
      {ImportNameList, &Commands::importNameList, Step::Fresh, texts::kLabelImport},
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
      {AddParticipant, &Commands::addParticipant, Step::Named, texts::kLabelAddParticipant},
      {RemoveParticipant, &Commands::removeParticipant, Step::Named,
       texts::kLabelRemoveParticipant},
      {CancelLatestRound, &Commands::cancelLatestRound, Step::CancelRound},
      {CancelAllPairings, &Commands::cancelAllPairings, Step::Named, texts::kLabelCancelAll},
      {ChangeNumberOfGames, &Commands::changeNumberOfGames, Step::Named,
       texts::kLabelNumberOfGames},
      {ExchangeByes, &Commands::exchangeByes, Step::Named, texts::kLabelExchangeByes},
      {SetOpponent, &Commands::setOpponent, Step::Named, texts::kLabelOpponent},
      {SetBye, &Commands::setBye, Step::Named, texts::kLabelBye},
      {CancelPairing, &Commands::cancelPairing, Step::Named, texts::kLabelCancelPairing},
      {EnterResult, &Commands::enterResult, Step::Named, texts::kLabelResult},
      {RandomResults, &Commands::randomResults, Step::Named, texts::kLabelRandomResults},
      {RepeatedTest, &Commands::repeatedTest, Step::Named, texts::kLabelRepeatedTest},
      {RegisterPlayer, &Commands::registerPlayer, Step::Named, texts::kLabelRegisterPlayer},
      {EditPlayer, &Commands::editPlayer, Step::Named, texts::kLabelEditPlayer},
      {DeletePlayers, &Commands::deletePlayers, Step::Named, texts::kLabelDeletePlayers},
      {Manual, &Commands::manual},
      {About, &Commands::about},
      {EditRowPlayer, &Commands::editRowPlayer, Step::Named, texts::kLabelEditPlayer},
      {HandicapAndResult, &Commands::handicapAndResult, Step::Named,
       texts::kLabelHandicapAndResult},
      {Handicap, &Commands::handicap, Step::Named, texts::kLabelHandicap},
      {Pair, &Commands::pair, Step::Pairing},
      {NewDocument, &Commands::newDocument},
      {OpenDocument, &Commands::openDocument},
      {SaveDocument, &Commands::saveDocument},
      {Cut, &Commands::noAction},
      {Copy, &Commands::copyCells},
      {Paste, &Commands::noAction},
      {Undo, &Commands::undo},
      {Redo, &Commands::redo},
      {ResultSheet, &Commands::resultSheet, Step::Sheet},
      {ExplainPairing, &Commands::explainPairing},
      {ExplainBoard, &Commands::explainBoard},
      {Lock, &Commands::setLock, Step::Lock},
      {ResultKey, &Commands::enterResultKey, Step::Named, texts::kLabelResult},
  };
  return kHandlers;
}

std::string Commands::stepLabel(const Handler& handler) const {
  switch (handler.step) {
    case Step::Pairing:
      return edit::pairingLabel(ws_.table);
    case Step::CancelRound:
      return edit::cancelRoundLabel(ws_.table);
    case Step::Lock:
      return edit::lockLabel(view_.lockBox()->isChecked());
    case Step::Named:
    case Step::Fresh:
      return handler.label ? handler.label : "";
    case Step::Sheet:  // named once the dialog chose the round
    case Step::None:
      break;
  }
  return {};
}

void Commands::run(view::Command command) {
  const Handler* handler = nullptr;
  for (const Handler& h : handlers())
    if (h.command == command) handler = &h;
  if (!handler) return;
  // What another program wrote is read before anything is changed or shown.
  if (edit::rereadChangedFiles(ws_, ui_)) afterDocumentChange();
  if (handler->step == Step::None) {
    (this->*handler->run)();
  } else {
    edit::Snapshot before = edit::snapshotOf(ws_);
    std::string label = stepLabel(*handler);
    sheetRound_ = -1;
    (this->*handler->run)();
    if (handler->step == Step::Sheet) label = edit::resultSheetLabel(sheetRound_);
    edit::recordIfChanged(ws_, std::move(label), std::move(before), handler->step == Step::Fresh);
  }
  window_.updateCommandStates();
}

}  // namespace toq::ui
