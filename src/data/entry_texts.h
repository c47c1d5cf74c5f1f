#pragma once
// Messages of the entry list's reader (UTF-8).

namespace toq::data::texts {

inline constexpr char kLinePrefix[] = "%d行目: %s";
inline constexpr char kSheetNotText[] = "%d行目: 文字コードがUTF-8でもShift-JISでもありません";
inline constexpr char kSheetNoName[] =
    "見出しの行に氏名の列（氏名・名前・お名前・name）がありません。どの列が氏名かを選んでください"
    "（toq-cli では --column 氏名=列番号）";
inline constexpr char kSheetEmpty[] = "申込一覧に行がありません";
inline constexpr char kEntryNoName[] = "%d行目: 氏名がありません";
inline constexpr char kEntryNotNumber[] = "%d行目: %s「%s」が数ではありません";
inline constexpr char kEntryBoards[] = "%d行目: 同時対局数「%s」は1から99までです";
inline constexpr char kEntryStandIn[] =
    "%d行目: %s「%s」はShift-JISで表せない文字を代えて「%s」として登録します（%s）";
inline constexpr char kEntryGradeUnknown[] = "%d行目: 段級「%s」のレーティングが決まっていません";

/// Field names as the messages name them.
inline constexpr char kFieldName[] = "氏名";
inline constexpr char kFieldShortName[] = "省略名";
inline constexpr char kFieldAffiliation[] = "所属";
inline constexpr char kFieldReading[] = "ふりがな";
inline constexpr char kFieldRating[] = "レーティング";
inline constexpr char kFieldBoards[] = "同時対局数";

}  // namespace toq::data::texts
