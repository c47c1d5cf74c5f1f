#pragma once
// The commands of the menus, the toolbar, the form and the context menu, with the rules that
// grey them out. Every front end asks here instead of deciding for itself.

#include "data/table.h"

namespace toq::view {

/// Command identifiers, as the menus and the toolbar know them.
enum class Command {
  OpenTable,
  ImportNameList,
  SaveTableAs,
  MakeRatingData,
  SaveCsv,
  PrintFormat2,
  Print,
  PrintPreview,
  PrintSetup,
  Exit,
  Settings,
  PrintSettings,
  ShowRoundList,
  ShowResults,
  ShowStandings,
  ShowRatingData,
  ToolBar,
  StatusBar,
  TableFont,
  ShowLotteryConditions,
  AnalyseLottery,
  NewTable,
  AddParticipant,
  RemoveParticipant,
  CancelLatestRound,
  CancelAllPairings,
  ChangeNumberOfGames,
  ExchangeByes,
  SetOpponent,
  SetBye,
  CancelPairing,
  EnterResult,
  RandomResults,
  RepeatedTest,
  RegisterPlayer,
  EditPlayer,
  DeletePlayers,
  Manual,
  About,
  EditRowPlayer,
  HandicapAndResult,
  Handicap,
  Pair,
  // Beyond the menus of the original design.
  SaveWebPage,  ///< "Webページの保存(&W)..."
  SavePdf,      ///< "PDFに保存..."
};

/// What the rules read from the main view.
struct ViewState {
  bool tableMode = true;  ///< false: player mode
  int selectedLines = 0;  ///< number of selected lines of the list
};

/// True when the command is enabled in the menu bar for this state and table. Commands chosen
/// from the context menu run without these rules (each applies its own checks).
bool commandEnabled(Command command, const ViewState& state, const data::Table& table);

}  // namespace toq::view
