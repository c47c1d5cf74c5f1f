// Which member of Commands runs each command of the command table (view/command_table.h).
#include "ui/commands.h"

namespace toq::ui {

std::span<const Commands::Handler> Commands::handlers() {
  using enum view::Command;
  static constexpr Handler kHandlers[] = {
      {OpenTable, &Commands::openTable},
      {ImportNameList, &Commands::importNameList},
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
      {NewTable, &Commands::noAction},
      {AddParticipant, &Commands::addParticipant},
      {RemoveParticipant, &Commands::removeParticipant},
      {CancelLatestRound, &Commands::cancelLatestRound},
      {CancelAllPairings, &Commands::cancelAllPairings},
      {ChangeNumberOfGames, &Commands::changeNumberOfGames},
      {ExchangeByes, &Commands::exchangeByes},
      {SetOpponent, &Commands::setOpponent},
      {SetBye, &Commands::setBye},
      {CancelPairing, &Commands::cancelPairing},
      {EnterResult, &Commands::enterResult},
      {RandomResults, &Commands::randomResults},
      {RepeatedTest, &Commands::repeatedTest},
      {RegisterPlayer, &Commands::registerPlayer},
      {EditPlayer, &Commands::editPlayer},
      {DeletePlayers, &Commands::deletePlayers},
      {Manual, &Commands::manual},
      {About, &Commands::about},
      {EditRowPlayer, &Commands::editRowPlayer},
      {HandicapAndResult, &Commands::handicapAndResult},
      {Handicap, &Commands::handicap},
      {Pair, &Commands::pair},
      {NewDocument, &Commands::newDocument},
      {OpenDocument, &Commands::openDocument},
      {SaveDocument, &Commands::saveDocument},
      {Cut, &Commands::noAction},
      {Copy, &Commands::noAction},
      {Paste, &Commands::noAction},
  };
  return kHandlers;
}

void Commands::run(view::Command command) {
  for (const Handler& handler : handlers())
    if (handler.command == command) return (this->*handler.run)();
}

}  // namespace toq::ui
