#pragma once
// The texts toq-cli shows of its own (UTF-8). The core's messages come through the services.

namespace toq::cli {

inline constexpr const char* kUsagePrefix = "使い方: ";
inline constexpr const char* kUnknownCommand = "サブコマンド %s はありません。";
inline constexpr const char* kUnknownOption = "オプション %s はありません。";
inline constexpr const char* kFailedUnexpectedly = "処理を続けられませんでした(%s)。";
inline constexpr const char* kAnsweredYes = " → はい";
inline constexpr const char* kViewerFailed = "テキストファイル(%s)の表示に失敗しました。";

// import
inline constexpr const char* kNoPlayers = "対局者が登録されていません。";
inline constexpr const char* kImportSummary = "対局者 %d人、対戦表 %d行、%d回戦\n";

// csv
inline constexpr const char* kCsvSaveError = "CSVファイル保存エラー(%s)";
inline constexpr const char* kCsvSaved = "CSVファイル(%s)を保存しました。";

// players
inline constexpr const char* kPlayerFileReadError = "対局者ファイルを読み込めませんでした(%s)。";
inline constexpr const char* kPlayerFileFull =
    "対局者が多すぎるため、一部を読み込めませんでした(%s)。";

}  // namespace toq::cli
