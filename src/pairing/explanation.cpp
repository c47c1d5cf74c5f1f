#include "pairing/explanation.h"

#include <algorithm>
#include <map>

#include "pairing/compat.h"
#include "pairing/professional.h"
#include "pairing/reproduction.h"
#include "pairing/side_rule.h"
#include "pairing/standings.h"

namespace toq::pairing {
namespace {

/// The row a game of the round pairs `row` with, when both rows name each other; else -1.
int partnerIn(const data::Table& t, int row, int round) {
  const int o = t.opponentRow(row, round);
  return o >= 0 && o != row && t.opponentRow(o, round) == row ? o : -1;
}

/// The rank of a row's player: a row folded into its board group takes the group's rank.
int rankOf(const data::Table& t, int row, int round) {
  if (round < 0) return 0;
  int first = row;
  while (first > 0 && t.participants[first - 1] == t.participants[row]) --first;
  return std::max(0, t.standings[first][round].rank);
}

/// The player's record before the round: points, rank, professionals met, sides.
PlayerFacts playerBefore(const data::Table& before, const data::Register& players, int round,
                         int row) {
  PlayerFacts p;
  p.row = row;
  p.number = before.participants[row];
  if (const data::Player* record = playerOf(before, players, row)) {
    p.name = record->name;
    p.rating = record->rating;
    p.professional = record->professional != 0;
    p.woman = record->womanProfessional != 0;
  }
  if (round > 0) {
    p.points = before.standings[row][round - 1].score;
    p.rank = rankOf(before, row, round - 1);
  }
  p.gamesAgainstProfessionals = gamesAgainstProfessionals(before, players, round, row);
  p.gamesAgainstWomen = gamesAgainstWomen(before, players, round, row);
  for (int k = 0; k < round; ++k) {
    if (partnerIn(before, row, k) < 0) continue;  // a bye's side means nothing
    ++p.gamesPlayed;
    const int side = before.side[row][k];
    if (side == data::kSideFirst) ++p.firstMoves;
    if (side == data::kSideSecond) ++p.secondMoves;
    p.lastSide =
        side == data::kSideFirst || side == data::kSideSecond ? side : data::kSideUndecided;
  }
  return p;
}

SideReason sideReasonOf(SideRule rule, const BoardFacts& b, bool agrees) {
  if (!agrees) return SideReason::ByHand;
  const PlayerFacts& x = b.players[0];
  const PlayerFacts& y = b.players[1];
  switch (rule) {
    case SideRule::None:
      return SideReason::Undecided;
    case SideRule::Balance:
      return x.firstMoves - x.secondMoves == y.firstMoves - y.secondMoves ? SideReason::Coin
                                                                          : SideReason::Balance;
    case SideRule::Handicaps:
      if (x.rating == 0 || y.rating == 0) return SideReason::NoRating;
      if (x.handicap != 0) return SideReason::HandicapGame;
      return x.rating == y.rating ? SideReason::LaterRowFirst : SideReason::StrongerSecond;
  }
  return SideReason::ByHand;
}

HandicapReason handicapReasonOf(SideRule rule, const BoardFacts& b, bool agrees) {
  if (rule != SideRule::Handicaps)
    return b.players[0].handicap == 0 && b.players[1].handicap == 0 ? HandicapReason::NotDerived
                                                                    : HandicapReason::ByHand;
  if (!agrees) return HandicapReason::ByHand;
  if (b.players[0].rating == 0 || b.players[1].rating == 0) return HandicapReason::NoRating;
  return HandicapReason::Rating;
}

MeetingRule meetingRuleOf(const BoardFacts& b, const PairingWay& way) {
  if (b.earlierMeetings == 0) return MeetingRule::None;
  if (!b.reproduced) return MeetingRule::ByHand;
  if (way.method == PairingMethod::ProfessionalSearch) return MeetingRule::ProfessionalSearch;
  if (b.professionalBoard && way.professionals.relaxedGames > 0) return MeetingRule::RelaxedPass;
  return MeetingRule::Unexplained;
}

/// What the option keeping affiliations apart has to do with the board of rows a and b.
void affiliationFacts(BoardFacts& b, const data::Table& t, const data::Register& players,
                      const Reproduction& rep, int a, int o) {
  const data::Player* x = playerOf(t, players, a);
  const data::Player* y = playerOf(t, players, o);
  if (x && y) {
    std::string key = data::affiliationKey(x->affiliation);
    if (!key.empty() && key == data::affiliationKey(y->affiliation))
      b.sharedAffiliation = std::move(key);
  }
  b.movedByAffiliation = b.reproduced && rep.withoutAffiliations &&
                         (*rep.withoutAffiliations)[static_cast<std::size_t>(a)] != o;
}

RowFacts rowFacts(const data::Table& t, const data::Register& players, const Reproduction& rep,
                  int row) {
  RowFacts r;
  r.row = row;
  if (const data::Player* record = playerOf(t, players, row)) r.name = record->name;
  r.programOpponent = rep.opponents[static_cast<std::size_t>(row)];
  return r;
}

void summarise(Explanation& e) {
  std::map<int, int, std::greater<int>> groups;
  for (const BoardFacts& b : e.boards) {
    for (const PlayerFacts& p : b.players) ++groups[p.points];
    if (b.players[0].points != b.players[1].points) ++e.summary.floats;
    if (b.earlierMeetings > 0) ++e.summary.repeatedMeetings;
    if (b.professionalBoard) ++e.summary.professionalBoards;
  }
  for (const auto& [points, count] : groups) e.summary.scoreGroups.push_back({points, count});
}

}  // namespace

int Explanation::boardsDiffering() const {
  return static_cast<int>(std::count_if(boards.begin(), boards.end(),
                                        [](const BoardFacts& b) { return !b.reproduced; }));
}

int Explanation::boardsMovedByAffiliation() const {
  return static_cast<int>(std::count_if(boards.begin(), boards.end(),
                                        [](const BoardFacts& b) { return b.movedByAffiliation; }));
}

const BoardFacts* Explanation::boardOf(int row) const {
  for (const BoardFacts& b : boards)
    if (b.players[0].row == row || b.players[1].row == row) return &b;
  return nullptr;
}

std::vector<int> explainableRounds(const data::Table& table) {
  std::vector<int> rounds;
  for (int k = 0; k < table.rounds(); ++k)
    for (int row = 0; row < table.rows(); ++row)
      if (partnerIn(table, row, k) >= 0) {
        rounds.push_back(k);
        break;
      }
  return rounds;
}

namespace {

/// What every board's facts are read from.
struct BoardContext {
  const data::Table& table;
  const data::Table& before;
  const data::Register& players;
  const Reproduction& rep;
  const SideDecision& sides;
  const PairingWay& way;
};

// The facts of the board of `row` and `o` (o > row), numbered `board`.
BoardFacts boardFacts(const BoardContext& c, int round, int row, int o, int board) {
  BoardFacts b;
  b.board = board;
  for (int i = 0; i < 2; ++i) {
    const int r = i == 0 ? row : o;
    PlayerFacts& p = b.players[i];
    p = playerBefore(c.before, c.players, round, r);
    p.side = c.table.side[r][round];
    p.handicap = c.table.handicap[r][round];
    p.programOpponent = c.rep.opponents[static_cast<std::size_t>(r)];
  }
  PlayerFacts& x = b.players[0];
  PlayerFacts& y = b.players[1];
  b.reproduced = c.rep.programPaired && x.programOpponent == o && y.programOpponent == row;
  // The one with more points came down to meet the other, who came up.
  if (x.points != y.points) {
    (x.points > y.points ? x : y).floated = Float::Down;
    (x.points > y.points ? y : x).floated = Float::Up;
  }
  b.earlierMeetings = meetings(c.table, round, row, o);
  b.professionalBoard = x.professional || y.professional;
  b.meetingRule = meetingRuleOf(b, c.way);
  const bool handicapsAgree = sameHandicaps(c.table, *c.sides.decided, round, row, o);
  b.sideReason = sideReasonOf(
      c.sides.rule, b, handicapsAgree && sameSides(c.table, *c.sides.decided, round, row, o));
  b.handicapReason = handicapReasonOf(c.sides.rule, b, handicapsAgree);
  b.ratingDifference = x.rating - y.rating;
  affiliationFacts(b, c.table, c.players, c.rep, row, o);
  return b;
}

}  // namespace

std::optional<Explanation> explainRound(const data::Table& table, const data::Register& players,
                                        int round) {
  const std::vector<int> rounds = explainableRounds(table);
  if (std::find(rounds.begin(), rounds.end(), round) == rounds.end()) return std::nullopt;

  const std::unique_ptr<data::Table> before = tableBeforeRound(table, round);
  const Reproduction rep = reproduceRound(table, *before, players, round);
  // The facts are read after the pairing runs, which compute the same standings themselves.
  Explanation e;
  e.round = round;
  e.standingsComplete = computeStandings(*before, players, round - 1) == 0;
  e.reproduced = rep.reproduced;
  e.programPaired = rep.programPaired;
  e.combinationsTried = rep.combinationsTried;
  e.options = rep.options;
  e.way = rep.way;
  const SideDecision sides = decideSideRule(table, players, round);
  e.sideRule = sides.rule;
  e.options.allowSixPieceHandicaps = sides.sixPieceHandicaps;

  for (int row = 0; row < table.rows(); ++row) {
    const int entry = table.opponent[row][round];
    const int o = partnerIn(table, row, round);
    if (o < 0) {
      RowFacts r = rowFacts(table, players, rep, row);
      if (entry == data::kBye)
        e.summary.byes.push_back(r);
      else if (entry == data::kAbsent)
        e.summary.absent.push_back(r);
      else
        e.summary.unpaired.push_back(r);
      continue;
    }
    if (o < row) continue;
    e.boards.push_back(boardFacts({table, *before, players, rep, sides, e.way}, round, row, o,
                                  static_cast<int>(e.boards.size()) + 1));
  }
  summarise(e);
  return e;
}

}  // namespace toq::pairing
