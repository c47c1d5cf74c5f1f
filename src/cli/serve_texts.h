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

}  // namespace toq::cli::serve_texts
