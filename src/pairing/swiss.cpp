#include "pairing/swiss.h"

#include "pairing/prepass.h"
#include "pairing/professional.h"
#include "pairing/score_groups.h"
#include "pairing/standings.h"

namespace toq::pairing {

namespace {

/// First round: upper half against lower half, without compatibility tests. Stops before a
/// pair of two rows of one player, or of one affiliation when the run keeps those apart; true
/// when every row was paired.
bool splitFirstRound(RoundPairing& rp, const data::Table& table, const RowList& rows) {
  const int h = rows.count / 2;
  for (int k = 0; k < h; ++k) {
    const int a = rows[k];
    const int b = rows[k + h];
    if (table.participants[a] == table.participants[b] || rp.keptApart(a, b)) return false;
    rp.pair(a, b);
  }
  return true;
}

/// Pairs the members of a group whose result sequences are identical, each with the first
/// compatible such member counted from the middle of the group.
void pairIdenticalHistories(RoundPairing& rp, const RowList& group) {
  const int c = group.count;
  for (int i = 0; i < c; ++i) {
    const int row = group[i];
    if (!rp.unpaired(row)) continue;
    for (int j = 0; j < c; ++j) {
      const int other = group[(c / 2 + j) % c];
      if (rp.canPair(row, other) && rp.sameHistory(row, other)) {
        rp.pair(row, other);
        break;
      }
    }
  }
}

/// True when every member fits its partner in the half split.
bool splitFits(const RoundPairing& rp, const RowList& group) {
  for (int k = 0; k < group.count; ++k)
    if (!rp.canPair(group[k], group[splitPartner(k, group.count)])) return false;
  return true;
}

/// Rotates the upper half until the split fits, at most once per member of that half; the
/// order reached is used even when no rotation fits.
void rotateUntilSplitFits(const RoundPairing& rp, RowList& group) {
  const int h = group.count / 2;
  for (int turn = 0; turn < h && !splitFits(rp, group); ++turn) {
    const int last = group[h - 1];
    for (int k = h - 1; k > 0; --k) group[k] = group[k - 1];
    group[0] = last;
  }
}

/// Pairs score group g: floater of an odd group, identical histories, half split with
/// rotation, then partners from lower groups for what is left. -1 when a row finds none.
int pairScoreGroup(RoundPairing& rp, int g) {
  RowList group = rp.group(g, false);
  if (group.empty()) return 0;
  if (group.count % 2 != 0) {
    if (!sendFloater(rp, group, [&rp, g](int row) { return rp.partnerBelow(g, row); })) return -1;
    group = rp.group(g, false);
    if (group.empty()) return 0;
  }
  pairIdenticalHistories(rp, group);
  group = rp.group(g, false);
  if (group.empty()) return 0;
  rotateUntilSplitFits(rp, group);
  for (int k = 0; k < group.count; ++k) {
    const int row = group[k];
    if (!rp.unpaired(row)) continue;
    const int mate = group[splitPartner(k, group.count)];
    if (rp.canPair(row, mate)) {
      rp.pair(row, mate);
      continue;
    }
    const int partner = rp.partnerBelow(g, row);
    if (partner < 0) return -1;
    rp.pair(row, partner);
  }
  return 0;
}

}  // namespace

int pairAttempt(PairingContext& ctx, const MeetingCache& cache, int round, int seed,
                std::optional<int> standingsOfRoundBefore, ProfessionalStepReport* professionals) {
  data::Table& table = ctx.table;
  if (round < 0 || round >= data::kMaxRounds || round >= table.numberOfGames) return -1;
  if (cache.round() != round) return -1;
  if (professionalStep(ctx, cache, professionals) != 0) return -3;
  RoundPairing rp(ctx, cache, round);
  if (seed >= 100) bottomUpPrePass(rp, (seed - 100) / 10);
  if (round == 0) {
    const RowList rows = rp.unpairedRows();
    if (rows.count % 2 != 0) return -2;
    if (splitFirstRound(rp, table, rows)) return 0;
  } else {
    const int standings = standingsOfRoundBefore.has_value()
                              ? *standingsOfRoundBefore
                              : computeStandings(table, ctx.players, round - 1);
    if (standings != 0) return -1;
  }
  for (int g = rp.topKey(); g >= 0; --g)
    if (pairScoreGroup(rp, g) != 0) return -1;
  // Every unpaired row has a key in 0..2r, so all are paired here; never report less as success.
  return rp.allPaired() ? 0 : -1;
}

}  // namespace toq::pairing
