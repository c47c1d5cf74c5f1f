#pragma once
// The texts of `toq-cli serve` (UTF-8).

namespace toq::cli::serve_texts {

inline constexpr const char* kBadPort =
    "ポート番号は 0 から 65535 までの整数です（0 は空いているポート）。";
inline constexpr const char* kAddresses = "このコンピュータのアドレス: %s";
inline constexpr const char* kNoLanAddress =
    "会場のネットワークのアドレスが見つかりません。このコンピュータからのみ開けます。";
inline constexpr const char* kPublic = "公開ページ: %s";
inline constexpr const char* kDisplay = "掲示用: %s";
inline constexpr const char* kDesk = "結果入力（対局者用）: %s";
inline constexpr const char* kOrganiser = "主催者用（鍵付き。他の人に見せないでください）:";
inline constexpr const char* kRunning = "Ctrl+C で終了します。";
inline constexpr const char* kStopped = "公開を終了しました。";
inline constexpr const char* kStopping = "公開を終了しています…";
inline constexpr const char* kLimits =
    "同時に開ける接続: %llu（このプロセスが開けるファイル数 %llu）";
inline constexpr const char* kVenue = "会場（部門の一覧）: %s";
inline constexpr const char* kDisplayAll = "掲示用（全部門を順に）: %s";
inline constexpr const char* kSection = "部門 %d %s: %s";
inline constexpr const char* kSectionOrganiser = "部門 %d %s 主催者用: %s";
inline constexpr const char* kBadDesk =
    "--result-desk は値なし（結果用紙のコードで受け付け）か --result-desk=open（誰でも）です。";
inline constexpr const char* kSameTableTwice = "同じ対戦表ファイルが二度指定されています: %s";

}  // namespace toq::cli::serve_texts
