#pragma once
// The texts toq-cli shows of its own (UTF-8). The core's messages come through the services.

namespace toq::cli {

inline constexpr const char* kUsagePrefix = "使い方: ";
inline constexpr const char* kUnknownCommand = "サブコマンド %s はありません。";
inline constexpr const char* kUnknownOption = "オプション %s はありません。";
inline constexpr const char* kOptionBeforeCommand =
    "オプション %s はサブコマンドの後に置いてください。";
inline constexpr const char* kOptionNeedsValue = "オプション %s には値が必要です。";
inline constexpr const char* kFailedUnexpectedly = "処理を続けられませんでした(%s)。";
inline constexpr const char* kAnsweredYes = " → はい";
inline constexpr const char* kViewerFailed = "テキストファイル(%s)の表示に失敗しました。";
inline constexpr const char* kRowWord = "行 %d";

// import
inline constexpr const char* kNoPlayers = "対局者が登録されていません。";
inline constexpr const char* kImportSummary = "対局者 %d人、対戦表 %d行、%d回戦\n";

// csv
inline constexpr const char* kCsvSaveError = "CSVファイル保存エラー(%s)";
inline constexpr const char* kCsvSaved = "CSVファイル(%s)を保存しました。";

// players
inline constexpr const char* kPlayerFileReadError = "対局者ファイルを読み込めませんでした(%s)。";
// After a change.
inline constexpr const char* kNotSaved = "変更を保存できませんでした。";
inline constexpr const char* kNotDone = "変更しませんでした。";

// pair, standings, repeat-test
inline constexpr const char* kPaired = "%d回戦を組み合わせました。";
inline constexpr const char* kPairingFailed = "組み合わせられませんでした。";
inline constexpr const char* kNoCompletedRound = "終了した回戦がありません。";
inline constexpr const char* kStandingsIncomplete = "%d回戦までに勝敗の未入力があります。";
inline constexpr const char* kStandingsTitle = "%d回戦まで";
inline constexpr const char* kStandingsHeader[] = {
    "行", "対局者", "勝点", "勝", "敗", "分", "ソルコフ", "勝者得点", "修正勝者得点", "順位"};
inline constexpr const char* kWinRateHeader = "勝率";
inline constexpr const char* kLogNotWritten = "連続抽選のログファイルを書けませんでした(%s)。";
inline constexpr const char* kRepeatedTestFailed = "連続抽選テストを終了できませんでした。";

// explain
inline constexpr const char* kNoPairedRound = "組み合わせた回戦がありません。";
inline constexpr const char* kRoundWithoutGames = "%d回戦には対局がありません。";

// report
inline constexpr const char* kNothingToReport = "帳票にする回戦がありません。";
inline constexpr const char* kReportKinds = "帳票は round-list, results, standings, rating です。";

// Pairings and results set by hand.
inline constexpr const char* kOpponentSet = "%d回戦 %s 対 %s を組み合わせました。";
inline constexpr const char* kByeSet = "%d回戦 %s を抜け番にしました。";
inline constexpr const char* kNoFreeRound = "%s の組み合わせていない回戦がありません。";
inline constexpr const char* kPairingCancelled = "%d回戦 %s の組み合わせを取り消しました。";
inline constexpr const char* kNothingToCancel = "%s の取り消す組み合わせがありません。";
inline constexpr const char* kResultSet = "%d回戦 %s 対 %s: %s";
inline constexpr const char* kNoGame = "%d回戦 %s に対局がありません。";
inline constexpr const char* kHandicapSet = "%d回戦 %s 対 %s: %s";
inline constexpr const char* kRandomResultsSet = "%d回戦の結果を自動入力しました。";

// Rounds and the table.
inline constexpr const char* kRoundCancelled = "%d回戦の組み合わせを取り消しました。";
inline constexpr const char* kAllCancelled = "全ての組み合わせを取り消しました。";
inline constexpr const char* kGamesSet = "試合数を %d にしました。";
inline constexpr const char* kByesExchanged = "%s と %s の抜け番を入れ替えました。";
inline constexpr const char* kLocked = "変更禁止にしました。";
inline constexpr const char* kUnlocked = "変更禁止を解除しました。";

// Participants.
inline constexpr const char* kParticipantAdded = "%s を対戦表に追加しました（%d行）。";
inline constexpr const char* kParticipantRemoved = "%s を対戦表から削除しました。";

// The player register.
inline constexpr const char* kPlayerRegistered = "%s を番号 %d で登録しました（%d番目）。";
inline constexpr const char* kPlayerEdited = "%d番目の対局者を %s にしました。";
inline constexpr const char* kPlayersDeleted = "対局者 %d人を削除しました。";
inline constexpr const char* kPlayerFileDamaged =
    "対局者ファイルを全部は読み込めないため、変更しません(%s)。";

}  // namespace toq::cli
