#include "view/grid.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "data/short_names.h"
#include "pairing/standings.h"
#include "services/quiet_services.h"
#include "text/cp932.h"
#include "text/format.h"
#include "view/cells.h"
#include "view/game_mark.h"
#include "view/layout.h"
#include "view/texts.h"

namespace toq::view {

using data::Table;
using text::sj;

namespace {

std::vector<Cell> blankLine(int columns, Rgb background) {
  return std::vector<Cell>(static_cast<std::size_t>(columns), Cell{{}, background, kBlack});
}

/// The screen's colour of a game mark (both lines of the cell), or none when only the row
/// colour applies.
std::optional<Rgb> screenColour(GameMark mark) {
  switch (mark) {
    case GameMark::Bye:
      return kGrey;
    case GameMark::SecondMeeting:
      return kYellow;
    case GameMark::WomanProfessional:
      return kPink;
    case GameMark::Professional:
      return kGreen;
    case GameMark::WomanByNameOnly:
    case GameMark::None:
      break;
  }
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
  return column == kNumberColumn ? 37 : column == kNameColumn ? 110 : 70;
}

namespace {

// The table's columns: number, name, one per round, record, Solkoff score or win rate, rank.
void addTableColumns(Grid& grid, int rounds) {
  grid.columns.push_back({"No.", 0});
  grid.columns.push_back({sj("対局者"), 0});
  for (int r = 0; r < rounds; ++r) grid.columns.push_back({roundHeader(r), 0});
  grid.columns.push_back({sj("勝-敗-分"), 0, texts::kRecordTip});
  grid.columns.push_back({sj(grid.winRateMode ? "勝率" : "ソルコフ"), 0, texts::kByeScoreTip});
  grid.columns.push_back({sj("順位"), 0});
  for (int c = 0; c < grid.columnCount(); ++c) grid.columns[c].width = defaultTableColumnWidth(c);
}

/// The rows' names as the cells show them.
struct RowNames {
  std::vector<std::string> names;       ///< every row's name
  std::vector<std::string> shortNames;  ///< the short name of a row that is someone's opponent
};

// Each name is looked up once, and a short name only for a row that is someone's opponent,
// so a missing player is reported once per lookup the view needs.
RowNames lookUpNames(const Table& table, const data::Register& players, services::Services& ui,
                     Grid& grid) {
  const int rows = table.rows();
  RowNames n{std::vector<std::string>(static_cast<std::size_t>(rows)),
             std::vector<std::string>(static_cast<std::size_t>(rows))};
  std::vector<bool> isOpponent(static_cast<std::size_t>(rows), false);
  std::set<int> missing;
  for (int k = 0; k < rows; ++k) {
    n.names[k] = players.IndexToName(table.participants[k], ui);
    if (!players.FindPlayer(table.participants[k])) missing.insert(table.participants[k]);
    for (int r = 0; r < table.rounds(); ++r)
      if (int o = table.opponentRow(k, r); o >= 0) isOpponent[o] = true;
  }
  for (int k = 0; k < rows; ++k)
    if (isOpponent[k] && table.participants[k] > 0)
      n.shortNames[k] = players.IndexToShortName(table.participants[k], ui);
  grid.missingPlayers.assign(missing.begin(), missing.end());
  return n;
}

// The name column of a row's two lines: the name (coloured for a professional), the rating.
void nameCells(const data::Player* player, const std::string& name, std::vector<Cell>& first,
               std::vector<Cell>& second) {
  first[kNameColumn].text = name;
  if (player && player->professional) first[kNameColumn].background = kGreen;
  if (player && player->womanProfessional) first[kNameColumn].background = kPink;
  if (player && player->rating != 0) second[kNameColumn].text = text::format("%d", player->rating);
  second[kNameColumn].foreground = kBlue;
}

// The round columns of a row's two lines.
void roundCells(const Table& table, const data::Register& players, int k,
                const std::vector<std::string>& shortNames, std::vector<Cell>& first,
                std::vector<Cell>& second) {
  for (int r = 0; r < table.rounds(); ++r) {
    const int c = columnOfRound(r);
    CellPair cell = roundCell(table, k, r, shortNames);
    first[c].text = std::move(cell.first);
    second[c].text = std::move(cell.second);
    if (!data::hasResult(table.result[k][r])) second[c].foreground = kBlue;
    if (auto colour = screenColour(gameMark(table, players, k, r)))
      first[c].background = second[c].background = *colour;
  }
}

// The standings columns of a row's two lines.
void standingsColumns(StandingsCells standings, int rounds, std::vector<Cell>& first,
                      std::vector<Cell>& second) {
  first[recordColumn(rounds)].text = std::move(standings.record.first);
  second[recordColumn(rounds)].text = std::move(standings.record.second);
  second[recordColumn(rounds)].foreground = kBlue;
  first[rateColumn(rounds)].text = std::move(standings.rateOrSolkoff);
  first[rankColumn(rounds)].text = std::move(standings.rank);
}

}  // namespace

Grid tableGrid(const Table& table, const data::Register& players,
               services::Services* lookupMessages) {
  services::QuietServices quiet;
  services::Services& ui = lookupMessages ? *lookupMessages : quiet;
  const int rows = table.rows();
  const int rounds = table.rounds();

  Grid grid;
  grid.coloured = true;
  // The standings are derived data: counted on a copy, so that showing a table never changes it.
  const auto counted = std::make_unique<Table>(table);
  const pairing::ShownStandings shown = pairing::computeShownStandings(*counted, players);
  grid.standingsRound = shown.round;
  grid.winRateMode = pairing::winRateMode(table, players);
  addTableColumns(grid, rounds);
  const int columns = grid.columnCount();
  const RowNames n = lookUpNames(table, players, ui, grid);
  grid.lookAlikes = data::lookAlikes(table, players);

  grid.lines.reserve(static_cast<std::size_t>(lineCountOfRows(rows)));
  int number = 1;
  for (int k = 0; k < rows; ++k) {
    const Rgb rowColour = k % 2 == 1 ? kPaleBlue : kWhite;
    auto first = blankLine(columns, rowColour);
    auto second = blankLine(columns, rowColour);
    if (k == 0 || n.names[k] != n.names[k - 1])
      first[kNumberColumn].text = text::format("%5d", number++);
    nameCells(players.FindPlayer(table.participants[k]), n.names[k], first, second);
    if (std::find(grid.lookAlikes.begin(), grid.lookAlikes.end(), table.participants[k]) !=
            grid.lookAlikes.end() &&
        first[kNameColumn].background == rowColour) {
      first[kNameColumn].background = kYellow;
      first[kNameColumn].tip = texts::kLookAlikeTip;
    }
    roundCells(table, players, k, n.shortNames, first, second);
    StandingsCells standings;
    if (shown.known) standings = standingsCells(*counted, k, shown.round, grid.winRateMode);
    standingsColumns(std::move(standings), rounds, first, second);
    grid.lines.push_back(std::move(first));
    grid.lines.push_back(std::move(second));
  }
  return grid;
}

Grid playerGrid(const data::Register& players) {
  static constexpr int kWidths[9] = {40, 120, 60, 80, 40, 50, 100, 80, 80};
  const char* const headers[9] = {"No.",  "氏　名", "省略名", "レーティング", "面数", "プロ",
                                  "所属", "",       ""};
  Grid grid;
  for (int c = 0; c < 9; ++c) grid.columns.push_back({sj(headers[c]), kWidths[c]});
  grid.lines.reserve(static_cast<std::size_t>(players.count()));
  for (int l = 0; l < players.count(); ++l) {
    const int p = positionOfLine(l);
    const data::Player& player = players.at(p);
    auto line = blankLine(9, kWhite);
    line[0].text = text::format("%5d", p);
    line[1].text = player.name;
    line[2].text = player.shortName;
    if (player.rating != 0) line[3].text = text::format("%d", player.rating);
    line[4].text = text::format("%d", player.entries);
    if (player.professional) line[5].text = sj("○");
    line[6].text = player.affiliation;
    grid.lines.push_back(std::move(line));
  }
  return grid;
}

}  // namespace toq::view
