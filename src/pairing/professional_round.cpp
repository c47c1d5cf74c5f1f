#include "pairing/professional_round.h"

namespace toq::pairing {

namespace {
// A cache built for a round outside the planes leaves no row to pair.
bool inPlanes(int round) {
  return round >= 0 && round < data::kMaxRounds;
}
}  // namespace

ProfessionalRound::ProfessionalRound(data::Table& table, const MeetingCache& facts)
    : table_(table),
      facts_(facts),
      round_(inPlanes(facts.round()) ? facts.round() : 0),
      rows_(inPlanes(facts.round()) ? facts.rows() : 0) {
  for (int row = 0; row < rows_; ++row) count(row, +1);
}

void ProfessionalRound::count(int row, int sign) {
  if (unpaired(row)) {
    if (facts_.professional(row)) waiting_ += sign;
    return;
  }
  const int o = table_.opponentRow(row, round_);
  if (o < 0) return;
  std::uint8_t& n = facing_[facts_.player(row)][facts_.player(o)];
  n = static_cast<std::uint8_t>(n + sign);
}

bool ProfessionalRound::canPairAgain(const PairingOptions& options, int a, int b) const {
  if (a < 0 || a >= rows_ || b < 0 || b >= rows_) return false;
  const MeetingCache& f = facts_;
  if (a == b || f.player(a) == f.player(b)) return false;
  if (!unpaired(b)) return false;
  if (f.entries(a) > 1 && f.entries(b) > 1) return false;
  if (f.professional(a) && f.professional(b)) return false;
  if (f.keptApart(a, b)) return false;
  const int met = f.timesMet(a, b);
  if (!options.play2 && met > 0) return false;
  if (!options.womanProfessionalTwice && (f.woman(a) || f.woman(b)) && met > 0) return false;
  if (meetInRound(a, b)) return false;
  return met <= 1;
}

void ProfessionalRound::pair(int a, int b) {
  count(a, -1);
  if (b != a) count(b, -1);
  table_.setPair(round_, a, b);
  ++version_;
  count(a, +1);
  if (b != a) count(b, +1);
}

}  // namespace toq::pairing
