#pragma once
// The literal texts of the file layer: file headers, labels and messages (UTF-8; the file
// texts are converted to CP932 when written).

namespace toq::data::texts {

/// Product short name and version as the file headers carry them.
inline constexpr char kProduct[] = "TOQ";
inline constexpr char kProductVersion[] = "V0.60";
inline constexpr char kVersion[] = "0.60";

/// Player file header lines.
inline constexpr char kPlayerFileTitle[] = "# %s %s 参加者データ";
inline constexpr char kVersionLine[] = "$バージョン  :%s";

/// Table file header lines and the labels the reader looks for after the "$".
inline constexpr char kTableFileTitle[] = "# %s %s 対戦表データ";
inline constexpr char kCountLine[] = "$人数        :%d";
inline constexpr char kGamesLine[] = "$回戦数      :%d";
inline constexpr char kLockLine[] = "$変更禁止    :%d";
inline constexpr char kGamesLabel[] = "回戦数";
inline constexpr char kLockLabel[] = "変更禁止";
inline constexpr char kCountLabel[] = "人数";

/// Name list: the line that sets the number of games.
inline constexpr char kNameListGames[] = "$試合数：";
/// Title a table built by the import gets.
inline constexpr char kImportTitle[] = "test";

/// CSV wall chart.
inline constexpr char kCsvRankLabel[] = "順位";
inline constexpr char kCsvNameLabel[] = "氏　名";
inline constexpr char kCsvFirstMove[] = "先";
inline constexpr char kCsvOtherSide[] = "　";
inline constexpr char kCsvBye[] = "－";

/// Messages.
inline constexpr char kTableSaved[] = "%s を保存しました。%d人";
inline constexpr char kTableNotSaved[] = "データを保存できませんでした(%s)。";
inline constexpr char kTableNotRead[] = "データを読み込めませんでした(%s)。";
inline constexpr char kCsvNotSaved[] = "CSVデータを保存できませんでした(%s)。";
/// What the readers say of a line they cannot take.
inline constexpr char kBrokenRecord[] = "対局者の記録として読めません";
inline constexpr char kRegisterOverflow[] = "対局者が%d人を超えています";
inline constexpr char kBrokenRow[] = "対戦表の行として読めません（対局者番号がありません）";
inline constexpr char kTooManyRows[] = "対戦表の行が99行を超えています";
inline constexpr char kBadGames[] = "回戦数は1から32までです";
inline constexpr char kCountMismatch[] = "人数が%dと書かれていますが、行は%d行です";
/// Standard output of the import (as the import has always reported).
inline constexpr char kNoName[] = "名前がない\n";
inline constexpr char kImportReadError[] = "読み込みエラー(%s)\a\n";
/// Standard error of the import, followed by the line number.
inline constexpr char kNoClosingQuote[] = "名前の閉じる引用符がありません: ";
inline constexpr char kGamesOutOfRange[] = "試合数は1から32までです: ";
/// A name list's line that the stored-text rule refuses: its number, then why.
inline constexpr char kRefusedLine[] = "%d行目: %s";
inline constexpr char kNameField[] = "氏名";

}  // namespace toq::data::texts
