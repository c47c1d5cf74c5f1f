#include "pairing/prepass.h"

#include <algorithm>

namespace toq::pairing {

void bottomUpPrePass(RoundPairing& rp, int limit) {
  const int wanted = std::max(1, limit);
  int made = 0;
  auto above = [&rp](int g) { return [&rp, g](int row) { return rp.partnerAbove(g, row); }; };
  for (int g = 0; g <= rp.topKey(); ++g) {
    RowList group = rp.group(g, true);
    if (group.empty()) continue;
    if (group.count % 2 != 0) {
      if (!sendFloater(rp, group, above(g))) return;
      if (++made >= wanted) return;
      group = rp.group(g, true);
    }
    // A plain half split; a row whose split partner does not fit goes up instead.
    for (int k = 0; k < group.count; ++k) {
      const int row = group[k];
      if (!rp.unpaired(row)) continue;
      const int mate = group[splitPartner(k, group.count)];
      if (rp.canPair(row, mate)) {
        rp.pair(row, mate);
      } else {
        const int partner = rp.partnerAbove(g, row);
        if (partner < 0) return;
        rp.pair(row, partner);
      }
      if (++made >= wanted) return;
    }
  }
}

}  // namespace toq::pairing
