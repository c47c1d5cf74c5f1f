#pragma once
// The view layer's own texts (UTF-8): why a control or a menu entry is grey, and the hint of
// an empty first start.

namespace toq::view::texts {

// The pairing button.
inline constexpr const char* kNoParticipants =
    "対戦表に参加者がいません。「対戦表」→「参加者を対戦表に追加」で参加者を加えてください。";
inline constexpr const char* kLockedReason =
    "変更禁止になっています。「変更禁止」のチェックを外すと組み合わせられます。";
inline constexpr const char* kMissingResults = "%d回戦に結果の未入力があります: %s";
inline constexpr const char* kEveryRoundPaired =
    "全回戦の組み合わせが済んでいます。回戦を増やすには「試合数の変更」を使ってください。";
inline constexpr const char* kMoreGames = " ほか%d局";

// The menu entries.
inline constexpr const char* kNeedsTableMode = "対戦表の表示で使えます（「表示」の「対戦表」）。";
inline constexpr const char* kNeedsPlayerMode = "対局者の表示で使えます（「表示」の「対局者」）。";
inline constexpr const char* kSelectParticipants = "対戦表で参加者の行を選んでください。";
inline constexpr const char* kSelectOneParticipant = "対戦表で参加者の行を一つだけ選んでください。";
inline constexpr const char* kSelectTwoWithoutGames =
    "対局が一つもない間に、抜け番を入れ替える二人の行を選んでください。";
inline constexpr const char* kGamesStand = "対局が入った後は抜け番を入れ替えられません。";
inline constexpr const char* kLotteryOnly = "抽選クラスの対戦表でだけ使えます。";
inline constexpr const char* kNothingToUndo = "元に戻す変更はありません。";
inline constexpr const char* kNothingToRedo = "やり直す変更はありません。";
inline constexpr const char* kNoPairedRound = "組み合わせた回がまだありません。";
inline constexpr const char* kSelectPlayers = "対局者の行を選んでください。";
inline constexpr const char* kNotInThisProgram = "このプログラムにはない機能です。";
inline constexpr const char* kNoCellSelected = "コピーする行を選んでください。";

// The standings' columns: how a bye counts.
inline constexpr const char* kRecordTip =
    "勝-敗-分。抜け番は対局に数えません（勝ちにも負けにも引き分けにもならず、点もありません）。";
inline constexpr const char* kByeScoreTip =
    "抜け番の回は対局がないものとして数えます（点も対戦相手もありません）。";

// The empty list of a first start.
inline constexpr const char* kFirstStartHint =
    "新規対戦表 (Ctrl+N) で大会を始めるか、ファイル → 対戦ファイルを開く で既存の大会を開きます";

inline constexpr const char* kEmptyTableHint =
    "対局者データ → 参加者の新規登録 で対局者を登録し、対戦表 → 参加者を対戦表に追加 で参加者に"
    "加えます";
inline constexpr const char* kEmptyRegisterHint =
    "対局者データ → 参加者の新規登録 で対局者を登録します";

/// The tooltip of a name marked because another participant shows the same short name.
inline constexpr const char* kLookAlikeTip =
    "ほかの参加者と省略名が同じです。対局者データで省略名を変えると見分けられます。";

}  // namespace toq::view::texts
