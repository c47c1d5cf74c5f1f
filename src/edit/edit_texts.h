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
inline constexpr const char* kResultConfirmed = "確認しました";
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

// A round's result sheet.
inline constexpr const char* kSheetTitle = "%d回戦";
inline constexpr const char* kSheetSide = "%s手";
inline constexpr const char* kSheetPlayerWins = "%s 勝ち";
inline constexpr const char* kSheetDraw = "引き分け";
inline constexpr const char* kSheetNoResult = "未入力";
inline constexpr const char* kSheetBye = "抜け番";
inline constexpr const char* kSheetAbsent = "休場";

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
inline constexpr const char* kAffiliationField = "所属";
inline constexpr const char* kEmptyName = "氏名を入力してください。";
inline constexpr const char* kSameName = "同名の登録があります。";
inline constexpr const char* kRegisterFull = "対局者の登録数が上限（%d人）に達しています。";
inline constexpr const char* kPlayerFileNotSaved = "対局者データを保存できませんでした(%s)。";
inline constexpr const char* kDeleteQuestion = "対局者(%s)のデータを削除しますか？";
inline constexpr const char* kDeleteCaption = "対局者データの削除";

// Files: what is not saved, what another program changed, a new event.
inline constexpr const char* kTableNotOnFile = "対戦表はまだファイルに保存されていません。";
inline constexpr const char* kPlayersNotOnFile = "名簿はまだファイルに保存されていません。";
inline constexpr const char* kNoFileNamed =
    "保存先のファイルが指定されていません。対戦表ファイルを指定してください。";
inline constexpr const char* kTableReread =
    "対戦表ファイルが他のプログラムで変更されていたため、読み直しました。";
inline constexpr const char* kPlayersReread =
    "対局者ファイルが他のプログラムで変更されていたため、読み直しました。";
inline constexpr const char* kBothReread =
    "対戦表ファイルと対局者ファイルが他のプログラムで変更されていたため、読み直しました。";
inline constexpr const char* kTableVanished =
    "対戦表ファイル(%s)が見つかりません。対戦表は保存されないまま残っています。";
inline constexpr const char* kPlayersVanished =
    "対局者ファイル(%s)が見つかりません。名簿は保存されないまま残っています。";
inline constexpr const char* kTableUnreadable =
    "対戦表ファイル(%s)を読めません。対戦表は保存されないまま残っています。";
inline constexpr const char* kPlayersUnreadable =
    "対局者ファイル(%s)を読めません。名簿は保存されないまま残っています。";
inline constexpr const char* kTableConflict =
    "対戦表ファイル(%s)が他のプログラムで変更されていますが、保存されていない変更があるため"
    "読み直しませんでした。次の保存で上書きされます（前の内容は .bak に残ります）。";
inline constexpr const char* kPlayersConflict =
    "対局者ファイル(%s)が他のプログラムで変更されていますが、保存されていない変更があるため"
    "読み直しませんでした。次の保存で上書きされます（前の内容は .bak に残ります）。";
inline constexpr const char* kPlayerFileUnread = "対局者ファイル(%s)を読み込めませんでした。";
/// A change refused, and a save not made, while a file of the event did not read whole.
inline constexpr const char* kRefusedNotWhole =
    "%s\nファイルを直すか、バックアップ（.bak）を開いてください。";
inline constexpr const char* kNotWrittenNotWhole =
    "%s\nファイルを壊さないよう、保存しませんでした。";
inline constexpr const char* kNoEventFile = "対戦表ファイルを指定してください。";
inline constexpr const char* kDiscardQuestion =
    "ファイルに保存されていない対戦表または名簿があります。破棄して新しい対戦表を作りますか？";
inline constexpr const char* kNewEventMade = "新しい対戦表(%s)を作りました。";
inline constexpr const char* kEventSaved = "対戦表(%s)と名簿を保存しました。";

