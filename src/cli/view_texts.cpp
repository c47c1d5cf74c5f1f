#include "cli/view_texts.h"

#include <algorithm>

#include "pairing/standings.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::cli {

using data::Table;
using text::sj;

namespace {

// A player on several boards occupies consecutive rows; the record totals and the win rate of
// such a board group take at most five rows.
constexpr int kMaxGroupRows = 5;

bool samePlayer(const Table& table, int row, int other) {
  return table.validRow(row) && table.validRow(other) &&
         table.participants[row] == table.participants[other];
}

std::string recordText(int wins, int losses, int draws) {
  return draws > 0 ? text::format("%d-%d-%d", wins, losses, draws)
                   : text::format("%d-%d", wins, losses);
}

}  // namespace

std::string roundHeader(int round) {
  static const char* const kFullWidthDigits[9] = {"１", "２", "３", "４", "５",
                                                  "６", "７", "８", "９"};
  if (round >= 0 && round < 9) return sj(kFullWidthDigits[round]) + sj("回戦");
  return text::format("%d", round + 1) + sj("回戦");
}

std::string handicapMark(int handicap) {
  const char* piece = nullptr;
  switch (handicap < 0 ? -handicap : handicap) {
    case 1:
      piece = "香";
      break;
    case 2:
      piece = "角";
      break;
    case 3:
      piece = "飛";
      break;
    case 4:
      piece = "飛香";
      break;
    case 5:
      piece = "二";
      break;
    case 7:
      piece = "四";
      break;
    case 10:
      piece = "六";
      break;
    default:
      return " ";
  }
  return sj(piece) + sj(handicap > 0 ? "上" : "下");
}

std::string sideMark(int side) {
  switch (side) {
    case data::kSideFirst:
      return sj("先");
    case data::kSideSecond:
      return sj("後");
    case data::kSideUndecided:
      return sj("　");
    default:
      return {};
  }
}

std::string resultMark(int result) {
  switch (result) {
    case data::kWin:
      return sj("○");
    case data::kLoss:
      return sj("●");
    case data::kDraw:
      return sj("＝");
    default:
      return {};
  }
}

CellPair roundCell(const Table& table, int row, int round,
                   const std::vector<std::string>& shortNames) {
  if (!table.validRow(row) || !table.validRound(round) || round >= data::kMaxRounds) return {};
  const int code = table.opponent[row][round];
  if (code == data::kAbsent) return {sj("休場"), {}};
  const int other = table.opponentRow(row, round);
  if (other < 0 || table.participants[other] <= 0) return {};
  CellPair cell;
  if (static_cast<std::size_t>(other) < shortNames.size()) cell.first = shortNames[other];
  const int handicap = table.handicap[row][round];
  cell.second = handicapMark(handicap);
  if (handicap == 0) cell.second += sideMark(table.side[row][round]);
  cell.second += resultMark(table.result[row][round]);
  return cell;
}

StandingsCells standingsCells(const Table& table, int row, int round, bool winRateMode) {
  if (!table.validRow(row) || round >= data::kMaxRounds) return {};
  const bool complete = round >= 0;
  auto entry = [&](int r) { return complete ? table.standings[r][round] : data::StandingsEntry{}; };

  StandingsCells cells;
  const data::StandingsEntry own = entry(row);
  cells.record.first = recordText(own.wins, own.losses, own.draws);

  // The last row of a board group carries the group's totals.
  if (samePlayer(table, row, row - 1) && !samePlayer(table, row, row + 1)) {
    int wins = 0, losses = 0, draws = 0;
    for (int r = row; r > row - kMaxGroupRows && samePlayer(table, row, r); --r) {
      wins += entry(r).wins;
      losses += entry(r).losses;
      draws += entry(r).draws;
    }
    cells.record.second = sj("計 ") + recordText(wins, losses, draws);
  }

  if (winRateMode) {
    if (complete && !samePlayer(table, row, row - 1)) {
      int wins = 0, losses = 0;
      for (int r = row; r < row + kMaxGroupRows && samePlayer(table, row, r); ++r) {
        wins += entry(r).wins;
        losses += entry(r).losses;
      }
      if (wins + losses > 0) {
        const float rate = static_cast<float>(wins) / static_cast<float>(wins + losses);
        cells.rateOrSolkoff = text::format("%4.2f", static_cast<double>(rate));
      }
    }
  } else {
    cells.rateOrSolkoff = complete ? text::format("%3.1f", own.solkoff * 0.5) : "0";
  }

  if (own.rank > 0) cells.rank = text::format("%d", own.rank);
  return cells;
}

