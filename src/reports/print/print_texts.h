#pragma once
// The printed pages' own literal texts (UTF-8; converted to CP932 where they are drawn).

#include <string_view>

namespace toq::reports::print::texts {

// Messages (caption "エラー").
inline constexpr std::string_view kLinesTooLarge = "行間隔が大き過ぎます。";

// Page header.
inline constexpr std::string_view kPlayerListTitle = "棋士データ一覧";
inline constexpr const char* kPageNumber = "Page %d / %d";
/// The document title of a table without a file, as the window's title shows it.
inline constexpr std::string_view kUntitled = "無題";
/// The slips' PDF after the event's name: the round, 1-based.
inline constexpr const char* kSlipsFile = "-%d回戦-結果用紙.pdf";

// Player list.
inline constexpr std::string_view kPlayerHeadings[9] = {
    "No.", "氏　名", "省略名", "レーティング", "面数", "プロ", "", "", ""};

// Coloured grid (format 2).
inline constexpr std::string_view kNumberHeading = "No.";
inline constexpr std::string_view kPlayerHeading = "対局者";
inline constexpr std::string_view kLegend =
    "緑：プロ棋士との対戦、桃：女流との対戦、赤：２局目、青：先手";

// League chart (format 1).
inline constexpr std::string_view kNumberLabel = "順位";
inline constexpr std::string_view kNameLabel = "氏　名";
inline constexpr std::string_view kTeacherLabel = "師匠";
inline constexpr std::string_view kFirstMove = "先";
/// Round labels "１" to "９" are full-width; later rounds are written with half-width digits.
inline constexpr std::string_view kFullWidthDigits[9] = {"１", "２", "３", "４", "５",
                                                         "６", "７", "８", "９"};

// Faces.
inline constexpr std::string_view kMincho = "ＭＳ 明朝";
inline constexpr std::string_view kGothic = "ＭＳ ゴシック";
inline constexpr std::string_view kVerticalMincho = "@ＭＳ 明朝";
inline constexpr std::string_view kVerticalGothic = "@ＭＳ ゴシック";

}  // namespace toq::reports::print::texts
