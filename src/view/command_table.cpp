#include "view/command_table.h"

#include "view/texts.h"

namespace toq::view {

namespace {

// The menu bar's rules.

bool always(const ViewState&, const data::Table&) {
  return true;
}

bool never(const ViewState&, const data::Table&) {
  return false;
}

bool inTableMode(const ViewState& s, const data::Table&) {
  return s.tableMode;
}

bool tableLinesSelected(const ViewState& s, const data::Table&) {
  return s.tableMode && s.selectedLines > 0;
}

bool oneTableLineSelected(const ViewState& s, const data::Table&) {
  return s.tableMode && s.selectedLines == 1;
}

// Byes move between two participants only while no round holds a game.
bool twoTableLinesWithoutGames(const ViewState& s, const data::Table& t) {
  return s.tableMode && s.selectedLines == 2 && t.AnyEntryState(1) == 0;
}

bool lotteryTable(const ViewState& s, const data::Table& t) {
  return s.tableMode && t.tableClass >= data::classCode(data::TableClass::B2) &&
         !data::isClass(t.tableClass, data::TableClass::C2);
}

bool undoable(const ViewState& s, const data::Table&) {
  return s.canUndo;
}

bool redoable(const ViewState& s, const data::Table&) {
  return s.canRedo;
}

// Table::AnyEntryState's mode that asks whether some row of some round has an opponent.
constexpr int kAnyGame = 1;

// Some round holds a game.
bool anyRoundPaired(const ViewState& s, const data::Table& t) {
  return s.tableMode && t.AnyEntryState(kAnyGame) != 0;
}

// Before round 1: no round holds a game yet.
bool noRoundPaired(const ViewState& s, const data::Table& t) {
  return s.tableMode && t.AnyEntryState(kAnyGame) == 0;
}

bool linesSelected(const ViewState& s, const data::Table&) {
  return s.selectedLines > 0;
}

bool playerLinesSelected(const ViewState& s, const data::Table&) {
  return !s.tableMode && s.selectedLines > 0;
}

// The context menu's rules.

bool onTable(const ContextState& c) {
  return c.view.tableMode;
}

bool onParticipant(const ContextState& c) {
  return c.view.tableMode && c.participant;
}

bool onGame(const ContextState& c) {
  return onParticipant(c) && c.cell == ClickedCell::Game;
}

bool onPairedCell(const ContextState& c) {
  return onParticipant(c) && (c.cell == ClickedCell::Game || c.cell == ClickedCell::Bye);
}

bool onPlayerList(const ContextState& c) {
  return !c.view.tableMode;
}

bool onSelectedPlayer(const ContextState& c) {
  return !c.view.tableMode && c.view.selectedLines > 0;
}

using enum Command;
using enum Menu;

// The recent files stand in ファイル between the printing entries and "終了".
constexpr MenuTitle kMenuBar[] = {
    {.menu = File, .text = "ファイル(&F)", .recentFilesBefore = 2},
    {.menu = Edit, .text = "編集(&E)"},
    {.menu = Show, .text = "表示(&V)"},
    {.menu = Table, .text = "対戦表(&T)"},
    {.menu = Players, .text = "対局者データ(&K)"},
    {.menu = Help, .text = "ヘルプ(&H)"},
};

// Toolbar sections: 0 the cancel-all and the table's files, 1 the editing buttons, 2 printing,
// 3 the About box. The context menu in table mode: the clicked row's games, a separator, the
// participants; in player mode the register's two entries.
constexpr CommandEntry kCommands[] = {
    // ファイル
    {.command = OpenTable,
     .menu = File,
     .text = "対戦ファイルを開く(&O)...",
     .tool = {0, 1, ToolIcon::Open},
     .enabled = always},
    {.command = ImportNameList,
     .menu = File,
     .text = "対局者ファイルを開く(&R)...",
     .enabled = always},
    {.command = ImportEntries,
     .menu = File,
     .text = "申込一覧の取り込み(&E)...",
     .enabled = always},
    {.command = SaveTableAs,
     .menu = File,
     .text = "対戦表の保存(&A)...",
     .tool = {0, 2, ToolIcon::Save},
     .enabled = always},
    {.command = MakeRatingData, .menu = File, .text = "レーティングデータの作成", .enabled = never},
    {.command = SaveCsv, .menu = File, .text = "CSVファイルの保存(&C)...", .enabled = always},
    {.command = SaveWebPage, .menu = File, .text = "Webページの保存(&W)...", .enabled = always},
    {.command = SavePdf, .menu = File, .text = "PDFに保存(&D)...", .enabled = always},
    {.command = Venue, .menu = File, .text = "会場公開(&L)...", .enabled = always},
    {.command = PrintFormat2,
     .menu = File,
     .section = 1,
     .text = "印刷形式２(&T)",
     .checkable = true,
     .enabled = always},
    {.command = Print,
     .menu = File,
     .section = 1,
     .text = "印刷(&P)...",
     .shortcut = "Ctrl+P",
     .tool = {2, 0, ToolIcon::Print},
     .enabled = always},
    {.command = PrintPreview,
     .menu = File,
     .section = 1,
     .text = "印刷プレビュー(&V)",
     .shortcut = "Ctrl+U",
     .enabled = always},
    {.command = PrintReceptionList,
     .menu = File,
     .section = 1,
     .text = "受付名簿の印刷・プレビュー(&M)",
     .enabled = always},
    {.command = SaveReceptionListPdf,
     .menu = File,
     .section = 1,
     .text = "受付名簿のPDF(&J)...",
     .enabled = always},
    {.command = PrintSetup,
     .menu = File,
     .section = 1,
     .text = "プリンタの設定(&S)...",
     .enabled = always},
    {.command = PrintSlips,
     .menu = File,
     .section = 1,
     .text = "結果用紙(&K)...",
     .enabled = always},
    {.command = SaveSlipsPdf,
     .menu = File,
     .section = 1,
     .text = "結果用紙のPDF(&G)...",
     .enabled = always},
    {.command = PrintStandings,
     .menu = File,
     .section = 1,
     .text = "成績表の印刷・プレビュー(&H)",
     .enabled = always},
    {.command = SaveStandingsPdf,
     .menu = File,
     .section = 1,
     .text = "成績表のPDF(&N)...",
     .enabled = always},
    {.command = Exit, .menu = File, .section = 2, .text = "終了(&X)", .enabled = always},
    // 編集
    {.command = Undo,
     .menu = Edit,
     .section = -1,
     .text = "元に戻す(&U)",
     .shortcut = "Ctrl+Z",
     .tool = {1, 3, ToolIcon::Undo},
     .enabled = undoable},
    {.command = Redo,
     .menu = Edit,
     .section = -1,
     .text = "やり直し(&R)",
     .shortcut = "Ctrl+Y; Ctrl+Shift+Z",
     .tool = {1, 4, ToolIcon::Redo},
     .enabled = redoable},
    {.command = History, .menu = Edit, .section = -1, .text = "履歴(&H)...", .enabled = always},
    {.command = Settings, .menu = Edit, .text = "設定(&S)...", .enabled = always},
    {.command = PrintSettings, .menu = Edit, .text = "印刷設定(&P)...", .enabled = never},
    // 表示
    {.command = ShowRoundList, .menu = Show, .text = "最終組み合わせの表示(&P)", .enabled = always},
    {.command = ShowResults, .menu = Show, .text = "結果の表示(&R)", .enabled = always},
    {.command = ShowStandings, .menu = Show, .text = "成績表示(&E)", .enabled = always},
    {.command = ShowRatingData, .menu = Show, .text = "レーティングデータ(&A)", .enabled = always},
    {.command = ExplainPairing,
     .menu = Show,
     .text = "組み合わせの説明(&X)...",
     .enabled = anyRoundPaired},
    {.command = ToolBar,
     .menu = Show,
     .section = 1,
     .text = "ツール バー(&T)",
     .checkable = true,
     .enabled = always},
    {.command = StatusBar,
     .menu = Show,
     .section = 1,
     .text = "ステータス バー(&S)",
     .checkable = true,
     .enabled = always},
    {.command = TableFont,
     .menu = Show,
     .section = 2,
     .text = "表のフォント(&F)...",
     .enabled = always},
    {.command = ShowLotteryConditions,
     .menu = Show,
     .section = 3,
     .text = "抽選条件の表示(&K)",
     .enabled = lotteryTable},
    {.command = AnalyseLottery,
     .menu = Show,
     .section = 3,
     .text = "抽選結果の分析(&B)",
     .enabled = lotteryTable},
    // 対戦表
    {.command = NewTable,
     .menu = Table,
     .text = "新規対戦表(&N)",
     .shortcut = "Ctrl+N",
     .enabled = always},
    {.command = AddParticipant,
     .menu = Table,
     .text = "参加者を対戦表に追加(&A)...",
     .enabled = inTableMode,
     .context = {.text = "対局者を対戦表に追加(&A)...",
                 .order = 5,
                 .separatorBefore = true,
                 .shown = onTable}},
    {.command = Reception,
     .menu = Table,
     .text = "受付(&U)...",
     .shortcut = "Ctrl+R",
     .enabled = always},
    {.command = RemoveParticipant,
     .menu = Table,
     .text = "参加者を対戦表から削除(&S)",
     .enabled = tableLinesSelected,
     .context = {.text = "対局者を対戦表から削除(&D)...", .order = 7, .shown = onParticipant}},
    {.command = CancelLatestRound,
     .menu = Table,
     .text = "最後の回の組み合わせの取り消し(&L)",
     .enabled = inTableMode},
    {.command = CancelAllPairings,
     .menu = Table,
     .text = "全ての組み合わせの取り消し(&T)",
     .tool = {0, 0, ToolIcon::CancelAll},
     .enabled = inTableMode},
    {.command = ChangeNumberOfGames,
     .menu = Table,
     .text = "試合数の変更(&C)...",
     .enabled = always},
    {.command = ExchangeByes,
     .menu = Table,
     .text = "抜け番の入れ替え(&X)",
     .enabled = twoTableLinesWithoutGames},
    {.command = SortByRating,
     .menu = Table,
     .text = "レーティング順に並べ替え(&G)",
     .enabled = noRoundPaired},
    {.command = SetOpponent,
     .menu = Table,
     .section = 1,
     .text = "対戦相手を入力する(&O)...",
     .enabled = oneTableLineSelected,
     .context = {.text = "対戦相手の入力(&O)...", .order = 0, .shown = onParticipant}},
    {.command = SetBye,
     .menu = Table,
     .section = 1,
     .text = "抜け番とする(&Y)",
     .enabled = tableLinesSelected,
     .context = {.text = "抜け番とする(&N)", .order = 1, .shown = onParticipant}},
    {.command = CancelPairing,
     .menu = Table,
     .section = 1,
     .text = "対戦相手の取り消し(&Z)",
     .enabled = oneTableLineSelected,
     .context = {.text = "組み合わせの取り消し(&C)", .order = 4, .shown = onPairedCell}},
    {.command = SitOut,
     .menu = Table,
     .section = 1,
     .text = "休場にする(&K)...",
     .enabled = oneTableLineSelected,
     .context = {.text = "休場にする(&K)...", .order = 5, .shown = onParticipant}},
    {.command = Withdraw,
     .menu = Table,
     .section = 1,
     .text = "棄権にする(&I)...",
     .enabled = oneTableLineSelected,
     .context = {.text = "棄権にする(&I)...", .order = 5, .shown = onParticipant}},
    {.command = TakeBackAbsence,
     .menu = Table,
     .section = 1,
     .text = "休場・棄権の取り消し(&V)...",
     .enabled = oneTableLineSelected,
     .context = {.text = "休場・棄権の取り消し(&V)...", .order = 5, .shown = onParticipant}},
    {.command = EnterResult,
     .menu = Table,
     .section = 1,
     .text = "勝敗の入力・取り消し(&W)...",
     .enabled = tableLinesSelected,
     .context = {.text = "勝敗の入力・変更(&W)...", .order = 3, .shown = onGame}},
    {.command = ResultSheet,
     .menu = Table,
     .section = 1,
     .text = "結果の一括入力(&B)...",
     .enabled = anyRoundPaired,
     .context = {.text = "結果の一括入力(&B)...", .order = 4, .shown = onPairedCell}},
    {.command = ExplainBoard,
     .context = {.text = "この対局の説明(&X)...", .order = 4, .shown = onGame}},
    {.command = RandomResults,
     .menu = Table,
     .section = 2,
     .text = "テスト：結果の自動入力(&R)",
     .enabled = always},
    {.command = RepeatedTest,
     .menu = Table,
     .section = 2,
     .text = "テスト：繰り返し組み合わせ(&P)",
     .enabled = inTableMode},
    // 対局者データ
    {.command = RegisterPlayer,
     .menu = Players,
     .text = "参加者の新規登録(&N)...",
     .enabled = always,
     .context = {.text = "新規参加者登録(&N)...", .order = 1, .shown = onPlayerList}},
    {.command = EditPlayer,
     .menu = Players,
     .text = "選択した対局者データの編集(&E)...",
     .enabled = playerLinesSelected,
     .context = {.text = "対局者データの編集(&E)...", .order = 0, .shown = onSelectedPlayer}},
    {.command = DeletePlayers,
     .menu = Players,
     .text = "選択した対局者データの削除(&D)...",
     .enabled = playerLinesSelected},
    // ヘルプ
    {.command = Manual, .menu = Help, .text = "使い方(&M)", .enabled = always},
    {.command = About,
     .menu = Help,
     .text = "バージョン情報(&A)...",
     .tool = {3, 0, ToolIcon::About},
     .enabled = always},
    // The context menu only.
    {.command = EditRowPlayer,
     .enabled = always,
     .context = {.text = "対局者データの編集(&E)...", .order = 6, .shown = onParticipant}},
    {.command = HandicapAndResult,
     .enabled = always,
     .context = {.text = "手合割・先後・勝敗の入力・変更(&H)...", .order = 2, .shown = onGame}},
    // No entry anywhere: the handicap of the clicked cell alone.
    {.command = Handicap, .enabled = always},
    // The form's button "組み合わせ", which the main view enables by its own rule.
    {.command = Pair, .enabled = always},
    // The form's check box "変更禁止" and the list's result keys.
    {.command = Lock, .enabled = always},
    {.command = ResultKey, .enabled = always},
    // The generic document commands: accelerators of the window, outside the menu bar's rules.
    // Ctrl+N starts a new event ("新規対戦表"), so the generic new document has no key.
    {.command = NewDocument, .text = "新規作成"},
    {.command = OpenDocument, .text = "開く", .shortcut = "Ctrl+O"},
    {.command = SaveDocument, .text = "上書き保存", .shortcut = "Ctrl+S"},
    // The toolbar's editing buttons, which this program does not use.
    {.command = Cut, .text = "切り取り", .tool = {1, 0}, .enabled = never},
    // コピー puts the selected lines as tab-separated text on the clipboard, for a spreadsheet.
    {.command = Copy,
     .text = "コピー",
     .shortcut = "Ctrl+C",
     .tool = {1, 1},
     .enabled = linesSelected},
    {.command = Paste, .text = "貼り付け", .tool = {1, 2}, .enabled = never},
};

}  // namespace

std::span<const CommandEntry> commandTable() {
  return kCommands;
}

const CommandEntry* findCommand(Command command) {
  for (const CommandEntry& entry : kCommands)
    if (entry.command == command) return &entry;
  return nullptr;
}

std::span<const MenuTitle> menuBar() {
  return kMenuBar;
}

bool commandEnabled(Command command, const ViewState& state, const data::Table& table) {
  const CommandEntry* entry = findCommand(command);
  return entry && (!entry->enabled || entry->enabled(state, table));
}

namespace {

// The reason of a rule that does not hold, from what the rule reads. Entries that share a rule
// share its reason; the few whose rule says little by its name are told apart by command.
struct RuleReason {
  EnablingRule rule;
  const char* (*why)(const ViewState& s, const data::Table& t);
};

const char* needsTableLines(const ViewState& s, const data::Table&) {
  return s.tableMode ? texts::kSelectParticipants : texts::kNeedsTableMode;
}

const char* needsOneTableLine(const ViewState& s, const data::Table&) {
  return s.tableMode ? texts::kSelectOneParticipant : texts::kNeedsTableMode;
}

const char* needsTwoLines(const ViewState& s, const data::Table& t) {
  if (!s.tableMode) return texts::kNeedsTableMode;
  return t.AnyEntryState(1) != 0 ? texts::kGamesStand : texts::kSelectTwoWithoutGames;
}

const RuleReason kReasons[] = {
    {never, [](const ViewState&, const data::Table&) { return texts::kNotInThisProgram; }},
    {inTableMode, [](const ViewState&, const data::Table&) { return texts::kNeedsTableMode; }},
    {tableLinesSelected, needsTableLines},
    {oneTableLineSelected, needsOneTableLine},
    {twoTableLinesWithoutGames, needsTwoLines},
    {lotteryTable,
     [](const ViewState& s, const data::Table&) {
       return s.tableMode ? texts::kLotteryOnly : texts::kNeedsTableMode;
     }},
    {undoable, [](const ViewState&, const data::Table&) { return texts::kNothingToUndo; }},
    {redoable, [](const ViewState&, const data::Table&) { return texts::kNothingToRedo; }},
    {playerLinesSelected,
     [](const ViewState& s, const data::Table&) {
       return s.tableMode ? texts::kNeedsPlayerMode : texts::kSelectPlayers;
     }},
    {linesSelected, [](const ViewState&, const data::Table&) { return texts::kNoCellSelected; }},
};

}  // namespace

std::string disabledReason(Command command, const ViewState& state, const data::Table& table) {
  const CommandEntry* entry = findCommand(command);
  if (!entry || !entry->enabled || entry->enabled(state, table)) return {};
  for (const RuleReason& r : kReasons)
    if (r.rule == entry->enabled) return r.why(state, table);
  // The commands that need a paired round (組み合わせの説明, 結果の一括入力).
  return state.tableMode ? texts::kNoPairedRound : texts::kNeedsTableMode;
}

}  // namespace toq::view
