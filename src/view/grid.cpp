#include "view/grid.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "pairing/standings.h"
#include "text/cp932.h"
#include "text/format.h"
#include "view/cells.h"

namespace toq::view {

using data::Table;
using text::sj;

namespace {

constexpr int kNameColumn = 1;
constexpr int kFirstRoundColumn = 2;

/// Discards the lookup messages when the window reports missing players once per fill.
class SilentServices final : public services::Services {
 public:
  void errorBox(std::string_view, std::string_view) override {}
  void warningBox(std::string_view, std::string_view) override {}
  void informationBox(std::string_view, std::string_view) override {}
  void statusMessage(std::string_view) override {}
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  void questionSound() override {}
  void defaultSound() override {}
  int openWithViewer(const std::filesystem::path&) override { return -1; }
};

/// Each row's board group: the first row holding the same player number. Several boards of one
/// player count as one player wherever meetings are counted.
std::array<int, data::kMaxRows> playerGroups(const Table& table) {
  std::array<int, data::kMaxRows> group{};
  for (int k = 0; k < table.rows(); ++k) {
    group[k] = k;
    for (int a = 0; a < k; ++a)
      if (table.participants[a] == table.participants[k]) {
        group[k] = a;
        break;
      }
  }
  return group;
}

/// Games between players, counted round by round: after add(r), count(k, j) is the number of
/// games between the players of rows k and j in rounds 0 to r.
class MeetingCounter {
 public:
  explicit MeetingCounter(const Table& table) : table_(table), group_(playerGroups(table)) {}

  void add(int round) {
    for (int a = 0; a < table_.rows(); ++a)
      if (int o = table_.opponentRow(a, round); o >= 0) ++counts_[group_[a]][group_[o]];
  }
  int count(int k, int j) const { return counts_[group_[k]][group_[j]]; }

