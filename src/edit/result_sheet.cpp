#include "edit/result_sheet.h"

#include <algorithm>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "reports/round_list.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// The result of the line's first row for each choice; the other row holds the opposite.
constexpr std::int16_t kFirstRowResult[kSheetChoices] = {data::kWin, data::kLoss, data::kDraw,
                                                         data::kResultNone};

int choiceOf(int result) {
  for (int c = 0; c < kSheetChoices; ++c)
    if (kFirstRowResult[c] == result) return c;
  return kSheetNoResult;
}

bool sidesDecided(int a, int b) {
  return (a == data::kSideFirst && b == data::kSideSecond) ||
         (a == data::kSideSecond && b == data::kSideFirst);
}

SheetGame gameOf(const data::Table& t, const std::vector<std::string>& names, int round, int board,
                 int a, int b) {
  SheetGame g;
  g.board = board;
  g.first.row = a;
  g.first.name = names[static_cast<std::size_t>(a)];
  g.second.row = b;
  g.second.name = names[static_cast<std::size_t>(b)];
  const int handicap = t.handicap[a][round];
  g.handicap = reports::handicapName(handicap);
  const int sideA = t.side[a][round];
  const int sideB = t.side[b][round];
  if (sidesDecided(sideA, sideB)) {
    // The round list's side labels: 先/後 in an even game, 下/上 in a handicap game.
    const std::string firstLabel = reports::sideLabel(data::kSideFirst, handicap != 0);
    const std::string secondLabel = reports::sideLabel(data::kSideSecond, handicap != 0);
    const std::string labelA = sideA == data::kSideFirst ? firstLabel : secondLabel;
    const std::string labelB = sideB == data::kSideFirst ? firstLabel : secondLabel;
    g.first.side = formatCp932(texts::kSheetSide, labelA.c_str());
    g.second.side = formatCp932(texts::kSheetSide, labelB.c_str());
  }
  g.choices[kSheetFirstWins] = formatCp932(texts::kSheetPlayerWins, g.first.name.c_str());
  g.choices[kSheetSecondWins] = formatCp932(texts::kSheetPlayerWins, g.second.name.c_str());
  g.choices[kSheetDraw] = text::sj(texts::kSheetDraw);
  g.choices[kSheetNoResult] = text::sj(texts::kSheetNoResult);
  g.choice = choiceOf(t.result[a][round]);
  return g;
}

// The round's games in the round list's board order.
std::vector<SheetBoard> boardsOf(const data::Table& t, int round) {
  std::vector<SheetBoard> boards;
  for (const reports::RoundListLine& line : reports::roundListLines(t, round))
    if (line.opponent >= 0 && line.opponent != line.row)
      boards.push_back({static_cast<int>(boards.size()) + 1, line.row, line.opponent});
  return boards;
}

RoundSheet sheetOf(const data::Table& t, const std::vector<std::string>& names, int round) {
  RoundSheet sheet;
  sheet.round = round;
  sheet.title = formatCp932(texts::kSheetTitle, round + 1);
  for (const SheetBoard& b : boardsOf(t, round))
    sheet.games.push_back(gameOf(t, names, round, b.board, b.first, b.second));
  for (int k = 0; k < usedRows(t); ++k) {
    const int code = t.opponent[k][round];
    if (code == data::kBye || code == data::kAbsent)
      sheet.sittingOut.push_back(
          {k, names[static_cast<std::size_t>(k)],
           text::sj(code == data::kBye ? texts::kSheetBye : texts::kSheetAbsent)});
  }
  return sheet;
}

// Each row's name, looked up once (a missing record shows its message once, not per round).
std::vector<std::string> rowNames(const Workspace& ws, services::Services& ui) {
  std::vector<std::string> names;
  for (int k = 0; k < usedRows(ws.table); ++k) names.push_back(rowName(ws, k, ui));
  return names;
}

bool roundHoldsGame(const data::Table& t, int round) {
  for (int k = 0; k < usedRows(t); ++k)
    if (const int o = t.opponentRow(k, round); o >= 0 && o != k) return true;
  return false;
}

}  // namespace