std::vector<GridLine> tableModeLines(Table& table, const data::Register& players,
                                     services::Services& ui) {
  const int rows = std::clamp(table.participantCount, 0, data::kMaxParticipants);
  const int rounds = std::clamp(table.numberOfGames, 0, data::kMaxRounds);

  const int completed = std::min(table.LastCompletedRound(), data::kMaxRounds - 1);
  const bool standingsKnown =
      completed < 0 || pairing::computeStandings(table, players, completed) == 0;
  const bool rateMode = table.AnyMultiEntry(players) != 0;

  std::vector<GridLine> lines;
  GridLine header = {"No.", sj("対局者")};
  for (int r = 0; r < rounds; ++r) header.push_back(roundHeader(r));
  header.push_back(sj("勝-敗-分"));
  header.push_back(sj(rateMode ? "勝率" : "ソルコフ"));
  header.push_back(sj("順位"));
  lines.push_back(std::move(header));

  // Each name is looked up once, and a short name only for a row that is someone's
  // opponent, so a missing player is reported once per lookup the view needs.
  std::vector<std::string> names(static_cast<std::size_t>(rows));
  std::vector<std::string> shortNames(static_cast<std::size_t>(rows));
  std::vector<bool> isOpponent(static_cast<std::size_t>(rows), false);
  for (int k = 0; k < rows; ++k) {
    names[k] = players.IndexToName(table.participants[k], ui);
    for (int r = 0; r < rounds; ++r)
      if (int o = table.opponentRow(k, r); o >= 0) isOpponent[o] = true;
  }
  for (int k = 0; k < rows; ++k)
    if (isOpponent[k] && table.participants[k] > 0)
      shortNames[k] = players.IndexToOmitName(table.participants[k], ui);

  int number = 1;
  for (int k = 0; k < rows; ++k) {
    GridLine first, second;
    if (k == 0 || names[k] != names[k - 1])
      first.push_back(text::format("%5d", number++));
    else
      first.emplace_back();
    second.emplace_back();

    first.push_back(names[k]);
    const data::Player* player = players.FindPlayer(table.participants[k]);
    second.push_back(player && player->rating != 0 ? text::format("%d", player->rating) : "");

    for (int r = 0; r < rounds; ++r) {
      CellPair cell = roundCell(table, k, r, shortNames);
      first.push_back(std::move(cell.first));
      second.push_back(std::move(cell.second));
    }

    StandingsCells standings;
    if (standingsKnown) standings = standingsCells(table, k, completed, rateMode);
    first.push_back(std::move(standings.record.first));
    second.push_back(std::move(standings.record.second));
    first.push_back(std::move(standings.rateOrSolkoff));
    first.push_back(std::move(standings.rank));

    lines.push_back(std::move(first));
    lines.push_back(std::move(second));
  }
  return lines;
}

std::vector<GridLine> playerModeLines(const data::Register& players) {
  std::vector<GridLine> lines;
  lines.push_back({"No.", sj("氏　名"), sj("省略名"), sj("レーティング"), sj("面数"), sj("プロ")});
  for (int p = 1; p <= players.count(); ++p) {
    const data::Player& player = players.at(p);
    lines.push_back({text::format("%5d", p), player.name, player.shortName,
                     player.rating != 0 ? text::format("%d", player.rating) : "",
                     text::format("%d", player.entries), player.professional ? sj("○") : ""});
  }
  return lines;
}

}  // namespace toq::cli
