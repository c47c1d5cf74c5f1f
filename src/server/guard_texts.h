#pragma once
// The texts (UTF-8) of the signed changes, the result slips' desk and the old organiser's
// address.

#include <string_view>

namespace toq::server::texts {

inline constexpr std::string_view kBadSignature = "署名が正しくありません。変更しませんでした。";
inline constexpr std::string_view kSequenceUsed =
    "この変更はすでに受け付けました（同じ要求の再送です）。";
inline constexpr std::string_view kNoCode = "結果用紙のコードが必要です。";
inline constexpr std::string_view kWrongCode =
    "結果用紙のコードが違います。この回戦の結果用紙を確かめてください。";
inline constexpr std::string_view kNotYourBoard = "このコードの盤ではありません。";
inline constexpr std::string_view kOldAdminTitle = "主催者用のアドレスが変わりました";
inline constexpr std::string_view kOldAdminText =
    "このアドレスは鍵を通信に載せるため使えなくなりました。鍵は記録していません。"
    "主催者用のアドレスは /admin# の後に鍵が続く形です（印刷されたアドレスか QR コードから"
    "開いてください）。";
inline constexpr std::string_view kDeskCodeLead =
    "結果用紙の QR コードを読み取るか、用紙に印刷されたコード（8文字）を入力してください。";
inline constexpr std::string_view kDeskCodeField = "結果用紙のコード";
inline constexpr std::string_view kDeskCodeOpen = "開く";
inline constexpr std::string_view kAllResultsIn = "すべての結果が揃いました";

}  // namespace toq::server::texts
