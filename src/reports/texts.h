#pragma once
// The reports' own literal texts (UTF-8; converted to CP932 where they enter a report).

#include <string_view>

namespace toq::reports::texts {

/// Version line of the report heads.
inline constexpr std::string_view kVersion = "V0.60";

// File names; the report folder goes in front of each.
inline constexpr const char* kRoundListFile = "%d回戦組み合わせ.txt";
inline constexpr std::string_view kResultsFile = "結果.txt";
inline constexpr std::string_view kRatingFile = "Rating.txt";
inline constexpr std::string_view kStandingsFile = "成績.txt";
/// Replaced by kTitleExtensionMark in the table file's name to give the report title.
inline constexpr std::string_view kTableExtension = ".tai";
inline constexpr std::string_view kTitleExtensionMark = "-";

// Messages (caption "エラー").
inline constexpr std::string_view kNoPairedRound = "エラー";
inline constexpr std::string_view kCannotCreateRoundList = "ファイル作成エラー %s";
inline constexpr std::string_view kCannotCreateReport = "%sが読めません。";
inline constexpr const char* kOpponentError = "対戦相手エラー index=%d ";

// Round list.
inline constexpr const char* kRoundListTitle = "-------- %d回戦組み合わせ ---------";
inline constexpr std::string_view kUndecided = "  *** 未定 ***";
inline constexpr std::string_view kVersus = " 対 ";
inline constexpr std::string_view kSecondGame = "　＊２局目";
/// Side labels by side code 0, 1, 2 for an even game and for a handicap game.
inline constexpr std::string_view kEvenSideLabels[3] = {"未", "先", "後"};
inline constexpr std::string_view kHandicapSideLabels[3] = {"未", "下", "上"};

// Results table.
inline constexpr std::string_view kGridNameRule = "+-------------------";
inline constexpr std::string_view kGridRoundRule = "+------";
inline constexpr std::string_view kGridTailRule = "+------+----+----+";
inline constexpr std::string_view kGridNameHeader = "|     対局者名      ";
inline constexpr std::string_view kGridRoundHeaders[9] = {"|第１局", "|第２局", "|第３局",
                                                          "|第４局", "|第５局", "|第６局",
                                                          "|第７局", "|第８局", "|第９局"};
inline constexpr std::string_view kGridTailHeader = "|勝敗分|勝率|順位|";
inline constexpr std::string_view kByeCell = " ---- ";
inline constexpr std::string_view kGroupTotal = "計";
inline constexpr std::string_view kLegendResults = "○：勝ち　●：負け　＝：引き分け";
inline constexpr std::string_view kLegendHandicap = "点数の高い方が上手・後手";
/// Handicap marks by magnitude (index = magnitude 0..10; empty = no such code), for the giver
/// (positive code) and the receiver (negative code).
inline constexpr std::string_view kGiverMarks[11] = {"", "香上", "角上", "飛上", "飛香", "二上",
                                                     "", "四上", "",     "",     "六上"};
inline constexpr std::string_view kReceiverMarks[11] = {"", "香下", "角下", "飛下", "飛香", "二下",
                                                        "", "四下", "",     "",     "六下"};
/// Mark of an even game or of a code outside the list.
inline constexpr std::string_view kEvenMark = " ";
inline constexpr std::string_view kWinMark = "○";
inline constexpr std::string_view kLossMark = "●";
inline constexpr std::string_view kDrawMark = "＝";
inline constexpr std::string_view kFirstMark = "先";
inline constexpr std::string_view kSecondMark = "後";
inline constexpr std::string_view kUndecidedMark = "　";

// Standings report.
inline constexpr const char* kStandingsTitle = "%d回戦まで";
inline constexpr const char* kRankLabel = "順位 %d　";
inline constexpr const char* kRecordWithDraws = "%d勝%d敗%d分";
inline constexpr const char* kRecord = "%d勝%d敗";
inline constexpr const char* kBoardsWithDraws = "%s面 計 %d勝%d敗%d分";
inline constexpr const char* kBoards = "%s面 計%2d勝%d敗";
inline constexpr std::string_view kBoardCounts[6] = {"", "", "２", "３", "４", "５"};
inline constexpr std::string_view kWinRateLabel = "勝率 ";

// Rating data file: "winner,loser,winnerの勝ち".
inline constexpr std::string_view kRatingSeparator = ",";
inline constexpr std::string_view kRatingWins = "の勝ち";

}  // namespace toq::reports::texts
