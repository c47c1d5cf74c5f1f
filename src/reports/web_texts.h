#pragma once
// The web page's own literal texts (UTF-8, as the page is).

#include <string_view>

namespace toq::reports::web_texts {

/// File name extension of the page; "TABLE.tai" gives "TABLE.html".
inline constexpr std::string_view kExtension = ".html";

// Messages of the front ends (UTF-8; "%s" is the page's path).
inline constexpr const char* kNotSaved = "Webページを保存できませんでした(%s)。";
inline constexpr const char* kSaved = "Webページ(%s)を保存しました。";
inline constexpr std::string_view kSaveDialogTitle = "Webページの保存";
inline constexpr std::string_view kSaveDialogFilter = "Webページ(*.html);;すべてのファイル(*.*)";

// Head.
inline constexpr std::string_view kUntitled = "対戦表";
inline constexpr const char* kStamp = "%s %s 現在";
inline constexpr const char* kRounds = "全%d回戦・%d名";
inline constexpr const char* kStandingsAfter = "%d回戦終了時点の成績";
inline constexpr std::string_view kNoRoundComplete = "終了した回戦はまだありません";
inline constexpr std::string_view kNavPairings = "組み合わせ";
inline constexpr std::string_view kNavStandings = "成績";
inline constexpr std::string_view kNavChart = "対戦表";
/// The generator named in the page, before the version.
inline constexpr std::string_view kGenerator = "TOQ ";

// Pairings of the latest paired round.
inline constexpr const char* kPairingsTitle = "%d回戦の組み合わせ";
inline constexpr std::string_view kPairingsTitleNone = "組み合わせ";
inline constexpr std::string_view kNoPairings = "組み合わせはまだありません。";
inline constexpr std::string_view kPairingHeaders[6] = {"盤", "対局者", "", "対局者", "手合割", ""};
inline constexpr std::string_view kVersus = "対";
inline constexpr std::string_view kUndecided = "未定";
inline constexpr std::string_view kSecondGame = "２局目";
inline constexpr std::string_view kByes = "抜け番：";
inline constexpr std::string_view kAbsences = "休場：";
inline constexpr std::string_view kNameSeparator = "、";

// Standings after the last complete round.
inline constexpr const char* kStandingsTitle = "成績（%d回戦終了時点）";
inline constexpr std::string_view kStandingsTitleNone = "成績";
inline constexpr std::string_view kNoStandings = "終了した回戦がまだないため、成績はありません。";
inline constexpr std::string_view kScoreHeaders[6] = {"順位",     "対局者",   "勝-敗-分",
                                                      "ソルコフ", "勝者得点", "修正勝者得点"};
inline constexpr std::string_view kRateHeaders[5] = {"順位", "対局者", "勝-敗-分", "勝率",
                                                     "勝敗局数"};
/// A board group's record: boards, then the summed record ("３面 計 5-1").
inline constexpr const char* kBoards = "%d面 計 %s";
inline constexpr std::string_view kScoreNote =
    "順位は勝点（勝ち1・引き分け0.5）、ソルコフ（対戦相手の勝点の合計）、勝者得点（勝った相手の"
    "勝点の合計）、修正勝者得点（その最高と最低を除いた合計）、直接対決の順に決めます。";
inline constexpr std::string_view kRateNote =
    "複数面指す棋士がいるため、勝率（引き分けを除く）で順位を決めます。同じ勝率では勝敗局数の"
    "多い方が上位です。";

// The wall chart.
inline constexpr std::string_view kChartTitle = "対戦表";
inline constexpr std::string_view kMarks =
    "○ 勝ち　● 負け　＝ 引き分け　先・後 先手・後手　香上・香下など 駒落ちの上手・下手　休場";
/// The legend: a colour's meaning, in the order the legend shows them.
inline constexpr std::string_view kLegendPro = "プロとの対戦";
inline constexpr std::string_view kLegendWoman = "女流との対戦";
inline constexpr std::string_view kLegendSecond = "２局目";
inline constexpr std::string_view kLegendBye = "抜け番";
inline constexpr std::string_view kLegendBlueLabel = "青字";
inline constexpr std::string_view kLegendBlue =
    "レーティング、結果未入力の対局、複数面の合計（計）";

}  // namespace toq::reports::web_texts
