#include "server/answers.h"

#include <algorithm>
#include <cstdlib>

#include "pairing/standings.h"
#include "server/texts.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"
#include "view/cells.h"

namespace toq::server {

namespace {

int rowsOf(const data::Table& t) {
  return t.rows();
}

std::optional<int> oneBased(int index) {
  return index >= 0 ? std::optional<int>(index + 1) : std::nullopt;
}

std::string nameOf(const edit::Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p ? text::toUtf8(p->name) : std::string();
}

std::optional<std::string> sideWord(int side) {
  if (side == data::kSideFirst) return "先";
  if (side == data::kSideSecond) return "後";
  return std::nullopt;
}

std::optional<std::string> resultWord(int result) {
  if (result == data::kWin) return "win";
  if (result == data::kLoss) return "loss";
  if (result == data::kDraw) return "draw";
  return std::nullopt;
}

api::BoardPlayer boardPlayer(const edit::Workspace& ws, int row, int round) {
  const data::Table& t = ws.table;
  return {row + 1, t.participants[row], nameOf(ws, row), sideWord(t.side[row][round]),
          resultWord(t.result[row][round])};
}

// The board of the pair that the round list writes at `row` (its first row).
api::Board board(const edit::Workspace& ws, int round, int row, int opponent, int number) {
  const data::Table& t = ws.table;
  api::Board b;
  b.board = number;
  const int position = data::handicapPosition(std::abs(t.handicap[row][round]));
  if (position >= 0) b.handicap = data::kHandicapNames[position];
  b.players = {boardPlayer(ws, row, round), boardPlayer(ws, opponent, round)};
  return b;
}

double points(int halfPoints) {
  return halfPoints / 2.0;
}

}  // namespace

std::string eventTitle(const data::Table& table) {
  if (std::string stem = text::pathToUtf8(table.filePath.stem()); !stem.empty()) return stem;
  if (!table.title.empty()) return text::toUtf8(table.title);
  return std::string(texts::kUntitled);
}

api::EventInfo eventInfo(const edit::Workspace& ws, std::uint64_t version, bool resultDesk) {
  const data::Table& t = ws.table;
  api::EventInfo e;
  e.title = eventTitle(t);
  e.games = t.rounds();
  e.participants = rowsOf(t);
  e.latestPairedRound = oneBased(t.LastPairedRound());
  e.lastCompleteRound = oneBased(std::min(t.LastCompletedRound(), t.rounds() - 1));
  e.locked = t.lockFlag != 0;
  e.version = version;
  e.resultDesk = resultDesk;
  for (const edit::Disagreement& d : ws.disagreements)
    e.disagreements.push_back({d.round + 1, d.board, d.entered, d.reported});
  return e;
}

api::Pairings pairingsOf(const edit::Workspace& ws, std::optional<int> round) {
  const data::Table& t = ws.table;
  const int k = round ? *round : t.LastPairedRound();
  api::Pairings p;
  if (k < 0 || k >= t.rounds()) return p;
  p.round = k + 1;
  int boards = 0;
  for (int row = 0; row < rowsOf(t); ++row) {
    const int code = t.opponent[row][k];
    if (code == data::kBye) {
      p.byes.push_back(row + 1);
      p.sittingOut.push_back({row + 1, nameOf(ws, row), "bye"});
    } else if (code == data::kAbsent) {
      p.absent.push_back(row + 1);
      p.sittingOut.push_back({row + 1, nameOf(ws, row), "absent"});
    } else if (const int opponent = t.opponentRow(row, k); opponent < 0) {
      // Not paired yet; an opponent code that names no row reads the same.
      p.unpaired.push_back(row + 1);
    } else if (opponent >= row) {
      p.boards.push_back(board(ws, k, row, opponent, ++boards));
    }
  }
  return p;
}

std::optional<api::Game> gameOf(const edit::Workspace& ws, int row, int round) {
  const data::Table& t = ws.table;
  if (!t.validRow(row) || !t.validRound(round)) return std::nullopt;
  const int opponent = t.opponentRow(row, round);
  if (opponent < 0) return std::nullopt;
  const int first = std::min(row, opponent);
  int number = 0;
  for (int r = 0; r <= first; ++r)
    if (const int o = t.opponentRow(r, round); o >= r) ++number;
  return api::Game{round + 1, board(ws, round, first, std::max(row, opponent), number), {}};
}

std::optional<api::Standings> standingsOf(edit::Workspace& ws, std::optional<int> round,
                                          std::string& error) {
  data::Table& t = ws.table;
  api::Standings s;
  const int k = round ? *round : std::min(t.LastCompletedRound(), t.rounds() - 1);
  if (k < 0) return s;
  if (pairing::computeStandings(t, ws.players, k) != 0) {
    error = text::format(texts::kStandingsIncomplete, k + 1);
    return std::nullopt;
  }
  s.round = k + 1;
  s.winRateMode = pairing::winRateMode(t, ws.players);
  for (int row = 0; row < rowsOf(t); ++row) {
    const data::StandingsEntry& e = t.standings[row][k];
    api::StandingsRow r;
    r.row = row + 1;
    r.player = t.participants[row];
    r.name = nameOf(ws, row);
    r.score = points(e.score);
    r.wins = e.wins;
    r.losses = e.losses;
    r.draws = e.draws;
    r.solkoff = points(e.solkoff);
    r.beaten = points(e.beaten);
    r.trimmed = points(e.trimmed);
    if (s.winRateMode)
      if (std::string rate = view::standingsCells(t, row, k, true).rateOrSolkoff; !rate.empty())
        r.winRate = text::toUtf8(rate);
    if (e.rank > 0) r.rank = e.rank;
    s.rows.push_back(std::move(r));
  }
  return s;
}

}  // namespace toq::server