std::optional<int> sheetChoiceOfKey(int key) {
  switch (key) {
    case '1':
      return kSheetFirstWins;
    case '2':
      return kSheetSecondWins;
    case '3':
      return kSheetDraw;
    case '0':
      return kSheetNoResult;
    default:
      return std::nullopt;
  }
}

std::optional<SheetBoard> boardOfGame(const data::Table& table, int round, int row) {
  if (round < 0 || round >= usedRounds(table)) return std::nullopt;
  for (const SheetBoard& b : boardsOf(table, round))
    if (b.first == row || b.second == row) return b;
  return std::nullopt;
}

std::vector<int> pairedRounds(const data::Table& table) {
  std::vector<int> rounds;
  for (int k = 0; k < usedRounds(table); ++k)
    if (roundHoldsGame(table, k)) rounds.push_back(k);
  return rounds;
}

int defaultSheetRound(const data::Table& table) {
  const std::vector<int> rounds = pairedRounds(table);
  if (rounds.empty()) return -1;
  for (int k : rounds)
    for (int row = 0; row < usedRows(table); ++row)
      if (table.opponentRow(row, k) >= 0 && !data::hasResult(table.result[row][k])) return k;
  return rounds.back();
}

std::optional<RoundSheet> roundSheet(const Workspace& ws, services::Services& ui, int round) {
  if (round < 0 || round >= usedRounds(ws.table)) return std::nullopt;
  return sheetOf(ws.table, rowNames(ws, ui), round);
}

std::optional<ResultSheet> resultSheet(const Workspace& ws, services::Services& ui) {
  const std::vector<int> rounds = pairedRounds(ws.table);
  if (rounds.empty()) return std::nullopt;
  const std::vector<std::string> names = rowNames(ws, ui);
  const int initial = defaultSheetRound(ws.table);
  ResultSheet sheet;
  for (int k : rounds) {
    if (k == initial) sheet.initial = static_cast<int>(sheet.rounds.size());
    sheet.rounds.push_back(sheetOf(ws.table, names, k));
  }
  return sheet;
}

Outcome enterResultSheet(Workspace& ws, services::Services& ui, const ResultSheetChooser& choose) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  std::optional<ResultSheet> sheet = resultSheet(ws, ui);
  if (!sheet) return stopped(Stop::NothingToDo);
  std::optional<ResultSheetAnswer> answer = choose ? choose(*sheet) : std::nullopt;
  if (!answer) return stopped(Stop::Declined);

  const auto round = std::find_if(sheet->rounds.begin(), sheet->rounds.end(),
                                  [&](const RoundSheet& r) { return r.round == answer->round; });
  const bool fits = round != sheet->rounds.end() && answer->choices.size() == round->games.size() &&
                    std::all_of(answer->choices.begin(), answer->choices.end(),
                                [](int c) { return c >= 0 && c < kSheetChoices; });
  if (!fits) {
    ui.errorBox(texts::kBadResultChoice);
    return stopped(Stop::Refused);
  }

  Outcome done;
  done.round = answer->round;
  for (std::size_t i = 0; i < round->games.size(); ++i) {
    const SheetGame& g = round->games[i];
    const std::int16_t result = kFirstRowResult[answer->choices[i]];
    std::int16_t& first = t.result[g.first.row][done.round];
    std::int16_t& second = t.result[g.second.row][done.round];
    if (first == result && second == data::oppositeResult(result)) continue;
    first = result;
    second = data::oppositeResult(result);
    ++done.count;
  }
  if (done.count > 0)
    done = saveTable(ws, ui, done);
  else
    done.code = 0;
  ui.statusMessage(text::format(texts::kOpenGames, t.OpenGames(done.round)));
  return done;
}

int firstOpenGame(const RoundSheet& round) {
  for (std::size_t i = 0; i < round.games.size(); ++i)
    if (round.games[i].choice == kSheetNoResult) return static_cast<int>(i);
  return 0;
}

}  // namespace toq::edit
