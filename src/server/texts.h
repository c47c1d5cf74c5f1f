#pragma once
// The server's own literal texts (UTF-8): the answers' messages and the pages' words. The
// edit layer's messages come through the request's services as they are.

#include <string_view>

namespace toq::server::texts {

// Answers to requests that do not reach the table.
inline constexpr std::string_view kNotFound = "そのページはありません。";
inline constexpr std::string_view kMethodNotAllowed = "この操作はできません。";
inline constexpr std::string_view kNoKey = "主催者の鍵が必要です。";
inline constexpr std::string_view kWrongKey = "主催者の鍵が違います。";
inline constexpr std::string_view kTooManyWrongKeys =
    "鍵の誤りが続いたため、しばらく受け付けません。1分ほど待ってください。";
inline constexpr std::string_view kTooLarge = "送られたデータが大きすぎます（64KBまで）。";
inline constexpr std::string_view kHeadersTooLarge = "要求のヘッダーが大きすぎます。";
inline constexpr std::string_view kBadRequest = "要求を読み取れませんでした。";
inline constexpr std::string_view kBadHost = "このアドレスでは受け付けていません。";
inline constexpr std::string_view kNotJson = "データは JSON（application/json）で送ってください。";
inline constexpr std::string_view kBadJson = "JSON を読み取れませんでした。";
inline constexpr std::string_view kBadUtf8 = "UTF-8 として正しくない文字があります。";
inline constexpr std::string_view kNotObject = "JSON のオブジェクトで送ってください。";
inline constexpr const char* kUnknownField = "項目 %s はありません。";
inline constexpr const char* kMissingField = "項目 %s がありません。";
inline constexpr const char* kFieldTwice = "項目 %s が二度あります。";
inline constexpr const char* kNotInteger = "項目 %s は整数で指定してください。";
inline constexpr const char* kOutOfRange = "項目 %s が範囲外です。";
inline constexpr std::string_view kBadResultWord =
    "result は win、loss、draw、clear のいずれかで指定してください。";
inline constexpr const char* kUnknownParameter = "パラメータ %s はありません。";
inline constexpr std::string_view kBadRoundParameter = "round は 1 から数えた回戦の番号です。";
inline constexpr std::string_view kBusy =
    "ただいま受け付けられません。しばらくして再度お試しください。";
inline constexpr std::string_view kInternal = "処理を続けられませんでした。";
inline constexpr std::string_view kNotSaved = "変更を保存できませんでした。";
inline constexpr std::string_view kNotDone = "変更しませんでした。";
inline constexpr const char* kStandingsIncomplete = "%d回戦までに勝敗の未入力があります。";
inline constexpr std::string_view kUntitled = "対戦表";
inline constexpr std::string_view kNoByeNeeded = "この回戦は抜け番を決める必要がありません。";
inline constexpr const char* kNotByeCandidate = "%d番の参加者は抜け番にできません。";

// The log.
inline constexpr std::string_view kJobFailed = "要求の処理が例外で止まりました: ";
inline constexpr std::string_view kNetworkFailed = "通信の処理が例外で止まりました: ";

// Starting.
inline constexpr const char* kCannotListen = "%s のポート %u で待ち受けできませんでした（%s）。";
inline constexpr const char* kBadAddress = "アドレス %s は使えません。";
inline constexpr std::string_view kNoRandom = "鍵を作れませんでした（安全な乱数が得られません）。";

// What the network changed, for the host's status line.
inline constexpr const char* kResultChange = "会場から: %s";
inline constexpr const char* kDisagreements = "結果の食い違い";
inline constexpr const char* kLatestChanges = "最近の変更";
inline constexpr const char* kPairChange = "会場から: %d回戦を組み合わせました。";

// Pages.
inline constexpr std::string_view kResultColumn = "結果";
inline constexpr std::string_view kLinkPublic = "組み合わせ・成績";
inline constexpr std::string_view kLinkStandings = "成績表（印刷用）";
inline constexpr std::string_view kLinkDisplay = "掲示用";
inline constexpr std::string_view kLinkDesk = "結果入力（対局者）";
inline constexpr std::string_view kDeskTitle = "結果入力";
inline constexpr std::string_view kAdminTitle = "主催者";
inline constexpr std::string_view kLive = "自動で更新されます";
inline constexpr std::string_view kScriptNeeded = "このページは JavaScript を使います。";
inline constexpr std::string_view kSearch = "盤番号・名前で探す";
inline constexpr std::string_view kDeskLead =
    "自分の盤をタップして、結果を選んでください。結果が入った対局の変更は主催者に申し出てください"
    "。";
inline constexpr std::string_view kAdminLead =
    "盤をタップすると、結果を入力・変更・取り消しできます。";
inline constexpr std::string_view kPreviousRound = "前の回戦";
inline constexpr std::string_view kNextRound = "次の回戦";
inline constexpr std::string_view kPairNext = "次の回戦を組み合わせる";
inline constexpr std::string_view kLocked = "変更禁止";
inline constexpr std::string_view kVenueTitle = "会場";

}  // namespace toq::server::texts
