// First and second move over the rounds, and handicaps from the two ratings.
#include "pairing/sides.h"

#include <algorithm>

#include "pairing/compat.h"

namespace toq::pairing {
namespace {

bool roundInPlanes(int round) {
  return round >= 0 && round < data::kMaxRounds;
}

int rowsInUse(const data::Table& t) {
  return std::clamp(t.participantCount, 0, data::kMaxParticipants);
}

/// The opponent row of a game in the round, or -1 for a bye, an absence, no opponent, or an
/// entry that does not name a used row pointing back (a damaged file).
int partnerOf(const data::Table& t, int row, int round) {
  if (!roundInPlanes(round) || row < 0 || row >= rowsInUse(t)) return -1;
  const int o = t.opponentRow(row, round);
  if (o < 0 || o >= rowsInUse(t) || o == row || t.opponentRow(o, round) != row) return -1;
  return o;
}

/// First moves minus second moves in the games before the round.
int balance(const data::Table& t, int row, int round) {
  int b = 0;
  for (int k = 0; k < std::min(round, data::kMaxRounds); ++k) {
    if (partnerOf(t, row, k) < 0) continue;  // a bye's side means nothing
    if (t.side[row][k] == data::kSideFirst) ++b;
    if (t.side[row][k] == data::kSideSecond) --b;
  }
  return b;
}

void setSides(data::Table& t, int round, int first, int second) {
  t.side[first][round] = data::kSideFirst;
  t.side[second][round] = data::kSideSecond;
}

/// Handicap magnitude the stronger player gives for a rating difference (0: even).
int handicapFor(long long difference, bool allowSixPieceHandicaps) {
  if (allowSixPieceHandicaps) {
    if (difference >= 1000) return 10;
    if (difference >= 800) return 7;
  }
  if (difference >= 600) return 5;
  if (difference >= 450) return 4;
  if (difference >= 350) return 3;
  if (difference >= 250) return 2;
  if (difference >= 100) return 1;
  return 0;
}

int ratingOf(const data::Table& t, const data::Register& players, int row) {
  const data::Player* p = playerOf(t, players, row);
  return p ? p->rating : 0;
}

}  // namespace

void assignSides(PairingContext& ctx, int round) {
  ctx.random.seed(1);
  data::Table& t = ctx.table;
  for (int i = 0; i < rowsInUse(t); ++i) {
    const int o = partnerOf(t, i, round);
    if (o < 0) continue;
    const int mine = t.side[i][round];
    if (mine == data::kSideFirst || mine == data::kSideSecond) {
      if (t.side[o][round] != mine) continue;  // settled, or completed when o is visited
      t.side[i][round] = data::kSideUndecided;
      t.side[o][round] = data::kSideUndecided;
    }
    if (t.side[o][round] == data::kSideFirst || t.side[o][round] == data::kSideSecond) {
      t.side[i][round] = data::oppositeSide(t.side[o][round]);
      continue;
    }
    const int bi = balance(t, i, round);
    const int bo = balance(t, o, round);
    if (bi > bo) {
      setSides(t, round, o, i);
    } else if (bo > bi) {
      setSides(t, round, i, o);
    } else if (ctx.random.coin()) {
      setSides(t, round, i, o);
    } else {
      setSides(t, round, o, i);
    }
  }
}

void assignHandicapForRow(PairingContext& ctx, int round, int row) {
  data::Table& t = ctx.table;
  const int o = partnerOf(t, row, round);
  if (o < 0 || t.handicap[row][round] != 0) return;
  const long long ri = ratingOf(t, ctx.players, row);
  const long long ro = ratingOf(t, ctx.players, o);
  if (ri == 0 || ro == 0) return;

  if (const int m = handicapFor(ri - ro, ctx.options.allowSixPieceHandicaps); m > 0) {
    t.handicap[row][round] = static_cast<std::int16_t>(m);
    t.handicap[o][round] = static_cast<std::int16_t>(-m);
    setSides(t, round, o, row);  // the receiver moves first
    return;
  }
  if (ri <= ro - 100) return;  // decided when the stronger opponent's row is visited
  // Even game: the stronger player moves second; at equal ratings the row visited last, the
  // later one, ends with the first move.
  t.handicap[row][round] = 0;
  t.handicap[o][round] = 0;
  if (ri > ro) {
    setSides(t, round, o, row);
  } else {
    setSides(t, round, row, o);
  }
}

void assignHandicaps(PairingContext& ctx, int round) {
  for (int i = 0; i < rowsInUse(ctx.table); ++i) assignHandicapForRow(ctx, round, i);
}

}  // namespace toq::pairing
