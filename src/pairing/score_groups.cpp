#include "pairing/score_groups.h"

#include <algorithm>

#include "pairing/compat.h"

namespace toq::pairing {

RoundPairing::RoundPairing(PairingContext& ctx, const MeetingCache& cache, int round)
    : ctx_(ctx),
      cache_(cache),
      round_(std::clamp(round, 0, data::kMaxRounds - 1)),
      rows_(std::clamp(ctx.table.participantCount, 0, data::kMaxRows)) {}

int RoundPairing::key(int row) const {
  return scoreKey(ctx_.table, round_, row);
}

RowList RoundPairing::group(int g, bool reversed) const {
  RowList list;
  for (int k = 0; k < rows_; ++k) {
    const int row = reversed ? rows_ - 1 - k : k;
    if (unpaired(row) && key(row) == g) list.push(row);
  }
  return list;
}

RowList RoundPairing::unpairedRows() const {
  RowList list;
  for (int row = 0; row < rows_; ++row)
    if (unpaired(row)) list.push(row);
  return list;
}

bool RoundPairing::allPaired() const {
  for (int row = 0; row < rows_; ++row)
    if (unpaired(row)) return false;
  return true;
}

int RoundPairing::partnerBelow(int g, int row) {
  for (int lower = g - 1; lower >= 0; --lower) {
    RowList found;
    for (int other = 0; other < rows_; ++other)
      if (unpaired(other) && key(other) == lower && canPair(row, other)) found.push(other);
    if (!found.empty()) return found[ctx_.random.choose(found.count)];
  }
  return -1;
}

int RoundPairing::partnerAbove(int g, int row) const {
  for (int higher = g + 1; higher <= topKey(); ++higher)
    for (int other = rows_ - 1; other >= 0; --other)
      if (unpaired(other) && key(other) == higher && canPair(row, other)) return other;
  return -1;
}

bool RoundPairing::splitsCleanly(const RowList& group, int skip) const {
  RowList rest;
  for (int k = 0; k < group.count; ++k)
    if (k != skip) rest.push(group[k]);
  for (int k = 0; k < rest.count; ++k)
    if (!canPair(rest[k], rest[splitPartner(k, rest.count)])) return false;
  return true;
}

bool RoundPairing::sameHistory(int a, int b) const {
  for (int k = 0; k < round_; ++k)
    if (ctx_.table.result[a][k] != ctx_.table.result[b][k]) return false;
  return true;
}

}  // namespace toq::pairing