// Undo and redo: the menu texts and the status messages.
inline constexpr const char* kUndo = "元に戻す";
inline constexpr const char* kRedo = "やり直し";
inline constexpr const char* kUndoMnemonic = "元に戻す(&U)";
inline constexpr const char* kRedoMnemonic = "やり直し(&R)";
inline constexpr const char* kVerbAndLabel = "%s: %s";
inline constexpr const char* kUndone = "元に戻しました: %s";
inline constexpr const char* kRedone = "やり直しました: %s";
inline constexpr const char* kUndoneStep = "元に戻す: %s";
inline constexpr const char* kRedoneStep = "やり直し: %s";
// The event's journal.
inline constexpr const char* kJournalUnusable =
    "履歴ファイル %s を使えません（%s）。対戦表はこれまでどおり保存されます。";
inline constexpr const char* kJournalSetAside =
    "履歴ファイルが壊れていたため %s に移し、新しい履歴を始めました。";
inline constexpr const char* kJournalNone = "この対戦表には履歴がありません。";
inline constexpr const char* kJournalNoStep = "履歴に %lld 番の記録はありません。";
inline constexpr const char* kJournalStepUnreadable = "履歴 %lld 番の状態を読めません。";

// Labels of the undo steps: each names the command that changed the table or the register.
inline constexpr const char* kLabelPairingOf = "%d回戦の組み合わせ";
inline constexpr const char* kLabelPairing = "組み合わせ";
inline constexpr const char* kLabelResult = "結果の入力";
inline constexpr const char* kLabelResultOf = "%d回戦 第%d局 %s–%s の結果";
inline constexpr const char* kLabelResultSheetOf = "%d回戦の結果の一括入力";
inline constexpr const char* kLabelHandicap = "手合割の設定";
inline constexpr const char* kLabelHandicapAndResult = "手合割・先後・勝敗の入力";
inline constexpr const char* kLabelRandomResults = "結果の自動入力";
inline constexpr const char* kLabelRepeatedTest = "繰り返し組み合わせのテスト";
inline constexpr const char* kLabelOpponent = "対戦相手の入力";
inline constexpr const char* kLabelBye = "抜け番";
inline constexpr const char* kLabelCancelPairing = "組み合わせの取り消し";
inline constexpr const char* kLabelCancelRoundOf = "%d回戦の組み合わせの取り消し";
inline constexpr const char* kLabelCancelAll = "全ての組み合わせの取り消し";
inline constexpr const char* kLabelExchangeByes = "抜け番の入れ替え";
inline constexpr const char* kLabelSitOut = "休場";
inline constexpr const char* kLabelWithdraw = "棄権";
inline constexpr const char* kLabelTakeBackAbsence = "休場・棄権の取り消し";
inline constexpr const char* kLabelSortByRating = "レーティング順の並べ替え";
inline constexpr const char* kLabelAddParticipant = "参加者の追加";
inline constexpr const char* kLabelRemoveParticipant = "参加者の削除";
inline constexpr const char* kLabelNumberOfGames = "試合数の変更";
inline constexpr const char* kLabelLock = "変更禁止の設定";
inline constexpr const char* kLabelUnlock = "変更禁止の解除";
inline constexpr const char* kLabelRegisterPlayer = "対局者の新規登録";
inline constexpr const char* kLabelEditPlayer = "対局者データの編集";
inline constexpr const char* kLabelDeletePlayers = "対局者データの削除";
inline constexpr const char* kLabelImport = "名簿の取り込み";
inline constexpr const char* kLabelOtherProgram = "他のプログラムによる変更";
inline constexpr const char* kLabelDisagreement = "結果の食い違い: %s";
inline constexpr const char* kLabelSettled = "食い違いの解消: %s";
inline constexpr const char* kLabelJournalStart = "記録の開始";
inline constexpr const char* kLabelRestoreOf = "履歴 %lld の時点に戻す";
inline constexpr const char* kLabelWin = "%d回戦 %s 対 %s: %s の勝ち";
inline constexpr const char* kLabelDraw = "%d回戦 %s 対 %s: 引き分け";
inline constexpr const char* kLabelCleared = "%d回戦 %s 対 %s: 結果の取り消し";
inline constexpr const char* kLabelOtherResult = "%d回戦 %s 対 %s: %s";

}  // namespace toq::edit::texts