 private:
  const Table& table_;
  std::array<int, data::kMaxRows> group_;
  std::array<std::array<int, data::kMaxRows>, data::kMaxRows> counts_{};
};

std::vector<Cell> blankLine(int columns, Rgb background) {
  return std::vector<Cell>(static_cast<std::size_t>(columns), Cell{{}, background, kBlack});
}

/// The background of a game's cell (both lines), or none when only the row colour applies.
std::optional<Rgb> gameBackground(const Table& table, const data::Register& players,
                                  const MeetingCounter& meetings, int k, int round) {
  if (table.opponent[k][round] == data::kBye) return kGrey;
  const int j = table.opponentRow(k, round);
  if (j < 0) return std::nullopt;
  const bool repeated = meetings.count(k, j) > 1;
  if (table.AmateurMeetsProfessional(k, j, players)) {
    if (repeated) return kYellow;
    const data::Player* pro = players.FindPlayer(table.participants[j]);
    return pro && pro->womanProfessional ? kPink : kGreen;
  }
  if (repeated) return kYellow;
  return std::nullopt;
}

}  // namespace

const Cell& Grid::at(int line, int column) const {
  static const Cell kEmpty;
  if (line < 0 || line >= rowCount() || column < 0) return kEmpty;
  const auto& cells = lines[static_cast<std::size_t>(line)];
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                         : kEmpty;
}

int defaultTableColumnWidth(int column) {
  return column == 0 ? 37 : column == 1 ? 110 : 70;
}

int meetingsUpTo(const Table& table, int k, int j, int round) {
  if (!table.validRow(k) || !table.validRow(j)) return 0;
  const int last = std::min(round, table.rounds() - 1);
  int n = 0;
  for (int a = 0; a < table.rows(); ++a) {
    if (table.participants[a] != table.participants[k]) continue;
    for (int r = 0; r <= last; ++r) {
      const int o = table.opponentRow(a, r);
      if (o >= 0 && (o == j || table.participants[o] == table.participants[j])) ++n;
    }
  }
  return n;
}

Grid tableGrid(Table& table, const data::Register& players, services::Services* lookupMessages) {
  SilentServices silent;
  services::Services& ui = lookupMessages ? *lookupMessages : silent;
  const int rows = table.rows();
  const int rounds = table.rounds();

  Grid grid;
  grid.coloured = true;
  const int completed = std::min(table.LastCompletedRound(), data::kMaxRounds - 1);
  const bool standingsKnown =
      completed < 0 || pairing::computeStandings(table, players, completed) == 0;
  grid.standingsRound = completed;
  grid.winRateMode = table.AnyMultiEntry(players) != 0;

  grid.columns.push_back({"No.", 0});
  grid.columns.push_back({sj("対局者"), 0});
  for (int r = 0; r < rounds; ++r) grid.columns.push_back({roundHeader(r), 0});
  grid.columns.push_back({sj("勝-敗-分"), 0});
  grid.columns.push_back({sj(grid.winRateMode ? "勝率" : "ソルコフ"), 0});
  grid.columns.push_back({sj("順位"), 0});
  const int columns = grid.columnCount();
  for (int c = 0; c < columns; ++c) grid.columns[c].width = defaultTableColumnWidth(c);
  const int recordColumn = kFirstRoundColumn + rounds;

  // Each name is looked up once, and a short name only for a row that is someone's opponent,
  // so a missing player is reported once per lookup the view needs.
  std::vector<std::string> names(static_cast<std::size_t>(rows));
  std::vector<std::string> shortNames(static_cast<std::size_t>(rows));
  std::vector<bool> isOpponent(static_cast<std::size_t>(rows), false);
  std::set<int> missing;
  for (int k = 0; k < rows; ++k) {
    names[k] = players.IndexToName(table.participants[k], ui);
    if (!players.FindPlayer(table.participants[k])) missing.insert(table.participants[k]);
    for (int r = 0; r < rounds; ++r)
      if (int o = table.opponentRow(k, r); o >= 0) isOpponent[o] = true;
  }
  for (int k = 0; k < rows; ++k)
    if (isOpponent[k] && table.participants[k] > 0)
      shortNames[k] = players.IndexToShortName(table.participants[k], ui);
  grid.missingPlayers.assign(missing.begin(), missing.end());

  grid.lines.reserve(static_cast<std::size_t>(2 * rows));
  int number = 1;
  for (int k = 0; k < rows; ++k) {
    const Rgb rowColour = k % 2 == 1 ? kPaleBlue : kWhite;
    auto first = blankLine(columns, rowColour);
    auto second = blankLine(columns, rowColour);

    if (k == 0 || names[k] != names[k - 1]) first[0].text = text::format("%5d", number++);

    const data::Player* player = players.FindPlayer(table.participants[k]);
    first[kNameColumn].text = names[k];
    if (player && player->professional) first[kNameColumn].background = kGreen;
    if (player && player->womanProfessional) first[kNameColumn].background = kPink;
    if (player && player->rating != 0)
      second[kNameColumn].text = text::format("%d", player->rating);
    second[kNameColumn].foreground = kBlue;

    for (int r = 0; r < rounds; ++r) {
      CellPair cell = roundCell(table, k, r, shortNames);
      first[kFirstRoundColumn + r].text = std::move(cell.first);
      second[kFirstRoundColumn + r].text = std::move(cell.second);
      if (!data::hasResult(table.result[k][r])) second[kFirstRoundColumn + r].foreground = kBlue;
    }

    StandingsCells standings;
    if (standingsKnown) standings = standingsCells(table, k, completed, grid.winRateMode);
    first[recordColumn].text = std::move(standings.record.first);
    second[recordColumn].text = std::move(standings.record.second);
    second[recordColumn].foreground = kBlue;
    first[recordColumn + 1].text = std::move(standings.rateOrSolkoff);
    first[recordColumn + 2].text = std::move(standings.rank);

    grid.lines.push_back(std::move(first));
    grid.lines.push_back(std::move(second));
  }

  // Game colours need the meetings up to each round: counted once, round by round.
  MeetingCounter meetings(table);
  for (int r = 0; r < rounds; ++r) {
    meetings.add(r);
    for (int k = 0; k < rows; ++k)
      if (auto colour = gameBackground(table, players, meetings, k, r)) {
        grid.lines[2 * k][kFirstRoundColumn + r].background = *colour;
        grid.lines[2 * k + 1][kFirstRoundColumn + r].background = *colour;
      }
  }
  return grid;
}

Grid playerGrid(const data::Register& players) {
  static constexpr int kWidths[9] = {40, 120, 60, 80, 40, 50, 40, 80, 80};
  const char* const headers[9] = {"No.", "氏　名", "省略名", "レーティング", "面数", "プロ",
                                  "",    "",       ""};
  Grid grid;
  for (int c = 0; c < 9; ++c) grid.columns.push_back({sj(headers[c]), kWidths[c]});
  grid.lines.reserve(static_cast<std::size_t>(players.count()));
  for (int p = 1; p <= players.count(); ++p) {
    const data::Player& player = players.at(p);
    auto line = blankLine(9, kWhite);
    line[0].text = text::format("%5d", p);
    line[1].text = player.name;
    line[2].text = player.shortName;
    if (player.rating != 0) line[3].text = text::format("%d", player.rating);
    line[4].text = text::format("%d", player.entries);
    if (player.professional) line[5].text = sj("○");
    grid.lines.push_back(std::move(line));
  }
  return grid;
}

}  // namespace toq::view
