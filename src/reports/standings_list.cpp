#include "reports/standings_list.h"

#include <algorithm>
#include <utility>

#include "pairing/standings.h"
#include "reports/records.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports {

namespace {

constexpr std::string_view kWithdrawn = "（棄権）";

// The columns after the name and affiliation, and the rule that broke the ties, in the order
// the ranking compares them.
constexpr std::string_view kScoreHeadings[6] = {"勝-敗-分", "勝点",         "ソルコフ",
                                                "勝者得点", "修正勝者得点", "同点の決め手"};
constexpr std::string_view kRateHeadings[4] = {"勝-敗-分", "勝率", "勝敗局数", "同率の決め手"};
constexpr std::string_view kScoreRule =
    "同点の順位は ソルコフ → 勝者得点 → 修正勝者得点 → 直接対決 → 表の順 で決めています。"
    "勝点は勝ち1・引き分け0.5です。";
constexpr std::string_view kRateRule =
    "複数面指す棋士がいるため勝率（引き分けを除く）で順位を決めています。"
    "同率の順位は 勝敗局数（多い方が上位）→ 同順位 です。";
constexpr std::string_view kSolkoff = "ソルコフ";
constexpr std::string_view kBeaten = "勝者得点";
constexpr std::string_view kTrimmed = "修正勝者得点";
constexpr std::string_view kHeadToHead = "直接対決";
constexpr std::string_view kTableOrder = "表の順";
constexpr std::string_view kDecided = "勝敗局数";
constexpr std::string_view kBoards = "面 計 ";
constexpr const char* kFinal = "最終成績（全%d回戦）";
constexpr const char* kAfterRound = "成績表（%d回戦終了時点）";
constexpr std::string_view kNone = "成績表";

std::string points(int halfPoints) {
  return text::format("%.1f", halfPoints * 0.5);
}

std::string recordText(const Record& r) {
  return r.draws > 0 ? text::format("%d-%d-%d", r.wins, r.losses, r.draws)
                     : text::format("%d-%d", r.wins, r.losses);
}

bool beat(const data::Table& table, int row, int other, int m) {
  for (int j = 0; j <= m; ++j)
    if (opponentOf(table, row, j) == other && table.result[row][j] == data::kWin) return true;
  return false;
}

// What placed `upper` before `lower` when both have the same score.
std::string_view scoreKey(const data::Table& table, int upper, int lower, int m) {
  const data::StandingsEntry& a = table.standings[upper][m];
  const data::StandingsEntry& b = table.standings[lower][m];
  if (a.score != b.score) return {};
  if (a.solkoff != b.solkoff) return kSolkoff;
  if (a.beaten != b.beaten) return kBeaten;
  if (a.trimmed != b.trimmed) return kTrimmed;
  return beat(table, upper, lower, m) ? kHeadToHead : kTableOrder;
}

void scoreValues(const data::Table& table, StandingsLine& line, int m) {
  const data::StandingsEntry& e = table.standings[line.row][m];
  line.values = {recordText(ownRecord(table, line.row, m)), points(e.score), points(e.solkoff),
                 points(e.beaten), points(e.trimmed)};
}

void rateValues(const data::Table& table, StandingsLine& line, int m) {
  const Record group = groupRecord(table, line.row, m, +1);
  std::string record = recordText(group);
  if (group.rows > 1) record = text::format("%d", group.rows) + text::sj(kBoards) + record;
  line.values = {record, winRateText(group), text::format("%d", group.wins + group.losses)};
}

// The ranked rows in rank order; rows that share a rank keep the table's order.
std::vector<std::pair<int, int>> rankOrder(const data::Table& table, int m) {
  std::vector<std::pair<int, int>> ranked;
  for (int row = 0; row < rowsOf(table); ++row)
    if (const int rank = table.standings[row][m].rank; rank > 0) ranked.emplace_back(rank, row);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return ranked;
}

}  // namespace

StandingsList standingsList(data::Table& table, const data::Register& players, int round) {
  StandingsList list;
  list.winRateMode = pairing::winRateMode(table, players);
  list.rule = list.winRateMode ? kRateRule : kScoreRule;
  if (list.winRateMode)
    list.headings.assign(std::begin(kRateHeadings), std::end(kRateHeadings));
  else
    list.headings.assign(std::begin(kScoreHeadings), std::end(kScoreHeadings));
  const int m = round < 0 ? std::min(table.LastCompletedRound(), data::kMaxRounds - 1) : round;
  if (m < 0 || m > table.LastCompletedRound() || m >= roundsOf(table) ||
      pairing::computeStandings(table, players, m) != 0)
    return list;
  list.round = m;
  for (const auto& [rank, row] : rankOrder(table, m)) {
    StandingsLine line;
    line.rank = rank;
    line.row = row;
    if (const data::Player* p = players.FindPlayer(table.participants[row])) {
      line.name = p->name;
      line.affiliation = p->affiliation;
    }
    // A player who left keeps the place their games gave, marked.
    if (data::withdrawnFrom(table, row) >= 0) line.name += text::sj(kWithdrawn);
    if (list.winRateMode)
      rateValues(table, line, m);
    else
      scoreValues(table, line, m);
    list.lines.push_back(std::move(line));
  }
  for (std::size_t i = 0; i + 1 < list.lines.size(); ++i) {
    StandingsLine& upper = list.lines[i];
    const StandingsLine& lower = list.lines[i + 1];
    std::string_view key;
    if (!list.winRateMode)
      key = scoreKey(table, upper.row, lower.row, m);
    else if (upper.rank != lower.rank && upper.values[1] == lower.values[1])
      key = kDecided;
    if (!key.empty()) upper.decidedBy = text::sj(key);
  }
  return list;
}

std::string standingsCaption(const data::Table& table, const StandingsList& list) {
  if (list.round < 0) return std::string(kNone);
  if (list.round + 1 >= roundsOf(table)) return text::format(kFinal, list.round + 1);
  return text::format(kAfterRound, list.round + 1);
}

}  // namespace toq::reports
