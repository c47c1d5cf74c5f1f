#pragma once
// The texts of the morning's commands: the entries' import, the reception, walk-ins (UTF-8).

namespace toq::edit::texts {

inline constexpr const char* kLabelImportEntries = "申込一覧の取り込み";
/// Undo steps named after the player: "受付 山田 太郎", "当日参加 山田 太郎".
inline constexpr const char* kLabelReception = "受付 %s";
inline constexpr const char* kLabelWalkIn = "当日参加 %s";
inline constexpr const char* kAlreadyReceived = "すでに受付済みです";
inline constexpr const char* kTableFull = "最大登録人数です。";
/// "受付済み 42人 / 申込 60人"
inline constexpr const char* kReceptionCount = "受付済み %d人 / 申込 %d人";
/// A late arrival: the round the player's first game is in.
inline constexpr const char* kFromRound = "%d回戦から参加";

}  // namespace toq::edit::texts
