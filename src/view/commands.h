#pragma once
// The commands of the menus, the toolbar, the form and the context menu, with the rules that
// grey them out. Every front end asks here instead of deciding for itself.

#include "data/table.h"

namespace toq::view {

/// Command identifiers, as the menus and the toolbar know them.
enum class Command {
  OpenTable = 32816,
  ImportNameList = 32796,
  SaveTableAs = 32787,
  MakeRatingData = 32806,
  SaveCsv = 32791,
  PrintFormat2 = 32790,
  Print = 57607,
  PrintPreview = 57609,
  PrintSetup = 57606,
  Exit = 57665,
  Settings = 32788,
  PrintSettings = 32793,
  ShowRoundList = 32804,
  ShowResults = 32812,
  ShowStandings = 32824,
  ShowRatingData = 32814,
  ToolBar = 59392,
  StatusBar = 59393,
  TableFont = 32822,
  ShowLotteryConditions = 32789,
  AnalyseLottery = 32786,
  NewTable = 32828,
  AddParticipant = 32777,
  RemoveParticipant = 32782,
  CancelLatestRound = 32803,
  CancelAllPairings = 32779,
  ChangeNumberOfGames = 32818,
  ExchangeByes = 32780,
  SetOpponent = 32784,
  SetBye = 32799,
  CancelPairing = 32785,
  EnterResult = 32801,
  RandomResults = 32810,
  RepeatedTest = 32783,
  RegisterPlayer = 32771,
  EditPlayer = 32775,
  DeletePlayers = 32773,
  Manual = 32826,
  About = 57664,
  EditRowPlayer = 32792,
  HandicapAndResult = 32820,
  Handicap = 32808,
  Pair = 1005,
  // Beyond the menus of the original design.
  SaveWebPage = 32900,  ///< "Webページの保存(&W)..."
  SavePdf = 32901,      ///< "PDFに保存..."
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
