#pragma once
// The editing commands' own texts (UTF-8), kept in one place. Texts that go into a dialog are
// converted to CP932 where they are used, like every name they stand beside.

namespace toq::edit::texts {

// Guards of the arguments a front end passes in.
inline constexpr const char* kRowOutOfRange = "行番号が範囲外です。";
inline constexpr const char* kRoundOutOfRange = "回戦が範囲外です。";
inline constexpr const char* kPositionOutOfRange = "対局者の番号が範囲外です。";

// Opponents and byes.
inline constexpr const char* kOpponentDialogTitle = "%d回戦　%s  対戦相手の指定";
inline constexpr const char* kByeEntry = "（抜け番）";
inline constexpr const char* kMetSeparator = "--- 以下は過去に対戦済 ---";
inline constexpr const char* kMetTimes = "%-16s %d回";
inline constexpr const char* kOpponentNotFree = "相手が未定でありません。";
inline constexpr const char* kOwnOpponent = "自分自身を対戦相手にすることはできません。";
inline constexpr const char* kCancelByeQuestion = "%d回戦 %s 抜け番 の組み合わせを取り消しますか？";
inline constexpr const char* kCancelGameQuestion = "%d回戦 %s 対 %s の組み合わせを取り消しますか？";
inline constexpr const char* kCancelOtherQuestion = "%d回戦 %s %s の組み合わせを取り消しますか？";
inline constexpr const char* kAbsentWord = "休場";
inline constexpr const char* kUnknownWord = "（不明）";

// Results and handicaps.
inline constexpr const char* kResultCaption = "%s 対 %s";
inline constexpr const char* kResultLabel = "%d回戦の勝敗";
inline constexpr const char* kOpenGames = "結果の未入力は %d組";
inline constexpr const char* kBadResultChoice = "勝敗の指定が正しくありません。";
inline constexpr const char* kHandicapTitle = "%d回戦 %s 対 %s の手合割";
inline constexpr const char* kHandicapResultTitle = "%d回戦 %s 対 %s の手合割・勝敗";
inline constexpr const char* kBadHandicapChoice = "手合割・先後の指定が正しくありません。";
inline constexpr const char* kResultsComplete = "結果は入力済みです。";
inline constexpr const char* kRandomResultsQuestion = "%d回戦の結果を自動入力しますか？";
// Results named by the front end without the dialog (the venue server's pages).
inline constexpr const char* kNoGameBye = "%d回戦の%sは抜け番です。";
inline constexpr const char* kNoGameAbsent = "%d回戦の%sは休場です。";
inline constexpr const char* kNoGameYet = "%d回戦の%sはまだ組み合わせがありません。";
inline constexpr const char* kResultAlreadyEntered =
    "%d回戦 %s 対 %s の結果は入力済みです。変更は主催者に申し出てください。";

// Rounds.
inline constexpr const char* kNoPairedRound = "エラー kaisen=%d";
inline constexpr const char* kCancelRoundQuestion = "%d回戦の組み合わせを取り消しますか？";
inline constexpr const char* kCancelAllQuestion = "全ての組み合わせを取り消しますか？";
inline constexpr const char* kPairingsCancelled = "組み合わせを取り消しました。";
inline constexpr const char* kGamesRange = "%d から %d までの整数を入力してください。";
inline constexpr const char* kGamesBelowPaired = "組み合わせがあります。";
inline constexpr const char* kByesSameRow = "抜け番を入れ替えることができません。";
inline constexpr const char* kByesWithGames =
    "対局の組み合わせがあるため、抜け番を入れ替えることができません。";

// Participants.
inline constexpr const char* kRemoveWithPairingsQuestion =
    "対戦データがありますが、選択対局者 %s を削除しますか？\r\n勝敗は異常になります。";
inline constexpr const char* kRemoveQuestion = "選択対局者 %s を削除しますか？";
inline constexpr const char* kNotRegistered = "番号 %d の対局者は登録されていません。";
inline constexpr const char* kAlreadyParticipant = "%s はすでに対戦表にあります。";

// Players.
inline constexpr const char* kNameField = "氏名";
inline constexpr const char* kShortNameField = "省略名";
inline constexpr const char* kNotCp932 = "%sにシフトJISで表せない文字があります。";
inline constexpr const char* kEmptyName = "氏名を入力してください。";
inline constexpr const char* kSameName = "同名の登録があります。";
inline constexpr const char* kRegisterFull = "対局者の登録数が上限（%d人）に達しています。";
inline constexpr const char* kPlayerFileNotSaved = "対局者データを保存できませんでした(%s)。";
inline constexpr const char* kDeleteQuestion = "対局者(%s)のデータを削除しますか？";
inline constexpr const char* kDeleteCaption = "対局者データの削除";

}  // namespace toq::edit::texts
