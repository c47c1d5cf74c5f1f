#pragma once
// The round being paired as the Swiss steps see it: rows without opponent, their score keys,
// score groups, the floater partners above and below a group and the split tests.

#include <array>

#include "data/table.h"
#include "pairing/context.h"
#include "pairing/meeting_cache.h"
#include "pairing/row_list.h"

namespace toq::pairing {

/// Positions tried for an odd group's floater, relative to the middle of the group.
inline constexpr std::array<int, 25> kFloaterOffsets = {
    0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7, 8, -8, 9, -9, 10, -10, 11, -11, 12, -12};

/// Partner of position k in the half split of a group of c members.
inline int splitPartner(int k, int c) {
  const int h = c / 2;
  return k < h ? k + h : k - h;
}

/// One round of the table being paired, with the run's compatibility answers.
class RoundPairing {
 public:
  /// `round` must be a valid round index (0..31) and `cache` built for it.
  RoundPairing(PairingContext& ctx, const MeetingCache& cache, int round);

  int round() const { return round_; }
  /// Highest score key of the round (two half-points per earlier round).
  int topKey() const { return 2 * round_; }
  PairingContext& context() { return ctx_; }

  bool unpaired(int row) const { return ctx_.table.opponent[row][round_] == data::kUnpaired; }
  bool canPair(int a, int b) const { return cache_.canPair(ctx_.table, a, b); }
  /// True when the run keeps the two rows apart for their affiliation.
  bool keptApart(int a, int b) const { return cache_.keptApart(a, b); }
  void pair(int a, int b) { ctx_.table.setPair(round_, a, b); }
  /// Score before the round, read from the standings block as it is now.
  int key(int row) const;

  /// Rows without opponent that have score key g, in table order or reversed.
  RowList group(int g, bool reversed) const;
  /// Rows without opponent, in table order.
  RowList unpairedRows() const;
  /// True when no used row is left without opponent.
  bool allPaired() const;

  /// A partner for `row` of group g from the nearest lower group that has any: drawn at
  /// random among the compatible rows of that group; -1 when none.
  int partnerBelow(int g, int row);
  /// A partner for `row` of group g from the nearest higher group: its last compatible row;
  /// -1 when none.
  int partnerAbove(int g, int row) const;
  /// True when the group without position `skip` splits into compatible halves.
  bool splitsCleanly(const RowList& group, int skip) const;
  /// True when the two rows have the same result codes in every earlier round.
  bool sameHistory(int a, int b) const;

 private:
  PairingContext& ctx_;
  const MeetingCache& cache_;
  int round_;
  int rows_;
};

/// Chooses the floater of an odd group: the middle member first, then outwards, at most 25
/// tries. `partnerOf(row)` gives a partner outside the group or -1. Pairs the first candidate
/// that has a partner and whose removal leaves a cleanly split group; false when none does.
template <class PartnerOf>
bool sendFloater(RoundPairing& rp, const RowList& group, PartnerOf partnerOf) {
  const int c = group.count;
  for (int t = 0;; ++t) {
    if (t >= c || t >= static_cast<int>(kFloaterOffsets.size())) return false;
    const int position = c / 2 + kFloaterOffsets[static_cast<std::size_t>(t)];
    if (position < 0 || position >= c) continue;
    const int candidate = group[position];
    if (!rp.unpaired(candidate)) continue;
    const int partner = partnerOf(candidate);
    if (partner < 0) continue;
    if (c >= 3 && !rp.splitsCleanly(group, position)) continue;
    rp.pair(candidate, partner);
    return true;
  }
}

}  // namespace toq::pairing
