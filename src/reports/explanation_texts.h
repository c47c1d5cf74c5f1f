#pragma once
// The literal texts of the explanation of a round's pairing (UTF-8; converted to CP932 where
// they enter the text).

namespace toq::reports::texts {

inline constexpr const char* kExplanationFile = "%d回戦組み合わせの説明.txt";
inline constexpr const char* kExplainTitle = "%d回戦の組み合わせの説明";
inline constexpr const char* kExplainRule = "========================================";
inline constexpr const char* kExplainNoGame = "%d回戦には対局がありません。";

// The verdict.
inline constexpr const char* kVerdictReproduced =
    "判定: この回戦の組み合わせは、プログラムが組み合わせたとおりです（全%d局）。";
inline constexpr const char* kVerdictDiffers =
    "判定: プログラムの組み合わせと異なる対局が%d局あります。手で設定・変更された組み合わせか、"
    "組み合わせの後で前の回戦の勝敗や参加者が変わったものです。";
inline constexpr const char* kVerdictOnlyUnpaired =
    "判定: "
    "組み合わせた対局はすべてプログラムの組み合わせと一致しますが、相手が未定の行が%d行あります。";
inline constexpr const char* kVerdictRowsUnpaired = "  相手が未定の行が%d行あります。";
inline constexpr const char* kVerdictUnpaired =
    "判定: プログラムではこの回戦を組み合わせられません。組み合わせは手で設定されたものです。";
inline constexpr const char* kVerdictHowTried =
    "  前の回戦までの対戦表から組み合わせ直して比べました（設定の組み合わせ %d通り）。";
inline constexpr const char* kVerdictClosest =
    "  次の設定でのプログラムの組み合わせが最も近いものです。";
inline constexpr const char* kOptionsLine =
    "  設定: 棋士と２度対局可能 %s／女流棋士と２度対局可能 %s／手合割を六枚落ちまで %s";
inline constexpr const char* kOptionsAffiliation =
    "  設定: 同じ所属どうしを避ける オン（この設定で変わった対局 %d局）";
inline constexpr const char* kOn = "オン";
inline constexpr const char* kOff = "オフ";
inline constexpr const char* kMethodAttempt = "  方法: %d回目の抽選で組み合わせました。";
inline constexpr const char* kMethodAttemptPrePass =
    "  方法: %d回目の抽選で、点数の低いグループから先に組み合わせる手順を加えて組み合わせました。";
inline constexpr const char* kMethodProfessionalSearch =
    "  方法: 抽選では棋士を組み合わせられず、棋士を含む全組み合わせの探索で組み合わせました。";
inline constexpr const char* kMethodExhaustive =
    "  方法: 抽選では組み合わせられず、全組み合わせの探索で点数差の合計が最も小さい組み合わせを"
    "選びました。";
inline constexpr const char* kProfessionalGames = "  棋士の組み合わせ: %d局";
inline constexpr const char* kProfessionalRelaxed =
    "  棋士の組み合わせ: %d局（うち%d局は再戦を認める緩和した手順で）";
inline constexpr const char* kSideRuleNone = "  先後・手合割: 決めていません";
inline constexpr const char* kSideRuleBalance = "  先後: これまでの先手・後手の回数で決めました";
inline constexpr const char* kSideRuleHandicaps = "  先後・手合割: レーティングの差から決めました";
inline constexpr const char* kStandingsIncomplete =
    "  注意: 前の回戦に勝敗の未入力があるため、点数と順位は不完全です。";

// The round.
inline constexpr const char* kSummaryHead = "［回戦の概要］";
inline constexpr const char* kScoreGroups = "  点数グループ: ";
inline constexpr const char* kScoreGroup = "%s点 %d人";
inline constexpr const char* kListSeparator = "、";
inline constexpr const char* kFloats = "  点数の違う対局（上下の移動）: %d局";
inline constexpr const char* kRepeats = "  再戦: %d局";
inline constexpr const char* kProfessionalBoards = "  棋士の対局: %d局";
inline constexpr const char* kByes = "  抜け番: ";
inline constexpr const char* kAbsent = "  欠席: ";
inline constexpr const char* kUnpaired = "  相手未定: ";
inline constexpr const char* kRowName = "%d. %s";
inline constexpr const char* kNobody = "なし";
inline constexpr const char* kUnknownPlayer = "番号%d";

// A board.
inline constexpr const char* kBoardHead = "第%d局  %d. %s  対  %d. %s";
inline constexpr const char* kBoardReproduced = "  プログラムの組み合わせと一致します。";
inline constexpr const char* kBoardDiffers =
    "  プログラムの組み合わせと異なります（手で設定・変更）。";
inline constexpr const char* kProgramPairs =
    "  プログラムの組み合わせでは %d. %s の相手は %s です。";
inline constexpr const char* kProgramNobody = "未定";
inline constexpr const char* kProgramBye = "抜け番";
inline constexpr const char* kPlayerLine = "  %d. %s: %s点（%s）";
inline constexpr const char* kRank = "%d位";
inline constexpr const char* kNoRank = "順位なし";
inline constexpr const char* kProfessional = "、棋士";
inline constexpr const char* kWomanProfessional = "、女流棋士";
inline constexpr const char* kAgainstProfessionals = "、棋士と%d局";
inline constexpr const char* kAgainstWomen = "（うち女流棋士と%d局）";
inline constexpr const char* kMoves = "、先手%d回・後手%d回";
inline constexpr const char* kLastSide = "、前局%s";
inline constexpr const char* kFloatUp =
    "  点数: %s が上のグループへ、%s が下のグループへ移動した対局です。";
inline constexpr const char* kSameGroup = "  点数: 同じ点数グループの対局です。";
inline constexpr const char* kMeetingAgain = "  再戦: %d回目の対局です。%s";
inline constexpr const char* kMeetingRelaxed =
    "棋士の組み合わせで相手が見つからず、再戦を認める緩和した手順で組み合わせました（設定: "
    "棋士と２度対局可能）。";
inline constexpr const char* kMeetingProfessionalSearch =
    "棋士を含む全組み合わせの探索が再戦を認めました（設定: 棋士と２度対局可能）。";
inline constexpr const char* kBoardMovedByAffiliation =
    "  所属: 同じ所属どうしを避ける設定によって、設定なしの組み合わせから変わった対局です。";
inline constexpr const char* kBoardSameAffiliation = "  所属: 同じ所属（%s）どうしの対局です。";
inline constexpr const char* kMeetingByHand = "手で設定された組み合わせです。";
inline constexpr const char* kMeetingUnexplained = "プログラムの決まりでは説明できません。";

// Sides.
inline constexpr const char* kSideUndecided = "  先後: 未定";
inline constexpr const char* kSideBalance =
    "  先後: %s が先手（先手の回数から後手の回数を引いた数が少ない方が先手）";
inline constexpr const char* kSideCoin = "  先後: %s が先手（先手・後手の回数の差が同じため抽選）";
inline constexpr const char* kSideHandicap = "  先後: 下手の %s が先手";
inline constexpr const char* kSideStronger =
    "  先後: %s が先手（平手はレーティングの高い方が後手）";
inline constexpr const char* kSideLaterRow =
    "  先後: %s が先手（レーティングが同じため、後の行の対局者が先手）";
inline constexpr const char* kSideNoRating =
    "  先後: 未定（レーティングのない対局者がいるため決めていません）";
inline constexpr const char* kSideByHand = "  先後: %s が先手（手で設定・変更）";
inline constexpr const char* kSideUndecidedByHand = "  先後: 未定（手で設定・変更）";

// Handicaps.
inline constexpr const char* kHandicapEven = "  手合割: 平手";
inline constexpr const char* kHandicapRating = "  手合割: %s（上手 %s、レーティング差 %d）";
inline constexpr const char* kHandicapRatingEven = "  手合割: 平手（レーティング差 %d は100未満）";
inline constexpr const char* kHandicapNoRating =
    "  手合割: 平手（レーティングのない対局者がいます）";
inline constexpr const char* kHandicapByHand = "  手合割: %s（手で設定・変更。レーティング差 %d）";

// Sides in a word.
inline constexpr const char* kFirstMove = "先手";
inline constexpr const char* kSecondMove = "後手";
inline constexpr const char* kNoSide = "未定";
inline constexpr const char* kNoGameBefore = "なし";

}  // namespace toq::reports::texts
