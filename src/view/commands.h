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
  PrintSlips,    ///< the result slips of the latest round: the preview
  SaveSlipsPdf,  ///< the same as a PDF file
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
  NewDocument,   ///< the generic new document (no key: Ctrl+N is NewTable)
  OpenDocument,  ///< the generic Ctrl+O
  SaveDocument,  ///< the generic Ctrl+S
  Cut,           ///< toolbar only, never enabled
  Copy,
  Paste,
  Undo,            ///< "元に戻す": the latest change taken back
  Redo,            ///< "やり直し": the latest undone change brought back
  History,         ///< "履歴": every change with who made it, any moment made the event's again
  ResultSheet,     ///< a round's results entered all at once
  Lock,            ///< the form's check box "変更禁止"
  ResultKey,       ///< a result key pressed on a round cell of the list
  ExplainPairing,  ///< "組み合わせの説明": why each board of a round was paired so
  ExplainBoard,    ///< the same for the clicked cell's board (context menu)

  // The morning of the event.
  /// "申込一覧の取り込み...": a form's or a spreadsheet's entry list
  ImportEntries,
  /// "受付": arrivals at the door and walk-ins
  Reception,
  /// the printed reception list (受付名簿) through the preview, and as a PDF file
  PrintReceptionList,
  SaveReceptionListPdf,

  // The end of the day.
  /// the printed standings for the prize-giving (成績表) through the preview, and as a PDF
  PrintStandings,
  SaveStandingsPdf,
  // Plans changing during the day.
  SitOut,           ///< "休場": a participant sits out one round
  Withdraw,         ///< "棄権": a participant leaves from a round on
  TakeBackAbsence,  ///< either taken back for rounds not yet paired
  SortByRating,     ///< the rows put in rating order before round 1
};

/// What the rules read from the main view.
struct ViewState {
  bool tableMode = true;  ///< false: player mode
  int selectedLines = 0;  ///< number of selected lines of the list
  bool canUndo = false;   ///< the open document has a change to take back
  bool canRedo = false;   ///< and an undone change to bring back
};

}  // namespace toq::view
