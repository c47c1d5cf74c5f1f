#pragma once
// The commands of the menus, the toolbar, the accelerators, the form and the context menu, and
// the state of the main view that their rules read. Each command is described once, in the
// command table (view/command_table.h).

namespace toq::view {

/// Command identifiers, as the menus, the toolbar and the handlers know them.
enum class Command {
  OpenTable,
  ImportNameList,
  SaveTableAs,
  MakeRatingData,
  SaveCsv,
  SaveWebPage,
  SavePdf,
  Venue,  ///< the event on the venue's network
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
  NewDocument,   ///< the generic Ctrl+N
  OpenDocument,  ///< the generic Ctrl+O
  SaveDocument,  ///< the generic Ctrl+S
  Cut,           ///< toolbar only, never enabled
  Copy,
  Paste,
};

/// What the rules read from the main view.
struct ViewState {
  bool tableMode = true;  ///< false: player mode
  int selectedLines = 0;  ///< number of selected lines of the list
};

}  // namespace toq::view
