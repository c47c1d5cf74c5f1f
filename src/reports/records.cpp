#include "reports/records.h"

#include <algorithm>
#include <charconv>

#include "pairing/standings.h"
#include "text/cp932.h"

namespace toq::reports {

int rowsOf(const data::Table& table) {
  return std::clamp(table.participantCount, 0, data::kMaxRows);
}

int roundsOf(const data::Table& table) {
  return std::clamp(table.numberOfGames, 0, data::kMaxRounds);
}

int opponentOf(const data::Table& table, int row, int round) {
  if (row < 0 || row >= rowsOf(table) || round < 0 || round >= data::kMaxRounds) return -1;
  const int o = table.opponent[row][round];
  return (o >= 0 && o < rowsOf(table)) ? o : -1;
}

int standingsRound(data::Table& table, const data::Register& players) {
  const pairing::ShownStandings shown = pairing::computeShownStandings(table, players);
  return shown.known ? shown.round : -1;
}

bool samePlayer(const data::Table& table, int a, int b) {
  return table.validRow(a) && table.validRow(b) && a < data::kMaxRows && b < data::kMaxRows &&
         table.participants[a] == table.participants[b];
}

bool continuesGroup(const data::Table& table, int row) {
  return samePlayer(table, row - 1, row);
}

bool closesGroup(const data::Table& table, int row) {
  return continuesGroup(table, row) && !samePlayer(table, row, row + 1);
}

Record ownRecord(const data::Table& table, int row, int m) {
  Record r;
  r.rows = 1;
  if (m < 0 || m >= data::kMaxRounds || row < 0 || row >= data::kMaxRows) return r;
  const data::StandingsEntry& e = table.standings[row][m];
  r.wins = e.wins;
  r.losses = e.losses;
  r.draws = e.draws;
  return r;
}

Record groupRecord(const data::Table& table, int row, int m, int step) {
  Record sum = ownRecord(table, row, m);
  for (int k = 1; k <= 4; ++k) {
    const int other = row + k * step;
    if (!samePlayer(table, row, other)) continue;
    const Record r = ownRecord(table, other, m);
    sum.wins += r.wins;
    sum.losses += r.losses;
    sum.draws += r.draws;
    sum.rows += 1;
  }
  return sum;
}

std::string winRateText(const Record& record) {
  const long long decided = static_cast<long long>(record.wins) + record.losses;
  if (decided == 0) return {};
  const double rate = static_cast<double>(record.wins) / static_cast<double>(decided);
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed, 2);
  if (ec != std::errc()) return {};
  return text::padLeft(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), 4);
}

}  // namespace toq::reports
